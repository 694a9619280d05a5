// A stand-in of the printer's port module: a shared object that tests install in the printer
// driver's folder under the name the resource module gives. It answers as a networked printer
// described in "NBSIM.TXT" beside it (address, attributes, faults) and logs every call to
// "NBSIM.LOG" beside it. Answers are made for each call and freed when the callback returns.
#include "device/port_module.h"
#include "testing/device/standins/standin_files.h"


#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using standin::Beside;

void Log(const std::string& line) { standin::Log("NBSIM.LOG", line); }

struct Printer {
    std::string address = "192.168.0.20";
    std::map<uint32_t, std::pair<uint32_t, std::string>> attributes;  // id -> (kind, number or text)
    std::map<std::string, int32_t> faults;                            // open, info, data, status
    bool thread = false;
};

// Lines: address TEXT | attr ID number N | attr ID text TEXT | fault open|info|data|status N | thread
Printer Read() {
    Printer p;
    std::FILE* f = std::fopen(Beside("NBSIM.TXT").c_str(), "rb");
    if (!f) return p;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, f)) {
        std::istringstream line(buffer);
        std::string key;
        line >> key;
        if (key == "address") {
            line >> p.address;
        } else if (key == "thread") {
            p.thread = true;
        } else if (key == "fault") {
            std::string what;
            long long v = 0;
            line >> what >> v;
            p.faults[what] = static_cast<int32_t>(v);
        } else if (key == "attr") {
            std::string id, kind, value;
            line >> id >> kind;
            std::getline(line, value);
            value.erase(0, value.find_first_not_of(' '));
            value.erase(value.find_last_not_of("\r\n ") + 1);
            uint32_t n = static_cast<uint32_t>(std::strtoul(id.c_str(), nullptr, 0));
            if (kind == "number") p.attributes[n] = {kPortNumber, value};
            else p.attributes[n] = {kPortText, value};
        }
    }
    std::fclose(f);
    return p;
}

Printer g_printer;
int g_handle;
std::thread g_worker;

void Answer(std::vector<uint32_t> ids, PortCallback callback, void* context, int32_t status) {
    std::vector<std::string> texts;
    texts.reserve(ids.size());
    std::vector<PortValue> values(ids.size());
    std::vector<PortItem> items;
    for (size_t i = 0; i < ids.size(); ++i) {
        auto it = g_printer.attributes.find(ids[i]);
        if (it == g_printer.attributes.end()) continue;
        texts.push_back(it->second.second);
        values[i].kind = it->second.first;
        values[i].number = static_cast<uint32_t>(std::strtoul(texts.back().c_str(), nullptr, 0));
        values[i].text = it->second.first == kPortText ? texts.back().c_str() : nullptr;
        items.push_back({ids[i], {0, 0}, &values[i]});
    }
    callback(context, 0, status, 0, static_cast<uint32_t>(items.size()), items.empty() ? nullptr : items.data());
}

}  // namespace

EXPORT int32_t NB_OpenPrinter(const char* name, void** handle) {
    g_printer = Read();
    Log(std::string("open ") + (name ? name : ""));
    if (g_printer.faults.count("open")) return g_printer.faults["open"];
    *handle = &g_handle;
    return 0;
}

EXPORT void NB_ClosePrinter(void*) {
    if (g_worker.joinable()) g_worker.join();
    Log("close");
}

EXPORT int32_t NB_GetPrinterInfo(void*, uint8_t* info) {
    Log("info");
    if (g_printer.faults.count("info")) return g_printer.faults["info"];
    std::string text = g_printer.address;
    const size_t bytes = std::min<size_t>(text.size() + 1, kPortInfoSize - kPortInfoAddress);
    std::memcpy(info + kPortInfoAddress, text.c_str(), bytes);
    return 0;
}

EXPORT int32_t NB_GetPrinterData(void*, const char* address, uint32_t count, const PortRequest* requests,
                                 PortCallback callback, void* context) {
    std::string line = std::string("data ") + (address ? address : "") + " " + std::to_string(count);
    std::vector<uint32_t> ids;
    for (uint32_t i = 0; i < count; ++i) {
        ids.push_back(requests[i].id);
        line += " " + std::to_string(requests[i].id);
    }
    Log(line);
    if (g_printer.faults.count("data")) return g_printer.faults["data"];
    int32_t status = g_printer.faults.count("status") ? g_printer.faults["status"] : 0;
    if (g_worker.joinable()) g_worker.join();
    if (g_printer.thread) g_worker = std::thread(Answer, ids, callback, context, status);
    else Answer(ids, callback, context, status);
    return 0;
}

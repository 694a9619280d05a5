// A stand-in of the maker's request library, built as "PELOM.dll" (and without its export). It
// answers as "PELOMSIM.TXT" beside it says and logs its loads and calls to "PELOMSIM.LOG".
// Description keys: entries (FB_GetEntryPoints' answer, 1), open (1), request (0), result (0),
// text, longtext (a reply text without its end), data, length (the data's length word), worda,
// wordb, list (0), written (the bytes the list says it wrote), words (the list's word count),
// statusword (0), status (0).
#include "device/bridges/pelom_interface.h"
#include "standin_files.h"

#include <algorithm>
#include <cstring>
#include <string>

#define EXPORT extern "C" __attribute__((visibility("default")))

constexpr const char* kLog = "PELOMSIM.LOG";

struct HINSTANCE__;
EXPORT int DllMain(HINSTANCE__*, unsigned reason, void*) {
    if (reason == 1) standin::Log(kLog, "attach");
    if (reason == 0) standin::Log(kLog, "detach");
    return 1;
}

#ifndef STANDIN_WITHOUT_ENTRY
namespace {

std::map<std::string, std::string> Description() { return standin::Describe("PELOMSIM.TXT"); }
long Number(const char* key, long fallback) { return standin::Number(Description(), key, fallback); }

int32_t Open(const char* printer, const char* port) {
    standin::Log(kLog, std::string("open ") + printer + "|" + port);
    return static_cast<int32_t>(Number("open", 1));
}

int32_t Close(const char* printer) {
    standin::Log(kLog, std::string("close ") + printer);
    return 0;
}

int32_t List(uint32_t kind, void* buffer, uint32_t size, uint32_t flags, uint32_t* written) {
    standin::Log(kLog, "list " + std::to_string(kind) + " " + std::to_string(size) + " " + std::to_string(flags));
    auto d = Description();
    uint32_t words = static_cast<uint32_t>(standin::Number(d, "words", 3));
    for (uint32_t i = 0; i < words && (i + 1) * 4 <= size; ++i) {
        uint32_t value = 1000 + i;
        std::memcpy(static_cast<uint8_t*>(buffer) + i * 4, &value, 4);
    }
    *written = static_cast<uint32_t>(standin::Number(d, "written", words * 4));
    return static_cast<int32_t>(standin::Number(d, "list", 7));
}

int32_t Request(uint32_t ten, const char* user, void* reply, uint32_t size, int32_t* result) {
    standin::Log(kLog, "request " + std::to_string(ten) + " " + user + " " + std::to_string(size));
    auto d = Description();
    auto* r = static_cast<uint8_t*>(reply);
    std::string data = d.count("data") ? d["data"] : "";
    uint16_t length = static_cast<uint16_t>(standin::Number(d, "length", static_cast<long>(data.size())));
    std::memcpy(r + pelom_reply::kLength, &length, 2);
    if (d.count("longtext")) std::memset(r + pelom_reply::kText, 'x', pelom_reply::kTextSize);
    else std::strncpy(reinterpret_cast<char*>(r + pelom_reply::kText), d["text"].c_str(), pelom_reply::kTextSize - 1);
    uint16_t wordA = static_cast<uint16_t>(standin::Number(d, "worda", 0));
    uint32_t wordB = static_cast<uint32_t>(standin::Number(d, "wordb", 0));
    std::memcpy(r + pelom_reply::kWordA, &wordA, 2);
    std::memcpy(r + pelom_reply::kWordB, &wordB, 4);
    for (uint32_t i = 0; i < 16; ++i) std::memcpy(r + pelom_reply::kWords + i * 4, &i, 4);
    std::memcpy(r + pelom_reply::kData, data.data(), std::min<size_t>(data.size(), size - pelom_reply::kData));
    *result = static_cast<int32_t>(standin::Number(d, "result", 0));
    return static_cast<int32_t>(standin::Number(d, "request", 0));
}

int32_t StatusWord() { return static_cast<int32_t>(Number("statusword", 0)); }

int32_t StatusRecord(void* record, uint32_t size) {
    standin::Log(kLog, "status " + std::to_string(size));
    if (size >= 4) std::memcpy(record, "stat", 4);
    return static_cast<int32_t>(Number("status", 0));
}

template <class F>
PelomProc Proc(F f) {
    return reinterpret_cast<PelomProc>(f);
}

}  // namespace

EXPORT int32_t FB_GetEntryPoints(uint32_t version, uint32_t room, PelomProc* entries) {
    standin::Log(kLog, "entries " + std::to_string(version) + " " + std::to_string(room));
    if (Number("entries", 1) == 0 || room < kPelomEntryCount * sizeof(PelomProc)) return 0;
    entries[kPelomOpen] = Proc(&Open);
    entries[kPelomClose] = Proc(&Close);
    entries[kPelomList] = Proc(&List);
    entries[kPelomRequest] = Proc(&Request);
    entries[kPelomStatusRecord] = Proc(&StatusRecord);
    entries[kPelomStatusWord] = Proc(&StatusWord);
    return 1;
}
#endif

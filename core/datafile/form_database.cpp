// The form database over the registry. Each call reads the stored forms afresh, so that two
// dialogs of one printer never work on stale copies of each other's changes.
#include "core/datafile/form_database.h"

#include <windows.h>
#include <strings.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr char kPrintersKey[] = "System\\CurrentControlSet\\control\\Print\\Printers\\";

bool formKeyPath(const std::string& printer, std::string& path) {
    if (printer.empty() || printer.find('\\') != std::string::npos) return false;
    path = kPrintersKey + printer + "\\PrinterDriverData\\" + kFormDataKey;
    return path.size() < MAX_PATH;
}

// Opens the key; with create, makes it below an existing printer (never a printer's key itself).
HKEY openForms(const std::string& printer, bool create) {
    std::string path;
    if (!formKeyPath(printer, path)) return nullptr;
    HKEY key = nullptr;
    if (!create) return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS ? key : nullptr;
    HKEY printerKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kPrintersKey + printer).c_str(), 0, KEY_WRITE, &printerKey) != ERROR_SUCCESS)
        return nullptr;
    std::string sub = std::string("PrinterDriverData\\") + kFormDataKey;
    LONG made = RegCreateKeyExA(printerKey, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr);
    RegCloseKey(printerKey);
    return made == ERROR_SUCCESS ? key : nullptr;
}

bool validName(const char* name) {
    if (!name || !*name) return false;
    size_t n = std::strlen(name);
    return n < kFormNameField && std::none_of(name, name + n, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool validSize(uint32_t width, uint32_t length) {
    return width >= kMinFormLength && width <= kMaxFormLength && length >= kMinFormLength && length <= kMaxFormLength;
}

bool validPaperId(uint16_t id) { return id >= kFirstFormPaperId && id <= kLastFormPaperId; }

const FormEntry* findByName(const std::vector<FormEntry>& forms, const char* name) {
    for (const FormEntry& f : forms)
        if (strcasecmp(f.name.c_str(), name) == 0) return &f;
    return nullptr;
}

bool paperIdTaken(const std::vector<FormEntry>& forms, uint16_t id, const FormEntry* except) {
    return std::any_of(forms.begin(), forms.end(), [&](const FormEntry& f) { return &f != except && f.paperId == id; });
}

bool store(const std::string& printer, const FormEntry& form) {
    uint8_t bytes[kFormRecordSize] = {};
    MutableByteView out(bytes, sizeof bytes);
    out.put_u16(0, form.paperId);
    out.put_u32(4, form.width);
    out.put_u32(8, form.length);
    HKEY key = openForms(printer, true);
    if (!key) return false;
    bool ok = RegSetValueExA(key, form.name.c_str(), 0, REG_BINARY, bytes, sizeof bytes) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

}  // namespace

bool ParseFormRecord(ByteView value, FormEntry& out) {
    uint16_t paperId = 0;
    uint32_t width = 0, length = 0;
    if (value.size() != kFormRecordSize || !value.u16(0, paperId) || !value.u32(4, width) || !value.u32(8, length))
        return false;
    if (!validPaperId(paperId) || !validSize(width, length)) return false;
    out.paperId = paperId;
    out.width = width;
    out.length = length;
    return true;
}

std::vector<FormEntry> ReadForms(const std::string& printer) {
    std::vector<FormEntry> forms;
    HKEY key = openForms(printer, false);
    if (!key) return forms;
    for (DWORD i = 0;; ++i) {
        char name[256];
        uint8_t data[kFormRecordSize + 1];  // one byte more, so that a longer value shows as one
        DWORD nameSize = sizeof name, type = 0, dataSize = sizeof data;
        LONG r = RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS || type != REG_BINARY || !validName(name)) continue;
        FormEntry form;
        form.name = name;
        if (!ParseFormRecord(ByteView(data, dataSize), form) || findByName(forms, name) ||
            paperIdTaken(forms, form.paperId, nullptr))
            continue;
        forms.push_back(std::move(form));
    }
    RegCloseKey(key);
    std::sort(forms.begin(), forms.end(), [](const FormEntry& a, const FormEntry& b) { return a.paperId < b.paperId; });
    if (forms.size() > kMaxForms) forms.resize(kMaxForms);
    return forms;
}

int FormDatabase::Add(const char* name, uint16_t paperId, uint32_t width, uint32_t length) {
    if (!validName(name) || !validSize(width, length)) return kTableRefused;
    std::vector<FormEntry> forms = ReadForms(printer_);
    if (forms.size() >= kMaxForms || findByName(forms, name)) return kTableRefused;
    if (paperId == 0) {
        paperId = kFirstFormPaperId;
        while (paperIdTaken(forms, paperId, nullptr)) ++paperId;
    }
    if (!validPaperId(paperId) || paperIdTaken(forms, paperId, nullptr)) return kTableRefused;
    return store(printer_, FormEntry{name, paperId, width, length}) ? kTableDone : kTableRefused;
}

int FormDatabase::Change(const char* name, uint16_t paperId, uint32_t width, uint32_t length) {
    if (!name || !validSize(width, length)) return kTableRefused;
    std::vector<FormEntry> forms = ReadForms(printer_);
    const FormEntry* form = findByName(forms, name);
    if (!form) return kTableRefused;
    FormEntry changed = *form;  // keeps the stored spelling of the name
    if (paperId) {
        if (!validPaperId(paperId) || paperIdTaken(forms, paperId, form)) return kTableRefused;
        changed.paperId = paperId;
    }
    changed.width = width;
    changed.length = length;
    return store(printer_, changed) ? kTableDone : kTableRefused;
}

int FormDatabase::Delete(const char* name) {
    if (!name) return kTableRefused;
    std::vector<FormEntry> forms = ReadForms(printer_);
    const FormEntry* form = findByName(forms, name);
    if (!form) return kTableRefused;
    HKEY key = openForms(printer_, true);
    if (!key) return kTableRefused;
    bool ok = RegDeleteValueA(key, form->name.c_str()) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok ? kTableDone : kTableRefused;
}

int FormDatabase::Enumerate(size_t index, FormEntry& out) const {
    std::vector<FormEntry> forms = ReadForms(printer_);
    if (index >= forms.size()) return kTableNoItem;
    out = forms[index];
    return kTableDone;
}

// Fuzz target of the profile file reader: the fuzzer's bytes are a file handed to the bundled
// printer's profile store for import. Whatever the file holds, the reader reads nothing past it,
// and what it answers is a record whose sizes agree and whose device mode passes the checks.
#include "fuzz/devmode_session_harness.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/library/exports_devicemode.h"
#include "profiles/profile.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) { fuzzprinter::Fail("profile_file", what); }

constexpr char kFile[] = "C:\\fuzz.pfl";

Profile* g_store = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("profile_file");
    fuzzprinter::OpenSession("profile_file");
    g_store = new Profile(fuzzprinter::SessionObject(), 0);
    std::atexit([] { delete g_store; });  // registered after the session, so it runs before the session ends
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0x20000) return 0;
    HANDLE file = CreateFileA(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("the file cannot be written");
    DWORD written = 0;
    WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    const ProfileRecord record = g_store->ImportProfileFile(nullptr, kFile, true);
    if (record.empty()) return 0;
    if (!CmProfile::IsSoundRecord(record.data(), record.size())) Fail("an unsound record was answered");
    const uint8_t* dm = record.data() + profile::kRecordDevmode;
    if (devmode::checkDevmode(dm, record.size() - profile::kRecordDevmode).trust != devmode::Trust::Private)
        Fail("the answered device mode does not pass the checks");
    return 0;
}

// A stand-in of the maker's import library, built as "TARQEN.dll" (and without its export, to
// test a library that lacks it). It answers what "TARQENSIM.TXT" beside it says ("answer N")
// and logs its loads and calls to "TARQENSIM.LOG".
#include "device/bridges/pelom_interface.h"
#include "standin_files.h"

#include <cstring>

#define EXPORT extern "C" __attribute__((visibility("default")))

struct HINSTANCE__;
EXPORT int DllMain(HINSTANCE__*, unsigned reason, void*) {
    if (reason == 1) standin::Log("TARQENSIM.LOG", "attach");
    if (reason == 0) standin::Log("TARQENSIM.LOG", "detach");
    return 1;
}

#ifndef STANDIN_WITHOUT_ENTRY
EXPORT int32_t TARQEN_ImpRMFile(const char* printer, const char* path, char* output) {
    standin::Log("TARQENSIM.LOG", std::string("import ") + printer + "|" + path);
    std::strcpy(output, "imported");
    return static_cast<int32_t>(standin::Number(standin::Describe("TARQENSIM.TXT"), "answer", 0));
}
#endif

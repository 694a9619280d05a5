// Fuzz target of the add-in description reader: any bytes give at most kCpiMaxAddIns add-ins,
// each with a plain file name, bounded texts and distinct class ids.
#include "core/addins/cpi_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<AddInRecord> addIns;
    const bool found = ReadCpiFile(data, size, addIns);
    if (!found && !addIns.empty()) std::abort();
    if (addIns.size() > kCpiMaxAddIns) std::abort();
    for (std::size_t i = 0; i < addIns.size(); ++i) {
        const AddInRecord& a = addIns[i];
        if (a.name.empty() || a.name.size() > kCpiMaxText || a.description.size() > kCpiMaxText) std::abort();
        if (a.file.find_first_of("\\/:") != std::string::npos || a.file.find('\0') != std::string::npos) std::abort();
        for (std::size_t j = 0; j < i; ++j)
            if (addIns[j].classId == a.classId) std::abort();
    }
    return 0;
}

// ".CPI" files: the description of the add-ins installed beside the driver. A file is text in
// sections; the section "Add-Ins" lists one add-in a line as
//     Name={class id},FILE.DLL[,description]
// The reader takes the bytes of a file from anywhere (an installer, a user, a damaged disk) and
// keeps only what it can fully check: a class id of 32 hex digits in the registry form, a file
// name without a folder (an add-in is loaded from the driver's folder and nowhere else), and
// texts within their bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ClassId {
    uint32_t data1 = 0;
    uint16_t data2 = 0, data3 = 0;
    uint8_t data4[8] = {};
    bool operator==(const ClassId&) const = default;
};

struct AddInRecord {
    std::string name;
    ClassId classId;
    std::string file;
    std::string description;
};

// Limits of a description file: what a real one holds many times over.
inline constexpr std::size_t kCpiMaxBytes = 64 * 1024;
inline constexpr std::size_t kCpiMaxAddIns = 16;
inline constexpr std::size_t kCpiMaxText = 259;

// The add-ins the text lists, in order; lines that do not check are skipped. False (and no
// add-ins) when the file is larger than kCpiMaxBytes or holds no section "Add-Ins".
bool ReadCpiFile(const uint8_t* bytes, std::size_t size, std::vector<AddInRecord>& addIns);

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", case-insensitive hex; false for anything else.
bool ParseClassId(const std::string& text, ClassId& id);

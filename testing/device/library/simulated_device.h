// The simulated device behind the simulated device-information library: what it answers, read
// from a readable description, and the faults it is told to make.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace simdev {

struct Value {
    uint32_t type = 0;       // 1 number, 2 text, 3 structured
    uint32_t number = 0;
    std::string text;
    std::vector<uint8_t> bytes;
    bool nullPointer = false;  // a text or structured value whose pointer is null
};

struct Attribute {
    uint32_t object = 0;
    uint32_t id = 0;
    std::vector<Value> values;
    bool nullValues = false;  // the value array itself is null
};

struct NameListEntry {
    std::string name;
    std::string text;
    uint8_t value = 0;
};

struct Device {
    std::string host;            // empty: the information names no computer
    uint32_t port = 9100;
    bool hasAddress = true;
    uint8_t address[4] = {192, 168, 0, 10};
    bool worker = false;         // call back from a thread of the library
    uint32_t parts = 0;          // values per reply of a multi-part answer (0: one reply)
    std::vector<Attribute> attributes;
    std::map<std::pair<uint32_t, uint32_t>, std::vector<uint32_t>> lists;  // (list, list) -> object ids
    std::map<uint32_t, std::vector<uint32_t>> values;                      // parameter -> values
    std::vector<std::pair<uint32_t, std::string>> mailBoxes;
    std::vector<std::pair<std::string, uint32_t>> fonts;
    std::map<std::string, std::string> variables;
    std::map<uint32_t, uint32_t> rows;
    std::string rowText;
    uint32_t textAnswer[3] = {};
    std::vector<NameListEntry> nameList;
    uint32_t pair[2] = {};
    std::vector<std::pair<uint32_t, uint32_t>> accounts;
    uint16_t remote[2] = {};

    // Faults, by the library's slot number.
    std::map<int, int32_t> refuse;       // the request call answers this negative value
    std::map<int, int32_t> status;       // the callback reports this status
    std::map<int, uint32_t> extra;       // this many callbacks more than asked
    std::map<int, bool> nullReply;       // the callback brings no reply
    int32_t startCode = 0;
    int32_t connectCode = 0;
    uint32_t infoCode = 0;               // the answer to the information query
    int32_t accountCode = 0;
    bool strayPointers = false;          // the information block points outside itself
};

// Reads a description; false with the line number on the first line that does not read.
bool ParseDevice(const std::string& text, Device& device, int& badLine);

}  // namespace simdev

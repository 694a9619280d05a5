// The writing side of the driver data file, for the builder tool and the tests: a file spec in
// memory (fields, lists with their sub-lists, texts, model blocks, data items) becomes the exact
// bytes the loader reads. It writes what it is given; the loader is the one that judges.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace datafile {

struct EntrySpec {
    std::vector<uint8_t> bytes;       // the entry, of the list's entry size
    std::vector<uint8_t> sub;         // the entries of its sub-list, back to back
    bool hasSub = false;
};

struct ListSpec {
    uint16_t handleOffset = 0;        // the list's handle field in the record
    uint16_t entrySize = 0;
    std::vector<EntrySpec> entries;
};

struct ItemSpec {
    uint16_t id = 0;
    std::vector<uint8_t> bytes;
    bool compress = false;
};

struct FileSpec {
    uint16_t modelCode = 0;
    std::string modelName;            // the name block ("PCL5e ..."); empty writes none
    std::vector<uint8_t> modelInfo;   // model block A
    bool hasModelInfo = false;
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> fields;  // offset, bytes
    std::vector<std::pair<uint16_t, std::string>> texts;            // handle offset, text
    std::vector<ListSpec> lists;
    std::vector<ItemSpec> items;
};

std::vector<uint8_t> WriteDataFile(const FileSpec& spec);

// Rewrites the header checksum after the bytes behind it changed (tests and fuzzing).
void FixChecksum(std::vector<uint8_t>& file);
void FixChecksum(uint8_t* file, size_t size);

}  // namespace datafile

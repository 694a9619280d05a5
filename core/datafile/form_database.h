// The printer's user-defined forms: one binary value per form under the printer's
// "PrinterDriverData\FORMDATA" key, named by the form, holding its paper id and size. At most 50
// forms; their paper ids lie from 2000 up. The paper table lists them beside the built-in papers.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/device/core_interface.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kFormDataKey[] = "FORMDATA";
inline constexpr size_t kMaxForms = 50;
inline constexpr size_t kFormNameField = 32;  // with its terminator
inline constexpr uint16_t kFirstFormPaperId = 2000;
inline constexpr uint16_t kLastFormPaperId = 3999;
// Sizes in 0.1 mm that a form may take: from 1 cm to 10 m.
inline constexpr uint32_t kMinFormLength = 100;
inline constexpr uint32_t kMaxFormLength = 100000;

// The stored value: u16 paper id, u16 reserved (0), u32 width, u32 length; little-endian.
inline constexpr size_t kFormRecordSize = 12;

struct FormEntry {
    std::string name;
    uint16_t paperId = 0;
    uint32_t width = 0;   // 0.1 mm
    uint32_t length = 0;  // 0.1 mm
};

// Parses one stored value; false for a value of another size or a paper id or size out of range.
bool ParseFormRecord(ByteView value, FormEntry& out);
// Reads every well-formed form of the printer, by ascending paper id; values that fail the checks
// are left out (and left alone). At most kMaxForms.
std::vector<FormEntry> ReadForms(const std::string& printer);

// The form database interface of `UiServiceTable::Query` kind 6. Every change is checked first
// and written to the registry before it answers; a refused change answers kTableRefused and
// leaves the stored forms as they were.
class FormDatabase : public CoreInterface {
public:
    explicit FormDatabase(const std::string& printer) : printer_(printer) {}

    // Adds a form. A paper id of 0 takes the lowest free one from kFirstFormPaperId. Refused for
    // a name that is empty, does not fit, or is taken (compared without regard to case), a size
    // out of range, a paper id out of range or taken, or a full database.
    int Add(const char* name, uint16_t paperId, uint32_t width, uint32_t length);
    // Changes the size (and, when paperId is not 0, the paper id) of the form of that name.
    int Change(const char* name, uint16_t paperId, uint32_t width, uint32_t length);
    // Removes the form of that name; refused when there is none.
    int Delete(const char* name);
    // The form at index (by ascending paper id): kTableDone, or kTableNoItem past the end.
    int Enumerate(size_t index, FormEntry& out) const;

private:
    std::string printer_;
};

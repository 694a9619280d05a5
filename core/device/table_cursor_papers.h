// The paper table of a printer and its cursor (`UiServiceTable::Query` kind 0): the papers the
// driver data file lists, the user forms of the form database and the custom size (paper 256),
// each with its size and printable area in tenths of a millimetre.
#pragma once

#include "core/device/core_interface.h"
#include "core/datafile/form_database.h"
#include "core/device/row_place.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A paper of the driver data file with its finishing states (0 disabled, 1 off, 2 on).
struct DevicePaper {
    uint16_t id = 0;
    uint32_t assumed = 0, staple = 0, saddle = 0, duplex = 0, noPairing = 0, zFold = 0, holePunch = 0;
};

// The user-paper record of the driver data file (0.1 mm).
struct UserPaperLimits {
    uint32_t defaultWidth = 0, defaultLength = 0;
    uint32_t marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
    uint32_t minWidth = 0, minLength = 0, maxWidth = 0, maxLength = 0;
};

// The custom size, shared by every table and cursor of one printer so that a size set through
// an older cursor is not lost when the table is rebuilt.
struct CustomPaperSize {
    uint32_t width = 0, length = 0;
    int32_t area[4] = {};
};

inline constexpr int kPaperAttributeCount = 7;
// Flags of a row (GetFlag k is bit k - 1).
inline constexpr uint32_t kPaperHidden = 0x1;     // 1: not offered
inline constexpr uint32_t kPaperUserForm = 0x2;   // 2: a form of the form database
inline constexpr uint32_t kPaperStandard = 0x4;   // 3: a standard size the device feeds as such
inline constexpr uint32_t kPaperCustom = 0x8;     // 4: the custom size

struct PaperRow {
    uint16_t code = 0;    // GetWord(1)
    uint16_t baseId = 0;  // GetWord(2): what the device is sent (256 for forms and the custom size)
    std::string name;
    uint32_t width = 0, length = 0;
    int32_t area[4] = {};
    uint32_t attributes[kPaperAttributeCount] = {};  // GetFormAttribute 1 to 7
    uint32_t flags = 0;
};

class PaperTable {
public:
    PaperTable(const std::vector<DevicePaper>& papers, const UserPaperLimits& limits,
               const std::vector<FormEntry>& forms, std::shared_ptr<CustomPaperSize> custom);

    const std::vector<PaperRow>& Rows() const { return rows_; }
    const UserPaperLimits& Limits() const { return limits_; }
    // Stores the custom size when it lies within the limits (a null area takes the margins);
    // false, nothing changed, otherwise.
    bool SetCustomSize(uint32_t width, uint32_t length, const int32_t* area);
    // The row of a paper code with the current custom size filled in; false when absent.
    bool Find(uint16_t code, PaperRow& out) const;

private:
    void FillCustom(PaperRow& row) const;

    std::vector<PaperRow> rows_;
    UserPaperLimits limits_;
    std::shared_ptr<CustomPaperSize> custom_;
};

class PaperCursor : public CoreInterface {
public:
    explicit PaperCursor(std::shared_ptr<PaperTable> table) : table_(std::move(table)) {}

    // Makes the row of that paper code current; non-zero when found (else no row is current).
    int Select(uint16_t code);
    // Back to the first row / on to the next; non-zero while a row became current.
    int First();
    int Next();
    // 16-bit number k of the current row: 1 the paper code, 2 the base paper id; 0 without one.
    uint16_t GetWord(int k) const;
    // Copies the current row's name (k 1) into buffer, cut to fit; 0 without a row or buffer.
    int GetFormName(int k, char* buffer, size_t size) const;
    // Flag k (1 to 4) of the current row, 1 when set.
    int GetFlag(int k) const;
    // Attribute k (1 to 7: assumed, staple, saddle, duplex, no pairing, Z-fold, hole punch).
    uint32_t GetFormAttribute(int k) const;
    // Width and length into size, the printable area into area, each only when not null;
    // 1, or 0 without a current row.
    int GetFormSize(uint32_t* size, int32_t* area) const;
    // k 1: the current row is the custom size; k 2: the device is sent a custom size for it.
    int IsCustom(int k) const;
    // Sets the custom size (paper 256): size {width, length}, area or null. 1 when taken.
    int SetCustomSize(const uint32_t* size, const int32_t* area);

private:
    const PaperRow* Current() const;

    std::shared_ptr<PaperTable> table_;
    RowPlace place_;
    mutable PaperRow scratch_;
};

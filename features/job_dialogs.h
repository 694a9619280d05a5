// Feature dialogs that show no setting items: the book-cover warning, which can be silenced for
// the job, and the list of documents stored in the device.
#pragma once

#include "ui/proc.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kBookCoverWarningDialogKind = 72;
inline constexpr int kBrowseFileDialogKind = 82;

class BookCoverWarningProc : public Proc {
public:
    BookCoverWarningProc();
    BOOL OnInitDialog() override;
    BOOL OnPaint() override;
    BOOL OnCommand(WORD id, WORD code) override;
};

// One document the device keeps.
struct StoredDocument {
    uint32_t number = 0;
    std::string name;
};

class BrowseFileProc : public Proc {
public:
    BrowseFileProc();
    BOOL OnInitDialog() override;

private:
    std::vector<StoredDocument> documents_;
};

// The documents of a browse reply's entries (100 of 132 bytes: u32 number, name[64], char[64]),
// those with a name, in order; a name is read only inside its field.
std::vector<StoredDocument> ReadStoredDocuments(const uint8_t* entries, size_t size);

bool RegisterJobDialogs();
void UnregisterJobDialogs();

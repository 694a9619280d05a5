// Feature dialogs that show no setting items: the book-cover warning, which can be silenced for
// the job, the list of documents stored in the device, the job's mail boxes, the add-in
// information, the format of the printed date, user name and page number, and the paper-source
// list.
#pragma once

#include "ui/main_pages.h"
#include "ui/proc.h"

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kBookCoverWarningDialogKind = 72;
inline constexpr int kAddinInfoDialogKind = 74;
inline constexpr int kMailBoxDialogKind = 78;
inline constexpr int kBrowseFileDialogKind = 82;

class BookCoverWarningProc : public Proc {
public:
    BookCoverWarningProc();
    BOOL OnInitDialog() override;
    BOOL OnPaint() override;
    BOOL OnCommand(WORD id, WORD code) override;
};

// The job's mail boxes: where the job goes (boxes or stored in the device under a name) and which
// boxes. The dialog works on a copy of the job's block; OK keeps it.
class MailBoxGDProc : public Proc {
public:
    MailBoxGDProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnNotify(int id, NMHDR* header) override;

private:
    void ShowChoices();
    uint8_t job_[138] = {};
    bool filling_ = false;
};

// The add-ins loaded for the printer, and what each record says of itself.
class AddinInfoProc : public Proc {
public:
    AddinInfoProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;

private:
    void ShowSelected();
};

// The format of the printed date, user name and page number: face, style, size and colour.
class FormatSettingsProc : public Proc {
public:
    FormatSettingsProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    BOOL OnMeasureItem(int id, MEASUREITEMSTRUCT* item) override;
    BOOL OnDrawItem(int id, DRAWITEMSTRUCT* item) override;

private:
    uint8_t* Settings() const;
    void Show(const std::string& face, uint32_t style, int size, uint32_t colour);
    bool Store();
};

// One paper source as the paper-source list keeps it.
struct PaperSourceRecord {
    char name[36] = {};
    uint16_t paperSize = 0, orientation = 0, mediaType = 0;
    char tray[20] = {};
    uint16_t remaining = 0;
    uint16_t id = 0;  // which source, to write it back
};

// The paper sources of the printer with their paper, media and level.
class PaperSourceSetProc : public Proc {
public:
    PaperSourceSetProc();
    BOOL OnInitDialog() override;
    BOOL OnCommand(WORD id, WORD code) override;
    static std::vector<PaperSourceRecord> ReadSources(UIDEVDATA* ctx);

private:
    void Store();
    std::vector<PaperSourceRecord> records_;
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

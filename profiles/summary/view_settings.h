// `ViewSettings`: the driver's settings summary. It arranges the common row groups and its own
// (paper handling, sources, quality, installed options, add-ins, job) into a heading, five
// sections and a footer, each handed out as its own text, and copies them all to the clipboard.
#pragma once

#include "profiles/summary/cm_view_settings.h"

#include <cstdint>
#include <memory>

struct ModelDescription;

// Pieces of GetSectionText besides the sections 0 to 4.
inline constexpr int kSummarySeparator = -3;
inline constexpr int kSummaryFooter = -2;
inline constexpr int kSummaryHeading = -1;
inline constexpr int kSummarySectionCount = 5;

class ViewSettings : public CmViewSettings {
public:
    explicit ViewSettings(UIDEVDATA* ctx);
    ~ViewSettings() override;

    // A new text (kTextSize characters, from the library's private heap; the caller frees it
    // with FreeText) of one piece; null without memory.
    char* GetSectionText(int index);
    static void FreeText(char* text);
    // Joins heading, sections and footer and puts them on the clipboard as text.
    void CopyToClipboard();

    // Whether section 2 is left out (model flag M1), as the copy and the pages decide.
    bool LeavesOutSection2();

    // The footer's pieces, by path of a file: "\t\t\t\tmm/dd/yy hh:mm AM" of its last write, its
    // product version, both, and the name behind the last backslash.
    static void FileTimeText(const char* path, char* out);
    static void FormatFileTime(const SYSTEMTIME& time, char* out);
    static void FileVersionText(const char* path, char* out);
    static void FileVersionAndTime(const char* path, char* out);
    static const char* AfterLastBackslash(const char* path);
    // A value of several lines made to show as one row and further rows with empty labels.
    static void FlattenMultiLine(char* value);
    // The operating system's name as the version record gives it.
    static void OsName(const OSVERSIONINFOA& info, char* out, size_t size);

    // Row groups replaced for this driver.
    void Setting124ModeRow(char* text) override;

private:
    int DashLine(char* text);
    void Heading(char* text);
    void Section0Body(char* text);
    void Section1Body(char* text);
    void Section2Body(char* text);
    void Section3Body(char* text);
    void Section4Body(char* text);
    void JobRows(char* text);
    int Footer(char* text);
    void DependentFileRows(char* text);
    int OsNameValue(char* text);
    void PaperHandlingRows(char* text);
    int ShortSourceRows(char* text);
    void AddInRows(char* text);
    void PaperSourceRows(char* text);
    // The installed-option groups (117 to 150 and the model's own rows); false for another slot.
    bool DeviceOptionSlot(int slot, char* text);
    // A row group of this class by its number.
    void Slot(int slot, char* text);
    // The byte of the device options' data part at that offset; 0 outside it.
    uint8_t OptionByte(size_t offset);
    uint16_t OptionWord(size_t offset);
    uint8_t PrivateByte(size_t offset);
    uint16_t PrivateWord(size_t offset);
    uint16_t Model();
    uint32_t Flag(unsigned n);

    bool clipboardMode_ = false;
    std::unique_ptr<ModelDescription> model_;
    uint16_t modelCode_ = 0;
};

// Registers the summary's module factory, its dialog kinds and its pages.
bool RegisterViewSettings();
void UnregisterViewSettings();

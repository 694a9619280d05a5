// The described models. The two bundled printers (2059, the monochrome Kelvaro, and 2071, its
// colour sibling) are described in full; the other models carry what the option interfaces and
// the page-composition adapter test of them. Tables are constants shared by every copy; only the
// words of a description are copied per `PdlData`.
#include "model/model_catalogue.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace {

using Builder = void (*)(ModelDescription&);

void setCode(ModelDescription& d, uint32_t code, uint32_t value) {
    for (size_t i = 0; i < kGatedCodeCount; ++i)
        if (kGatedCodes[i] == code) d.codeFlags[i] = value;
}

void setFeature(ModelDescription& d, CompositionFeature which, uint32_t value) {
    d.features[static_cast<size_t>(which)] = value;
}

// Sources of the Kelvaro family: auto select, trays 1 to 4 (3 and 4 optional), bypass tray.
constexpr ModelSourceRecord kKelvaroSources[] = {
    {7, 0, 0, 0, kModelSourceHidden},
    {1, 2, 9, 0, kModelSourceInPageList},
    {3, 2, 9, 0, kModelSourceInPageList},
    {2, 2, 9, 0, kModelSourceInPageList},
    {264, 3, 9, 0, kModelSourceInPageList | kModelSourceLargeCapacity},
    {4, 2, 9, 0, kModelSourceInPageList},
    {0, 0, 0, 0, 0},
};

// Media ids of the driver data file paired with the device's own media codes.
constexpr int16_t kKelvaroMediaIds[] = {2, 1, 3, 2, 4, 5, 9, 3, 10, 7, 12, 6, 15, 8, -1};
constexpr uint16_t kKelvaroMediaLibrary[] = {2, 3, 9, 10, 12, 0};
constexpr FinisherIndexEntry kKelvaroFinishers[] = {{0, 0x21}, {1, 0x22}, {0, 0}};
constexpr uint16_t kKelvaroSecondTrays[] = {2, 264, 0};
constexpr ExpectedName kKelvaroNames[] = {
    {1, 2, 1, "Finisher"},
    {2, 264, 1, "LCT"},
    {0, 0, 0, nullptr},
};

// What both Kelvaro models share.
void kelvaro(ModelDescription& d) {
    d.capabilities[0] = 0x0000'01FF;
    d.capabilities[1] = 0x0000'0036;
    d.pageListFlag = 1;
    d.pageListBFlag = 1;
    d.pageListLength = 100;
    d.pageList30Flag = 1;
    d.sources = kKelvaroSources;
    d.trayTableFlag = 1;
    d.trayTableKind = 1;
    d.trayKindFlag = 1;
    d.trayKind = 2;
    d.sourceListFlag = 1;
    d.accountKind = 1;
    d.mediaLibraryFlag = 1;
    d.mailBoxNameFlags = 0x3;
    d.bookletUnitFlag = 1;
    d.mediaIds = kKelvaroMediaIds;
    d.layoutFlag = 1;
    d.finisherIndex = kKelvaroFinishers;
    d.unitWord = 100;
    d.deviceInfoFlag = 1;
    for (uint32_t code : {0x10040u, 0x10044u, 0x10056u, 0x100CAu, 0x100CBu, 0x100DDu, 0x10115u, 0x1012Eu, 0x1001Cu})
        setCode(d, code, 1);
    d.finisherKind = 3;
    setFeature(d, CompositionFeature::Host15, 1);
    setFeature(d, CompositionFeature::Host48E, 1);
    d.brandMediaFlag = 1;
    d.paperSet = 1;
    d.mailBoxSwitch = 1;
    d.expectedNames = kKelvaroNames;
    d.insertionTableWords = 4;
    d.insertionFlag = 1;
    d.coverOptionsFlag = 1;
    d.coverKind = 1;
    d.mediaLibraryList = kKelvaroMediaLibrary;
    d.secondTrayList = kKelvaroSecondTrays;
    d.staplePictureFlag = 1;
    d.secondFinishingPictureFlag = 1;
    d.summaryFlags[1] = 1;  // M2
    d.summaryFlags[9] = 2;  // M10
    d.graphicsFlag = 1;
}

void kelvaro5e(ModelDescription& d) {
    kelvaro(d);
    d.capabilities[2] = 0x0000'0001;
}

void kelvaro5c(ModelDescription& d) {
    kelvaro(d);
    d.capabilities[2] = 0x0000'0003;
    d.colourModelFlags = 0x1;
    d.attribute2153Switch = 1;
    setFeature(d, CompositionFeature::Host806, 1);
    setFeature(d, CompositionFeature::Matching, 1);
    d.summaryFlags[3] = 1;  // M4: colour rows
}

// An early desktop model: no finisher, no page lists, two trays.
constexpr ModelSourceRecord kDesktopSources[] = {
    {1, 2, 9, 0, 0},
    {4, 2, 9, 0, 0},
    {0, 0, 0, 0, 0},
};
void desktop7(ModelDescription& d) {
    d.capabilities[0] = 0x0000'00A1;  // the memory and two device words, asked over the network
    d.sources = kDesktopSources;
    d.unitWord = 16;
    d.paperSet = 1;
    d.summaryFlags[0] = 1;  // M1: short copy of the summary
    d.shortFormFlag = 1;
    d.singlePictureFlag = 1;
    d.trayPictureFlag = 1;  // one fixed tray: its picture is not a button
}

// Office models with a finisher of the first kind and mail boxes.
void office2024(ModelDescription& d) {
    d.sources = kKelvaroSources;
    d.trayTableFlag = 1;
    d.unitWord = 100;
    d.mailBoxNameFlags = 0x1;
    d.finisherKind = 1;
    d.paperSet = 2;
    setCode(d, 0x10068, 1);
    setFeature(d, CompositionFeature::Set1B, 1);
}

// The 2065 family: large colour office models with the media library and insertion trays.
void office2065(ModelDescription& d) {
    kelvaro(d);
    d.capabilities[2] = 0x0000'0003;
    d.unitWord = 400;
    d.colourModelFlags = 0x1;
    d.insertionTableWords = 8;
    d.coverKind = 3;
    setCode(d, 0x100CC, 1);
    setCode(d, 0x10150, 1);
    setCode(d, 0x1000E, 1);
    setFeature(d, CompositionFeature::Host806, 1);
    setFeature(d, CompositionFeature::Set1B, 1);
}

void office2069(ModelDescription& d) {
    office2065(d);
    d.bit14Flag = 1;
    d.trayKind = 3;
}

void office2070(ModelDescription& d) {
    office2065(d);
    d.capabilities[2] = 0x0000'0001;
    d.colourModelFlags = 0;
}

// A production model: its own source types and no account kind.
void production3001(ModelDescription& d) {
    kelvaro(d);
    d.accountKind = 0;
    d.unitWord = 400;
    d.finisherKind = 1;
    d.coverKind = 2;
    d.mailBoxNameFlags = 0;
    d.summaryFlags[15] = 1;  // M16
}

struct Entry {
    uint16_t model;
    Builder build;
};

// Sorted by model code.
constexpr Entry kModels[] = {
    {7, desktop7},         {0x7E8, office2024},   {2059, kelvaro5e},     {2065, office2065},
    {2066, office2065},    {2067, office2065},    {2068, office2065},    {2069, office2069},
    {2070, office2070},    {2071, kelvaro5c},     {3001, production3001},
};

constexpr auto kCodes = [] {
    std::array<uint16_t, std::size(kModels)> codes{};
    for (size_t i = 0; i < codes.size(); ++i) codes[i] = kModels[i].model;
    return codes;
}();
static_assert(std::is_sorted(kCodes.begin(), kCodes.end()));

}  // namespace

bool DescribeModel(uint16_t model, ModelDescription& out) {
    std::memset(&out, 0, sizeof out);
    auto it = std::lower_bound(std::begin(kModels), std::end(kModels), model,
                               [](const Entry& e, uint16_t m) { return e.model < m; });
    if (it == std::end(kModels) || it->model != model) return false;
    out.modelCode = model;
    it->build(out);
    return true;
}

const uint16_t* DescribedModels(size_t& count) {
    count = kCodes.size();
    return kCodes.data();
}

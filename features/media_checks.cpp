// The media dialog's conditions in the order they are asked, over the media library's tests.
#include "features/media_checks.h"

#include "model/media_library.h"
#include "model/media_table.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr uint16_t kTwoSidedAnyMedia = 0x40;
constexpr uint16_t kPlainTypes[] = {6, 7};  // printed two-sided whatever the library says
constexpr uint16_t kStapleRefusingModels[] = {2065, 2066, 2084, 2085};
constexpr uint16_t kHeavyType = 23;
constexpr uint8_t kHeavyPaper = 18;

struct PairRule {
    uint16_t model;  // 0: every model
    uint16_t mediaType;
    int answer;
};
// Pairs known to be refused; none is known yet, and what the table does not name is allowed.
constexpr PairRule kPairRules[] = {{0, 0, 1}};

bool InKind2List(uint16_t model, uint16_t mediaType) {
    for (const int32_t* id = GetModelMediaTable(model, 2); *id != -1; ++id)
        if (*id == mediaType) return true;
    return false;
}

}  // namespace

bool MediaSuitsSettings(const MediaCheckSettings& s, const MediaRecord& m) {
    auto test = [&](int operation) {
        return MediaLibrary_Dispatch(operation, s.model, m.sizeClass, m.mediaType, m.sourceClass) != 0;
    };
    if ((s.option124 == 2 || (s.option110 & 0x1)) && !test(kMediaOpLayout)) return false;
    if ((s.option190 & 0x1) && !(s.flags & kTwoSidedAnyMedia) &&
        std::find(std::begin(kPlainTypes), std::end(kPlainTypes), m.mediaType) == std::end(kPlainTypes) &&
        !test(kMediaOpDuplex))
        return false;
    if (s.option190 & 0x10) {
        const bool refusing = std::find(std::begin(kStapleRefusingModels), std::end(kStapleRefusingModels), s.model) !=
                              std::end(kStapleRefusingModels);
        if (refusing && m.mediaType == kHeavyType && s.currentPaper == kHeavyPaper) return false;
        if (!test(kMediaOpStaple)) return false;
    }
    if ((s.option190 & 0x20) && !test(kMediaOpPunch)) return false;
    if ((s.option130 & 0x1) && !test(kMediaOpBooklet)) return false;
    if ((s.option190 & 0x80) && !InKind2List(s.model, m.mediaType)) return false;
    return true;
}

int MediaLibrary_PairTest(uint16_t model, uint16_t mediaType) {
    for (const PairRule& r : kPairRules)
        if ((r.model == 0 || r.model == model) && r.mediaType == mediaType) return r.answer;
    return 1;
}

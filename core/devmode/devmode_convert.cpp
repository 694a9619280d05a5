// Conversion between private versions and forms. Values move option by option through the
// table, so a section that grew between versions is read only as far as the source holds it.
#include "core/devmode/devmode_convert.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/devmode_public_fields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace devmode {
namespace {

// Options that lie end to end in their section, gathered into one run: a source section that
// holds a run's last byte holds every option of it, and the run moves in one copy. A run the
// source holds only in part goes option by option, as each option decides for itself.
struct OptionRun {
    unsigned section;
    uint16_t offset;
    uint16_t end;
    uint16_t first;  // its options, as places in `order`
    uint16_t last;
};

struct OptionRuns {
    std::vector<uint16_t> order;  // option rows by section, then offset
    std::vector<OptionRun> runs;
};

// Base's bytes are laid only into the gaps the runs leave, walking once from the header's end to
// the model section: that needs every section in layout order after the directory.
constexpr bool sectionsInLayoutOrder() {
    size_t at = kDirectoryEnd;
    for (unsigned i = 0; i < kSectionCount; ++i) {
        if (!kSectionSizes[i]) continue;
        if (kSectionOffsets[i] < at) return false;
        at = kSectionOffsets[i] + kSectionSizes[i];
    }
    return at == kDevmodeSize && kModelSectionId == kLastSection;
}
static_assert(kHeaderEnd <= kDirectoryEnd && sectionsInLayoutOrder());

const OptionRuns& optionRuns() {
    static const OptionRuns built = [] {
        OptionRuns r;
        for (size_t i = 0; i < kOptionCount; ++i) r.order.push_back(static_cast<uint16_t>(i));
        std::stable_sort(r.order.begin(), r.order.end(), [](uint16_t a, uint16_t b) {
            const OptionPlace &x = kOptionPlaces[a], &y = kOptionPlaces[b];
            return x.section != y.section ? x.section < y.section : x.offset < y.offset;
        });
        for (size_t k = 0; k < r.order.size(); ++k) {
            const uint16_t i = r.order[k];
            const OptionPlace& place = kOptionPlaces[i];
            const auto end = static_cast<uint16_t>(place.offset + kOptionRows[i].width);
            if (!r.runs.empty() && r.runs.back().section == place.section && r.runs.back().end == place.offset) {
                r.runs.back().end = end;
                r.runs.back().last = static_cast<uint16_t>(k);
            } else {
                r.runs.push_back({place.section, place.offset, end, static_cast<uint16_t>(k), static_cast<uint16_t>(k)});
            }
        }
        return r;
    }();
    return built;
}

}  // namespace

bool convertDevmode(const void* base, const void* source, size_t size, void* target, size_t targetSize) {
    if (!base || !target || targetSize < kDevmodeSize) return false;
    CheckedDevmode from = checkDevmode(source, size);
    CheckedDevmode over = checkDevmode(base, kDevmodeSize);
    if (from.trust != Trust::Private || over.trust != Trust::Private || over.version != kPrivateVersion ||
        over.totalSize != kDevmodeSize)
        return false;

    // Past the checks nothing fails, so the conversion is built in the target itself unless the
    // target shares bytes with what is read.
    auto overlaps = [&](const void* p, size_t n) {
        const auto a = reinterpret_cast<uintptr_t>(p), t = reinterpret_cast<uintptr_t>(target);
        return a < t + kDevmodeSize && t < a + n;
    };
    uint8_t scratch[kDevmodeSize];
    const bool inPlace = !overlaps(base, kDevmodeSize) && !overlaps(source, from.totalSize);
    uint8_t* out = inPlace ? static_cast<uint8_t*>(target) : scratch;
    ByteView in(source, from.totalSize);
    MutableByteView dm(out, kDevmodeSize);
    // Every byte is the source's where it holds it and base's elsewhere. The runs lie in layout
    // order, so base's bytes go only into the gaps between what the source gives, rather than
    // under all of it. The checks bound every span read here; should one still not lie inside,
    // base's bytes stand.
    const auto* under = static_cast<const uint8_t*>(base);
    auto fromSource = [&](size_t at, size_t to, size_t length) {
        const ByteView piece = in.sub(at, length);
        if (piece.size() != length || !dm.put_bytes(to, piece.data(), length)) dm.put_bytes(to, under + to, length);
    };
    size_t filled = kHeaderEnd;
    auto fromBase = [&](size_t end) {
        // Most gaps are the two bytes that round a section up to a word: a library call costs
        // more than moving them.
        if (end > filled && end - filled <= 2)
            for (; filled < end; ++filled) out[filled] = under[filled];
        else if (end > filled)
            std::memcpy(out + filled, under + filled, end - filled);
        filled = end;
    };
    // The public part and the fixed header fields keep their bytes as they are.
    fromSource(0, 0, kHeaderEnd);
    const OptionRuns& runs = optionRuns();
    for (const OptionRun& run : runs.runs) {
        const SectionSpan& span = from.section(run.section);
        const size_t sectionAt = kSectionOffsets[run.section - kFirstSection];
        if (run.end <= span.size) {
            fromBase(sectionAt + run.offset);
            fromSource(span.offset + run.offset, sectionAt + run.offset, run.end - run.offset);
            filled = sectionAt + run.end;
            continue;
        }
        fromBase(sectionAt + run.end);
        for (uint16_t k = run.first; k <= run.last; ++k) {
            const uint16_t i = runs.order[k];
            const uint16_t offset = kOptionPlaces[i].offset, width = kOptionRows[i].width;
            if (uint32_t{offset} + width > span.size) continue;  // an older section without it
            fromSource(span.offset + offset, sectionAt + offset, width);
        }
    }
    const SectionSpan& model = from.section(kModelSectionId);
    const size_t modelHeld = std::min<size_t>(model.size, kModelSectionSize);
    fromBase(kModelSectionOffset);
    fromSource(model.offset, kModelSectionOffset, modelHeld);
    filled = kModelSectionOffset + modelHeld;
    fromBase(kDevmodeSize);

    stampCurrentLayout(dm);
    // The converted form is trusted as if validated: a public value no printer takes gives way
    // to base's, and texts are read as terminated by code that never checks them again.
    soundPublicPart(dm, ByteView(base, kDevmodeSize));
    dm.put_u8(kOffDriverName + kDriverNameSize - 1, 0);
    if (!inPlace) std::memcpy(target, out, kDevmodeSize);
    return true;
}

}  // namespace devmode

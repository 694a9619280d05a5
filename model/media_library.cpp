// The rule table of the media-library tests. Media that the finishing units cannot take
// (transparencies, labels, envelopes) are refused for the operations that would pass them
// through those units; everything else is allowed.
#include "model/media_library.h"

#include <iterator>

namespace {

struct Rule {
    uint16_t model;      // 0: every model
    int operation;
    uint16_t mediaType;  // 0: any type
    uint16_t sizeClass;  // a media of only these size classes; 0: any
    bool allowed;
};

constexpr uint16_t kTransparency = 4, kLabels = 12, kEnvelope = 15;
constexpr uint16_t kSmallOnly = 1;

constexpr Rule kRules[] = {
    {0, kMediaOpDuplex, kTransparency, 0, false},
    {0, kMediaOpDuplex, kLabels, 0, false},
    {0, kMediaOpDuplex, kEnvelope, 0, false},
    {0, kMediaOpStaple, kTransparency, 0, false},
    {0, kMediaOpStaple, kEnvelope, 0, false},
    {0, kMediaOpPunch, kTransparency, 0, false},
    {0, kMediaOpPunch, kLabels, 0, false},
    {0, kMediaOpPunch, kEnvelope, 0, false},
    {0, kMediaOpBooklet, kEnvelope, 0, false},
    {0, kMediaOpBooklet, 0, kSmallOnly, false},
    {0, kMediaOpLayout, kEnvelope, 0, false},
};

bool matches(const Rule& r, int operation, uint16_t model, uint16_t sizeClass, uint16_t mediaType) {
    return r.operation == operation && (r.model == 0 || r.model == model) &&
           (r.mediaType == 0 || r.mediaType == mediaType) && (r.sizeClass == 0 || r.sizeClass == sizeClass);
}

}  // namespace

int MediaLibrary_Dispatch(int operation, uint16_t model, uint16_t sizeClass, uint16_t mediaType, uint16_t sourceClass) {
    (void)sourceClass;  // no rule looks at the source yet; the record passes it for those that will
    for (const Rule& r : kRules)
        if (matches(r, operation, model, sizeClass, mediaType)) return r.allowed ? 1 : 0;
    return 1;
}

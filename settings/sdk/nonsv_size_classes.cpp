// The three size classes of the device's custom paper (large, medium, small): each a width and a
// length in 0.1 mm kept in the device mode's private part, with fixed bounds. A class can be set
// only while its state word in the device mode says it is free (256).
#include "settings/sdk/nonsv_operations.h"

#include "core/devmode/model_section.h"

#include <initializer_list>

namespace nonsv {

namespace {

namespace model = devmode::model;

struct SizeClass {
    size_t width;  // private offsets of the 16-bit width and length
    size_t length;
    size_t state;
    int32_t minWidth, maxWidth, minLength, maxLength;
};

constexpr uint16_t kClassFree = 256;

constexpr SizeClass kLarge = {1179, 1181, model::kLargeClassState, 2570, 2970, 3640, 4877};
constexpr SizeClass kMedium = {1171, 1173, model::kMediumClassState, 1820, 2286, 2570, 2970};
constexpr SizeClass kSmall = {1175, 1177, model::kSmallClassState, 1430, 2160, 2030, 2970};
static_assert(kLarge.length + 2 == model::kFieldsEnd && kMedium.width == model::kSizeClassDimensions);

bool gate(const NonSvHost& host) { return host.DopBit(nsdop::kSizeClasses, 3); }

int store(NonSvHost& host, const SizeClass& c, int32_t width, int32_t length) {
    MutableByteView priv = host.Private();
    if (!priv.contains(c.width, 2) || !priv.contains(c.length, 2)) return kNsNoBuffer;
    priv.put_s16(c.width, static_cast<int16_t>(width));
    priv.put_s16(c.length, static_cast<int16_t>(length));
    return kNsDone;
}

int sizeClass(NonSvHost& host, const SizeClass& c, int kind, void* data) {
    if (!gate(host)) return kNsNotSupported;
    switch (kind) {
    case kNsSize:
        return PutWord(data, 8);
    case kNsGet: {
        int16_t width = 0, length = 0;
        host.Private().s16(c.width, width);
        host.Private().s16(c.length, length);
        uint32_t words[] = {static_cast<uint32_t>(int32_t{width}), static_cast<uint32_t>(int32_t{length})};
        return PutWords(data, words, 2);
    }
    case kNsSet: {
        if (!data) return kNsNoBuffer;
        if (host.Priv16(c.state) != kClassFree) return kNsRefused;
        int32_t width = 0, length = 0;
        ByteView in(data, 8);
        in.s32(0, width);
        in.s32(4, length);
        if (width < c.minWidth || width > c.maxWidth || length < c.minLength || length > c.maxLength)
            return kNsNotSupported;
        return store(host, c, width, length);
    }
    case kNsDefault:
        if (host.Priv16(c.state) != kClassFree) return kNsRefused;
        return store(host, c, 0, 0);
    default:
        return kNsNotSupported;
    }
}

// Bounds of the three classes, large, medium, small, each width then length.
int bounds(NonSvHost& host, int kind, void* data, bool upper) {
    if (!gate(host)) return kNsNotSupported;
    if (kind == kNsSize) return PutWord(data, 24);
    if (kind != kNsGet) return kNsNotSupported;
    uint32_t words[6];
    size_t i = 0;
    for (const SizeClass* c : {&kLarge, &kMedium, &kSmall}) {
        words[i++] = static_cast<uint32_t>(upper ? c->maxWidth : c->minWidth);
        words[i++] = static_cast<uint32_t>(upper ? c->maxLength : c->minLength);
    }
    return PutWords(data, words, 6);
}

}  // namespace

int SizeClassLarge(NonSvHost& host, int kind, void* data) { return sizeClass(host, kLarge, kind, data); }
int SizeClassMedium(NonSvHost& host, int kind, void* data) { return sizeClass(host, kMedium, kind, data); }
int SizeClassSmall(NonSvHost& host, int kind, void* data) { return sizeClass(host, kSmall, kind, data); }
int GetSizeMinima(NonSvHost& host, int kind, void* data) { return bounds(host, kind, data, false); }
int GetSizeMaxima(NonSvHost& host, int kind, void* data) { return bounds(host, kind, data, true); }

}  // namespace nonsv

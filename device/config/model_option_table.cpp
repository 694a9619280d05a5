// The request lists of the models and the model-to-list table, and the deck count a version word
// gives. The lists are the attributes each family of devices answers; a model outside every list
// has no configuration query.
#include "device/config/model_option_table.h"

#include "device/config/model_sets.h"
#include "device/devinfo_queries.h"

#include <initializer_list>

namespace {

using R = ModelOptionRequest;

struct ListChoice {
    int list;
    bool mailBoxes;
    bool plain;
};

using devconfig::In;
using devconfig::Range;

ListChoice ChooseList(uint16_t m) {
    if (In(m, {1023, 1025, 2015, 2016, 2020, 2021, 2038, 2040, 2054, 2061, 2062}) || Range(m, 1027, 1030) ||
        Range(m, 2056, 2058))
        return {1, true, true};
    if (In(m, {2014, 2017, 2019, 2034, 2037, 2039, 2042, 2053, 2055, 2059, 2060, 2063, 2064, 2075, 2086}) ||
        Range(m, 2010, 2012) || Range(m, 2024, 2031) || Range(m, 2044, 2046))
        return {2, true, false};
    if (In(m, {2032, 2033, 2041})) return {3, false, false};
    if (In(m, {2035, 2036, 2043})) return {4, true, false};
    if (In(m, {2047, 2048, 2072}) || Range(m, 2076, 2079) || Range(m, 2081, 2083)) return {5, true, false};
    if (In(m, {2065, 2066, 2073, 2084})) return {6, true, false};
    if (In(m, {2067, 2068, 2069, 2071, 2074, 2080, 2085})) return {7, true, false};
    if (m == 2070) return {8, false, false};
    return {0, false, false};
}

void Add(ModelOptionTable& t, uint32_t requestClass, uint16_t attribute) {
    if (t.requestCount < kModelOptionRequestLimit) t.requests[t.requestCount] = R{requestClass, attribute};
    ++t.requestCount;
}

void Fill(ModelOptionTable& t, int list, uint16_t m, bool attribute2153) {
    bool short1 = m == 1030 || m == 2015;
    switch (list) {
    case 1:
        for (R r : {R{101, 1056}, R{101, 115}}) Add(t, r.requestClass, r.attribute);
        if (!short1) Add(t, 501, 2058);
        Add(t, 601, 2131);
        if (!short1) Add(t, 601, 2163);
        Add(t, 601, 2150);
        Add(t, 601, 2152);
        if (attribute2153) Add(t, 601, 2153);
        Add(t, 101, 1082);
        break;
    case 2:
    case 4:
        for (R r : {R{101, 1016}, R{601, 2297}, R{101, 115}, R{601, 2152}, R{601, 2150}, R{601, 2163}, R{601, 2153},
                    R{101, 1082}})
            Add(t, r.requestClass, r.attribute);
        if (list == 4) Add(t, 501, 2058);
        Add(t, 501, 2296);
        break;
    case 3:
        Add(t, 101, 1056);
        Add(t, 601, 2150);
        if (m == 2041) Add(t, 501, 2058);
        Add(t, 601, 2152);
        break;
    case 5:
        for (R r : {R{101, 1016}, R{601, 2297}, R{101, 115}, R{601, 2152}, R{601, 2150}, R{601, 2321}, R{601, 2153},
                    R{101, 1082}, R{501, 2296}})
            Add(t, r.requestClass, r.attribute);
        break;
    case 6:
    case 7:
        for (R r : {R{101, 1056}, R{101, 115}, R{101, 1082}, R{601, 2150}, R{601, 2152}, R{601, 2297}, R{601, 2153},
                    R{601, 2321}, R{501, 2296}, R{101, 1016}})
            Add(t, r.requestClass, r.attribute);
        if (list == 6) Add(t, 501, 2372);
        break;
    case 8:
        for (R r : {R{101, 1056}, R{601, 2150}, R{601, 2152}, R{501, 2058}, R{601, 2321}, R{501, 2296}, R{101, 1016}})
            Add(t, r.requestClass, r.attribute);
        break;
    default: break;
    }
}

}  // namespace

bool BuildModelOptionTable(uint16_t model, uint32_t mailBoxCount, bool attribute2153, ModelOptionTable& out) {
    out = ModelOptionTable{};
    ListChoice choice = ChooseList(model);
    if (choice.list == 0) return false;
    Fill(out, choice.list, model, attribute2153);
    // A table that reaches the last place is refused whole: no list is that long, so it is a fault.
    if (out.requestCount >= kModelOptionRequestLimit) {
        out = ModelOptionTable{};
        return false;
    }
    bool extended = choice.list != 1 && choice.list != 3;
    out.extendedReply = out.secondFlag = extended ? 1 : 0;
    out.thirdFlag = model == 2059 || model == 2075 ? 1 : 0;
    out.mailBoxCount = choice.mailBoxes ? mailBoxCount : 0;
    out.plainQuery = choice.plain ? 1 : 0;
    return true;
}

void ModelOptionPairs(const ModelOptionTable& table, DevInfoAttributePair* pairs, uint32_t& count) {
    count = table.requestCount < kModelOptionRequestLimit ? table.requestCount : 0;
    for (uint32_t i = 0; i < count; ++i) pairs[i] = {table.requests[i].requestClass, table.requests[i].attribute};
}

int16_t DeckCountFromVersion(const ModelDefaultsInput& in, uint16_t version) {
    uint16_t m = in.model;
    int h = version >> 8;
    int16_t deck = 1;
    if (In(m, {2032, 2033, 2041}))
        deck = 0;
    else if (In(m, {1023, 1030, 2012, 2037, 2039, 2064, 2065, 2066, 2071, 2073}) || Range(m, 2014, 2017) ||
             m == 2019 || Range(m, 2024, 2027))
        deck = h < 2 ? 1 : 2;
    else if (In(m, {2010, 2011, 2028, 2029, 2034}))
        deck = h >= 3 ? 3 : h < 2 ? 1 : 2;
    else if (m == 1025 || m == 1027)
        deck = h < 3 ? 1 : 3;
    else if (m == 2044)
        deck = h < 3 ? 2 : 3;
    else if (m == 2047)
        deck = h >= 4 ? 4 : h == 3 ? 3 : h == 2 ? 2 : 1;
    else if (m == 2048 || m == 2081)
        deck = h >= 4 ? 4 : h >= 2 ? 2 : 1;
    if (in.pseudoKind4 && (m == 2065 || m == 2066)) deck = 2;
    return deck;
}

int16_t DeckCountFromEngineVersion(uint16_t m, uint16_t version, bool& known) {
    int h = version >> 8;
    known = true;
    auto atMost = [h](int limit) { return static_cast<int16_t>(h < limit ? h : limit); };
    if (m == 1003) return atMost(1);
    if (m == 1005) return atMost(2);
    if (In(m, {1006, 1007, 1011})) return atMost(4);
    if (In(m, {1009, 1010, 1012})) return atMost(3);
    if (In(m, {1015, 1016, 1017})) return static_cast<int16_t>(h < 3 ? h : h < 80 ? 3 : 4);
    if (m == 1018) return static_cast<int16_t>(h == 0 ? 3 : h <= 2 ? 1 : h <= 4 ? 3 : 7);
    if (m == 1019) return static_cast<int16_t>(h < 80 ? 6 : 5);
    if (m == 1021 || m == 1026) return 1;
    if (m == 1022) return 2;
    known = false;
    return 0;
}

bool SetDeckCountFromVersion(MutableByteView data, const ModelDefaultsInput& in, uint16_t version) {
    data.put_s16(986, DeckCountFromVersion(in, version));
    return SetModelOptionDefaults(data, in);
}

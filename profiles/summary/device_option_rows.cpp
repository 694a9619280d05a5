// The installed device options: the rows each group writes from one byte of the device-option
// block's data part, and the list of groups and rows each model shows, as one table.
#include "profiles/summary/summary_rows.h"
#include "profiles/summary/view_settings.h"

#include "core/device/service_table.h"

#include <iterator>

namespace {

// One step of a model's list: a group by number, or a row of its own (label and values). A
// row's values are picked by the value of its data byte, 1 the first value other than "not
// installed"; without a "not installed" value it is a Yes/No by the byte's lowest bit.
struct Step {
    uint16_t slot;        // 0: a row
    uint16_t label;
    uint16_t values[7];   // 0 ends
    bool unlessJapanese;  // left out when the language is Japanese
};

constexpr Step S(uint16_t slot) { return {slot, 0, {}, false}; }
constexpr Step SJ(uint16_t slot) { return {slot, 0, {}, true}; }
template <class... V>
constexpr Step R(uint16_t label, V... values) {
    return {0, label, {static_cast<uint16_t>(values)...}, false};
}

struct ModelList {
    uint16_t models[9];  // 0 ends
    Step steps[14];      // slot and label 0 end
};

constexpr ModelList kModelLists[] = {
    {{7}, {S(117), S(118), S(121), R(10014, 8004, 10047, 10048), R(8479, 8000, 8001), R(8480, 8000, 8001),
           S(113), S(140)}},
    {{12, 15}, {S(117), R(10012, 8004, 10140, 10141), S(121), R(10014, 8004, 10049, 10050, 10051, 10052), S(144),
                S(113), S(140)}},
    {{1003}, {S(120), S(117), S(118), S(121), R(10014, 8004, 10017, 10018, 10019), S(124), S(132), S(113), S(122),
              S(140), S(125)}},
    {{1005, 1022}, {S(117), S(118), S(119), S(121), S(133), R(10014, 8004, 10020, 10021), S(131), S(124), S(132),
                    S(113), S(122), S(140), S(125)}},
    {{1006, 1011, 1015, 1017, 2014, 2019, 2026, 2027, 2064},
     {S(117), S(127), S(105), SJ(124), S(108), S(113), S(122), S(140), S(125)}},
    {{1007, 1016, 2012, 2017, 2024, 2025}, {S(117), S(126), S(105), SJ(124), S(108), S(113), S(122), S(140), S(125)}},
    {{1008, 1021, 1026}, {S(117), S(118), S(121), R(10014, 8004, 10017, 10018, 10019), S(124), S(132), S(113),
                          S(122), S(140), S(125)}},
    {{1009, 1010, 1012}, {S(117), S(118), S(121), S(105), SJ(124), S(108), S(113), S(122), S(140), S(125)}},
    {{1013}, {S(117), R(10012, 10149, 10150, 10151, 8004), R(10014, 8004, 10045, 10046), S(139), S(142), S(113),
              S(122), S(140)}},
    {{1018, 1019, 1029, 1030, 2015, 2020, 2061, 2062},
     {S(117), S(118), S(119), S(121), R(10014, 8004, 10027, 10028, 10029), S(113), S(122), S(140), S(125)}},
    {{1020}, {S(117), R(10012, 8004, 10146, 10086), S(141), S(113), S(122)}},
    {{1023, 1027, 2016, 2021, 2053, 2054, 2055, 2056},
     {S(117), S(118), S(121), R(10014, 8004, 10019, 10035, 10036), S(130), SJ(124), S(132), S(113), S(122), S(140),
      S(125)}},
    {{1024}, {S(117), R(10012, 10146, 10147, 8004), S(139), S(122), S(113)}},
    {{1025, 1028, 2037, 2038, 2039, 2040, 2057, 2058},
     {S(117), S(118), S(119), S(121), S(133), R(10014, 8004, 10020, 10030, 10031, 10033), S(134), S(130), SJ(124),
      S(132), S(113), S(122), S(140), S(125)}},
    {{2009}, {S(117), R(10012, 10146, 10147, 10148, 8004), S(139), S(142), S(113), S(122), S(140)}},
    {{2010, 2011}, {S(117), S(118), S(119), S(121), S(133), R(10014, 8004, 10020, 10037, 10032, 10034), S(134),
                    S(130), SJ(124), S(113), S(122), S(140), S(125)}},
    {{2028, 2029, 2034, 2044}, {S(117), S(118), S(119), S(133), R(10014, 8004, 10020, 10037), S(134), S(130), SJ(124),
                                S(113), S(122), S(140), S(125)}},
    {{2030, 2031, 2060}, {S(117), S(118), S(121), R(10014, 8004, 10019, 10038, 10039), SJ(124), S(113), S(122),
                          S(140), S(125)}},
    {{2032, 2033}, {S(117), R(10012, 10093, 10094, 8004), S(113)}},
    {{2035}, {S(117), S(118), S(146), R(10014, 8004, 10020, 10056), S(130), S(145), S(113), S(122)}},
    {{2036, 2043}, {S(117), R(10012, 10149, 10150, 10151, 8004), R(10014, 8004, 10020, 10056), S(130), S(145),
                    S(113), S(122)}},
    {{2041}, {S(117), R(10012, 10093, 10094, 8004), S(145), S(113)}},
    {{2042}, {S(117), S(113), S(122)}},
    {{2045}, {S(117), S(148), S(113), S(122)}},
    {{2046}, {S(117), S(148), S(141), S(113)}},
    {{2047, 2048, 2081}, {S(117), R(10012, 10257, 10256, 8004), S(106), S(109), S(113), S(122), S(140), S(125)}},
    {{2059}, {S(117), R(10012, 10263, 10264, 10265, 8004), S(139), S(142), S(113), S(140)}},
    {{2063}, {S(117), S(149), S(113), S(122)}},
    {{2065, 2066, 2067, 2068, 2084, 2085},
     {S(117), S(118), S(119), S(121), R(10014, 8004, 10292, 10293, 10294), S(135), S(124), S(123), S(113), S(122),
      S(140), S(125)}},
    {{2069, 2080}, {S(117), S(129), R(10014, 8004, 10302, 10303), S(124), S(113), S(122), S(140), S(125)}},
    {{2070}, {S(117), S(150), S(113)}},
    {{2071}, {S(117), R(10012, 10329, 10328, 10327, 8004), S(111), S(112), S(113), S(122), S(140)}},
    {{2072, 2078, 2079, 2082}, {S(117), S(128), S(107), S(110), S(113), S(122), S(140), S(125)}},
    {{2073, 2074}, {S(117), S(118), S(119), S(121), S(133), R(10014, 8004, 10020, 10309, 10310, 10311), S(134),
                    S(124), S(123), S(113), S(122), S(140), S(125)}},
    {{2075}, {S(117), S(148), S(139), S(142), S(113), S(140)}},
    {{2076, 2077, 2083}, {S(117), S(118), S(119), S(121), S(133), R(10014, 8004, 10020, 10037, 10032, 10321, 10034),
                          S(134), S(130), S(124), S(113), S(122), S(140), S(125)}},
    {{2086}, {S(117), S(122)}},
    {{3001}, {S(117), R(10012, 8004, 10140), S(121), R(10014, 8004, 10053, 10054, 10055), S(143), S(113)}},
};
constexpr Step kOtherModels[] = {S(117)};

// Yes/No groups: one row whose value is Yes when the bit of the data byte is set.
struct YesNo {
    uint16_t slot, label;
    uint8_t flags;
    uint16_t byte;
    uint8_t bit;
};
constexpr YesNo kYesNo[] = {
    {119, 10007, kSubRow, 5, 0x01}, {121, 10013, 0, 5, 0x02},  {130, 10002, 0, 1, 0x20},   {131, 10005, kSubRow, 1, 0x08},
    {132, 10009, 0, 1, 0x04},       {133, 10006, kSubRow, 9, 0x04}, {134, 10003, 0, 1, 0x10}, {109, 8583, 0, 1, 0x40},
    {112, 8583, 0, 1, 0x01},        {142, 8466, 0, 9, 0x08},   {143, 8464, 0, 9, 0x01},    {144, 8477, 0, 35, 0x08},
    {145, 8487, 0, 9, 0x01},        {146, 9115, kSubRow, 5, 0x01}, {147, 10147, 0, 5, 0x01}, {148, 10252, 0, 5, 0x01},
    {149, 10253, 0, 5, 0x01},       {150, 8478, 0, 5, 0x01},   {113, 8471, 0, 9, 0x02},    {139, 8469, 0, 9, 0x10},
    {141, 8587, 0, 9, 0x40},        {118, 10012, 0, 5, 0x04},  {120, 10043, 0, 5, 0x08},
};

// Groups of sub-rows under one label, each sub-row a Yes/No of its own byte and bit (a byte of
// 0 gives the sub-row no test: Not installed).
struct SubRows {
    uint16_t slot, label;
    struct {
        uint16_t label, byte;
        uint8_t bit;
    } rows[6];
};
constexpr SubRows kSubRows[] = {
    {106, 10014, {{10254, 1, 0x80}, {10255, 991, 0x08}, {8579, 2, 0x01}, {8580, 1, 0x02}, {8581, 9, 0x20}, {10008, 0, 0}}},
    {108, 0, {{10011, 1, 0x02}, {10008, 9, 0x20}, {10010, 1, 0x01}}},
    {110, 0, {{8617, 1, 0x02}, {8618, 2, 0x10}, {10737, 1, 0x01}}},
    {111, 10014, {{10330, 9, 0x20}, {10331, 1, 0x80}, {10008, 0, 0}, {10332, 2, 0x08}, {10333, 0, 0}}},
};

}  // namespace

bool ViewSettings::DeviceOptionSlot(int slot, char* text) {
    for (const YesNo& row : kYesNo)
        if (row.slot == slot) {
            RowId(text, row.label, row.flags, (OptionByte(row.byte) & row.bit) ? kTextYes : kTextNo);
            return true;
        }
    for (const SubRows& group : kSubRows) {
        if (group.slot != slot) continue;
        if (group.label) RowId(text, group.label, 0, 0);
        for (const auto& sub : group.rows) {
            if (!sub.label) break;
            const bool set = sub.bit && (OptionByte(sub.byte) & sub.bit);
            RowId(text, sub.label, group.label ? kSubRow : 0, set ? kTextInstalled : kTextNotInstalled);
        }
        return true;
    }
    switch (slot) {
    case 117: {
        uint32_t value = 0;
        const uint8_t* block = Ctx()->svc->GetDeviceOption(Ctx());
        if (block) Ctx()->svc->GetDeviceOptionValue(Ctx(), block, 513, &value, sizeof value);
        RowId(text, 10004, 0, (value & 0x01) ? kTextInstalled : 10001);
        return true;
    }
    case 126:
    case 127:
    case 128:
    case 129: {
        static constexpr UINT kPairs[][2] = {{10145, 10144}, {10143, 10142}, {10315, 10314}, {10305, 10304}};
        const uint8_t byte = OptionByte(5);
        const UINT* pair = kPairs[slot - 126];
        RowId(text, 10012, 0, (byte & 0x40) ? pair[0] : (byte & 0x02) ? pair[1] : kTextNotInstalled);
        return true;
    }
    case 105: {
        static constexpr UINT kValues[] = {10023, 10024, 10025, 10026, 10040};
        const uint8_t byte = OptionByte(5);
        RowId(text, 10014, 0, byte >= 10 && byte <= 14 ? kValues[byte - 10] : kTextNotInstalled);
        return true;
    }
    case 122: {
        const uint8_t byte = OptionByte(35);
        RowId(text, 8083, 0, (byte & 0x40) ? 8085 : (byte & 0x10) ? 8084 : kTextNotInstalled);
        return true;
    }
    case 123: RowId(text, 8626, 0, (OptionByte(37) & 0x04) ? 8145 : 8146); return true;
    case 135: {
        const uint16_t word = OptionWord(1);
        RowId(text, 10299, 0, (word & 0x200) ? 10300 : (word & 0x400) ? 10301 : kTextNotInstalled);
        return true;
    }
    case 140: RowId(text, 8484, 0, OptionWord(1046) == 1 ? kTextYes : kTextNo); return true;
    case 124:
        RowId(text, 10009, 0, (OptionByte(3) & 0x01) ? kTextInstalled : kTextNotInstalled);
        RowId(text, 8460, kSubRow, (OptionByte(3) & 0x02) ? kTextYes : kTextNo);
        return true;
    case 125: {
        // The controller's language levels, each a literal version when its byte says so.
        const uint8_t byte = OptionByte(36);
        Row(text, 8457, 0, (byte & 0x01) ? "1.0" : (byte & 0x02) ? "2.0" : (byte & 0x04) ? "3.0" : "");
        RowId(text, 8458, 0, (byte & 0x10) ? kTextInstalled : kTextNotInstalled);
        return true;
    }
    default: return false;
    }
}

void ViewSettings::Section4Body(char* text) {
    const Step* steps = kOtherModels;
    size_t count = std::size(kOtherModels);
    for (const ModelList& list : kModelLists)
        for (uint16_t m : list.models)
            if (m && m == Model()) {
                steps = list.steps;
                count = std::size(list.steps);
            }
    const bool japanese = GetUserDefaultLangID() == 0x411;
    // Each row of the list once: the list is the whole section.
    for (size_t i = 0; i < count && (steps[i].slot || steps[i].label); ++i) {
        const Step& step = steps[i];
        if (step.unlessJapanese && japanese) continue;
        if (step.slot) {
            Slot(step.slot, text);
            continue;
        }
        size_t n = 0, installed = 0;
        bool hasNone = false;
        while (n < std::size(step.values) && step.values[n]) {
            if (step.values[n] == kTextNotInstalled) hasNone = true;
            ++n;
        }
        const uint8_t byte = OptionByte(step.label == 10012 ? 3 : step.label == 10014 ? 4 : 6);
        UINT value = 0;
        if (!hasNone) {
            value = (byte & 0x01) ? step.values[0] : (n > 1 ? step.values[1] : 0);
        } else {
            value = kTextNotInstalled;
            for (size_t k = 0; k < n; ++k) {
                if (step.values[k] == kTextNotInstalled) continue;
                if (++installed == byte) value = step.values[k];
            }
        }
        RowId(text, step.label, 0, value);
    }
}

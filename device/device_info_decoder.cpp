// Decoding attribute records into the `DeviceInfoRecord`. One table names, per attribute, its
// field, its shape and its request bit; the rules for absent and malformed values differ by
// group (some numbers take -1, -2, 2 or 0, texts take "?"), so each row carries its shape.
#include "device/device_info_record.h"

#include <algorithm>
#include <cstring>

namespace {

enum class Shape : uint8_t {
    Number,         // absent or malformed: missing bit, field kept
    NumberAbsentM1, // 224-230: absent or malformed give -1 and the missing bit
    NumberBadM2,    // 240-245: malformed gives -2 without the bit
    NumberBad2,     // 260-266: malformed gives 2 without the bit
    NumberBad0,     // 0x4000101: malformed gives 0 without the bit
    Text,
    TextList,       // 8 places
    Entries30025,   // 8 places of {u16 number; text 64}
    NumberList,     // 8 or 4 places
    Bits209,
    Bits2228,
};

struct Field {
    uint32_t id;
    int8_t word;  // -1: no request bit
    uint8_t bit;
    Shape shape;
    uint16_t offset;
    uint16_t width;   // bytes of one place
    uint8_t places;
};

#define AT(member) static_cast<uint16_t>(offsetof(DeviceInfoRecord, member))

// Rows in a range of attributes that share a shape, one per id.
constexpr Field kFields[] = {
    {0x20006, 0, 0, Shape::Number, AT(number20006), 4, 1},
    {0x40026, 0, 1, Shape::Text, AT(text40026), 24, 1},
    {0x70000003, 0, 2, Shape::Number, AT(number70000003), 4, 1},
    {0x20001, 0, 3, Shape::Number, AT(number20001), 4, 1},
    {0x4000C, 0, 4, Shape::Text, AT(text4000C), 24, 1},
    {0x21003, 0, 5, Shape::Number, AT(number21003), 4, 1},
    {0x70000002, 0, 6, Shape::Text, AT(text70000002), 32, 1},
    {0x70000001, 0, 7, Shape::Number, AT(number70000001), 4, 1},
    {0x70000006, 0, 8, Shape::Number, AT(number70000006), 4, 1},
    {0x70000007, 0, 9, Shape::Number, AT(number70000007), 4, 1},
    {0x7000000B, 0, 10, Shape::Number, AT(number7000000B), 4, 1},
    {0x21001, 0, 12, Shape::Number, AT(number21001), 4, 1},
    {0x40074, 0, 13, Shape::Text, AT(text40074), 32, 1},
    {0x3000305, 0, 14, Shape::TextList, AT(texts3000305), 33, 8},
    {0x70000012, -1, 0, Shape::TextList, AT(texts3000305), 33, 8},
    {0x40075, 0, 16, Shape::Text, AT(texts40075) + 0 * 24, 24, 1},
    {0x40076, 0, 17, Shape::Text, AT(texts40075) + 1 * 24, 24, 1},
    {0x40077, 0, 18, Shape::Text, AT(texts40075) + 2 * 24, 24, 1},
    {0x40078, 0, 19, Shape::Text, AT(texts40075) + 3 * 24, 24, 1},
    {0x40079, 0, 20, Shape::Text, AT(texts40075) + 4 * 24, 24, 1},
    {0x4007A, 0, 21, Shape::Text, AT(texts40075) + 5 * 24, 24, 1},
    {0x4007B, 0, 22, Shape::Text, AT(texts40075) + 6 * 24, 24, 1},
    {220, 0, 24, Shape::Text, AT(texts220) + 0 * 24, 24, 1},
    {221, 0, 25, Shape::Text, AT(texts220) + 1 * 24, 24, 1},
    {222, 0, 26, Shape::Text, AT(texts220) + 2 * 24, 24, 1},
    {223, 0, 27, Shape::Text, AT(texts220) + 3 * 24, 24, 1},
    {209, 0, 31, Shape::Bits209, AT(stateBits209), 4, 1},
    {224, 1, 0, Shape::NumberAbsentM1, AT(numbers224) + 0, 4, 1},
    {225, 1, 1, Shape::NumberAbsentM1, AT(numbers224) + 4, 4, 1},
    {226, 1, 2, Shape::NumberAbsentM1, AT(numbers224) + 8, 4, 1},
    {227, 1, 3, Shape::NumberAbsentM1, AT(numbers224) + 12, 4, 1},
    {228, 1, 4, Shape::NumberAbsentM1, AT(numbers224) + 16, 4, 1},
    {229, 1, 5, Shape::NumberAbsentM1, AT(numbers224) + 20, 4, 1},
    {230, 1, 6, Shape::NumberAbsentM1, AT(numbers224) + 24, 4, 1},
    {240, 1, 8, Shape::NumberBadM2, AT(numbers240) + 0, 4, 1},
    {241, 1, 9, Shape::NumberBadM2, AT(numbers240) + 4, 4, 1},
    {242, 1, 10, Shape::NumberBadM2, AT(numbers240) + 8, 4, 1},
    {243, 1, 11, Shape::NumberBadM2, AT(numbers240) + 12, 4, 1},
    {244, 1, 12, Shape::NumberBadM2, AT(numbers240) + 16, 4, 1},
    {245, 1, 13, Shape::NumberBadM2, AT(numbers240) + 20, 4, 1},
    {0x40037, 1, 16, Shape::Text, AT(texts40037) + 0 * 24, 24, 1},
    {0x40038, 1, 17, Shape::Text, AT(texts40037) + 1 * 24, 24, 1},
    {0x40039, 1, 18, Shape::Text, AT(texts40037) + 2 * 24, 24, 1},
    {0x4003A, 1, 19, Shape::Text, AT(texts40037) + 3 * 24, 24, 1},
    {0x40060, 1, 20, Shape::Text, AT(texts40037) + 4 * 24, 24, 1},
    {0x40061, 1, 21, Shape::Text, AT(texts40037) + 5 * 24, 24, 1},
    {0x40062, 1, 22, Shape::Text, AT(texts40037) + 6 * 24, 24, 1},
    {260, 1, 24, Shape::NumberBad2, AT(numbers260) + 0, 4, 1},
    {261, 1, 25, Shape::NumberBad2, AT(numbers260) + 4, 4, 1},
    {262, 1, 26, Shape::NumberBad2, AT(numbers260) + 8, 4, 1},
    {263, 1, 27, Shape::NumberBad2, AT(numbers260) + 12, 4, 1},
    {264, 1, 28, Shape::NumberBad2, AT(numbers260) + 16, 4, 1},
    {265, 1, 29, Shape::NumberBad2, AT(numbers260) + 20, 4, 1},
    {266, 1, 30, Shape::NumberBad2, AT(numbers260) + 24, 4, 1},
    {0x70000013, 2, 0, Shape::Text, AT(text70000013), 64, 1},
    {0x7000000C, 2, 1, Shape::Text, AT(texts7000000C) + 0 * 64, 64, 1},
    {0x7000000D, 2, 2, Shape::Text, AT(texts7000000C) + 1 * 64, 64, 1},
    {0x7000000E, 2, 3, Shape::Text, AT(texts7000000C) + 2 * 64, 64, 1},
    {0x7000000F, 2, 4, Shape::Text, AT(texts7000000C) + 3 * 64, 64, 1},
    {0x70000010, 2, 5, Shape::Text, AT(texts7000000C) + 4 * 64, 64, 1},
    {0x70000011, 2, 6, Shape::Text, AT(texts7000000C) + 5 * 64, 64, 1},
    {0x30025, 2, 8, Shape::Entries30025, AT(entries30025), sizeof(DeviceInfoEntry30025), 8},
    {0x40063, 2, 9, Shape::Text, AT(text40063), 24, 1},
    {0x10001, 2, 10, Shape::Text, AT(text10001), 64, 1},
    {0x4000100, 2, 13, Shape::TextList, AT(texts4000100), 256, 8},
    {0x4000108, 2, 14, Shape::NumberList, AT(numbers4000108), 4, 8},
    {0x3000200, 2, 15, Shape::TextList, AT(texts3000200), 256, 8},
    {0x3000001, 2, 16, Shape::TextList, AT(texts3000001), 64, 8},
    {0x3000002, 2, 17, Shape::NumberList, AT(numbers3000002), 4, 8},
    {0x3000003, 2, 18, Shape::NumberList, AT(numbers3000003), 4, 8},
    {0x3000005, 2, 19, Shape::NumberList, AT(numbers3000005), 4, 8},
    {0x3000004, 2, 20, Shape::NumberList, AT(numbers3000004), 4, 8},
    {0x3000007, 2, 21, Shape::NumberList, AT(numbers3000007), 4, 8},
    {0x3000006, 2, 22, Shape::TextList, AT(texts3000006), 64, 8},
    {0x400010A, 2, 23, Shape::NumberList, AT(numbers400010A), 4, 4},
    {0x400010B, 2, 24, Shape::NumberList, AT(numbers400010B), 4, 4},
    {2228, 2, 25, Shape::Bits2228, AT(stateBits2228), 4, 1},
    {0x3000301, 2, 26, Shape::NumberList, AT(numbers3000301), 4, 8},
    {0x4000101, 2, 30, Shape::NumberBad0, AT(number4000101), 4, 1},
};

#undef AT

const Field* FindField(uint32_t id) {
    for (const Field& f : kFields)
        if (f.id == id) return &f;
    return nullptr;
}

class Decoder {
public:
    explicit Decoder(DeviceInfoRecord* record) : record_(record) {}

    void Decode(const ZdsvAttribute& a) {
        const Field* f = FindField(a.id);
        if (!f) return;
        switch (f->shape) {
        case Shape::Number:
        case Shape::NumberAbsentM1:
        case Shape::NumberBadM2:
        case Shape::NumberBad2:
        case Shape::NumberBad0: Number(*f, a); break;
        case Shape::Text: Text(*f, a); break;
        case Shape::TextList:
        case Shape::Entries30025: List(*f, a); break;
        case Shape::NumberList: NumberList(*f, a); break;
        case Shape::Bits209:
        case Shape::Bits2228: Bits(*f, a); break;
        }
    }

private:
    uint8_t* At(const Field& f, int place = 0) {
        return reinterpret_cast<uint8_t*>(record_) + f.offset + static_cast<size_t>(place) * f.width;
    }
    void SetNumber(const Field& f, uint32_t value, int place = 0) { std::memcpy(At(f, place), &value, 4); }
    void Missing(const Field& f) {
        if (f.word >= 0) record_->missingWords[f.word] |= 1u << f.bit;
    }

    void Number(const Field& f, const ZdsvAttribute& a) {
        bool absent = a.count == 0 || !a.values;
        if (!absent && a.values[0].type == kZdsvNumber) {
            SetNumber(f, static_cast<uint32_t>(a.values[0].value));
            return;
        }
        switch (f.shape) {
        case Shape::NumberAbsentM1:
            SetNumber(f, static_cast<uint32_t>(-1));
            Missing(f);
            return;
        case Shape::NumberBadM2:
            if (absent) Missing(f);
            else SetNumber(f, static_cast<uint32_t>(-2));
            return;
        case Shape::NumberBad2:
            if (absent) Missing(f);
            else SetNumber(f, 2);
            return;
        case Shape::NumberBad0:
            if (absent) Missing(f);
            else SetNumber(f, 0);
            return;
        default: Missing(f);
        }
    }

    // A text cut to its field and terminated; a text in a pair of double quotes loses them.
    static void StoreText(char* field, size_t width, const char* text) {
        size_t length = std::strlen(text);
        if (length > 1 && text[0] == '"' && text[length - 1] == '"') {
            ++text;
            length -= 2;
        }
        length = std::min(length, width - 1);
        std::memcpy(field, text, length);
        field[length] = '\0';
    }
    static void Unknown(char* field) { std::memcpy(field, "?", 2); }

    static const char* TextOf(const ZdsvValue& v) {
        return v.type == kZdsvText ? reinterpret_cast<const char*>(v.value) : nullptr;
    }

    void Text(const Field& f, const ZdsvAttribute& a) {
        const char* text = a.count && a.values ? TextOf(a.values[0]) : nullptr;
        char* field = reinterpret_cast<char*>(At(f));
        if (text) {
            StoreText(field, f.width, text);
        } else {
            Unknown(field);
            Missing(f);
        }
    }

    // One place of a list: false when the value has not the expected shape.
    bool Place(const Field& f, const ZdsvValue& v, int place) {
        if (f.shape == Shape::TextList) {
            const char* text = TextOf(v);
            if (!text) return false;
            StoreText(reinterpret_cast<char*>(At(f, place)), f.width, text);
            return true;
        }
        // {u16 number; text}: the structured value's size bounds what is read.
        if (v.type != kZdsvStructured || !v.value || v.size < 2) return false;
        auto* bytes = reinterpret_cast<const uint8_t*>(v.value);
        DeviceInfoEntry30025 entry{};
        std::memcpy(&entry.number, bytes, 2);
        size_t length = 0;
        while (2 + length < v.size && length < sizeof entry.text - 1 && bytes[2 + length]) ++length;
        std::memcpy(entry.text, bytes + 2, length);
        std::memcpy(At(f, place), &entry, sizeof entry);
        return true;
    }
    void ClearPlaces(const Field& f) {
        for (int i = 0; i < f.places; ++i) {
            if (f.shape == Shape::TextList) {
                Unknown(reinterpret_cast<char*>(At(f, i)));
            } else {
                DeviceInfoEntry30025 entry{};
                Unknown(entry.text);
                std::memcpy(At(f, i), &entry, sizeof entry);
            }
        }
    }

    void List(const Field& f, const ZdsvAttribute& a) {
        if (!a.values) {
            ClearPlaces(f);
            Missing(f);
            return;
        }
        uint32_t n = std::min<uint32_t>(a.count, f.places);
        for (uint32_t i = 0; i < n; ++i) {
            if (!Place(f, a.values[i], static_cast<int>(i))) {
                ClearPlaces(f);
                Missing(f);
                return;
            }
        }
    }

    void NumberList(const Field& f, const ZdsvAttribute& a) {
        if (!a.values || a.count == 0) {
            Missing(f);
            return;
        }
        int place = 0;
        for (uint32_t i = 0; i < a.count && place < f.places; ++i) {
            if (a.values[i].type != kZdsvNumber) {
                Missing(f);
                continue;
            }
            SetNumber(f, static_cast<uint32_t>(a.values[i].value), place++);
        }
    }

    static uint32_t Bit209(uint8_t kind) {
        switch (kind) {
        case 1: return 0x01;
        case 2: return 0x04;
        case 3: return 0x08;
        case 4: return 0x02;
        case 5: return 0x10;
        default: return 0;
        }
    }

    void Bits(const Field& f, const ZdsvAttribute& a) {
        if (!a.values || a.count == 0) {
            Missing(f);
            return;
        }
        uint32_t bits = 0;
        std::memcpy(&bits, At(f), 4);
        for (uint32_t i = 0; i < a.count; ++i) {
            const ZdsvValue& v = a.values[i];
            if (f.shape == Shape::Bits209) {
                if (v.type != kZdsvStructured || !v.value || v.size < 2) {
                    Missing(f);
                    continue;
                }
                auto* pair = reinterpret_cast<const uint8_t*>(v.value);
                if (pair[1] == 1) bits |= Bit209(pair[0]);
            } else {
                if (v.type != kZdsvNumber) {
                    Missing(f);
                    continue;
                }
                if (v.value == 1) bits |= 0x01;
                else if (v.value == 2) bits |= 0x02;
            }
        }
        SetNumber(f, bits);
    }

    DeviceInfoRecord* record_;
};

}  // namespace

uint32_t DeviceInfoAttributeForBit(int word, int bit) {
    for (const Field& f : kFields)
        if (f.word == word && f.bit == bit) return f.id;
    return 0;
}

void DevInfoClient_DecodeDeviceInfo(DeviceInfoRecord* record, uint32_t count, const ZdsvAttribute* attributes) {
    if (!record || !attributes || count == 0) return;
    Decoder decoder(record);
    for (uint32_t i = 0; i < count; ++i) decoder.Decode(attributes[i]);
}

// Option-code bindings: guards, the base answers and the value kinds. Every guard runs in the
// same order: availability (even with no buffer), then the buffer, then, for a set, the control.
#include "settings/sdk/sdk_binding.h"

#include "core/helpers/bounded_text.h"
#include "settings/controls/control.h"
#include "settings/items/sv_parts.h"

#include <algorithm>

CmSvSdk::CmSvSdk(uint32_t key, uint32_t valueWord, uint32_t second) : valueWord(valueWord), second(second) {
    InsertKey(key);
}

CmSvSdk::CmSvSdk(const uint32_t* list, uint32_t valueWord, uint32_t second) : valueWord(valueWord), second(second) {
    for (const uint32_t* k = list; k && *k; ++k) InsertKey(*k);
}

void CmSvSdk::InsertKey(uint32_t key) {
    auto at = std::lower_bound(keys.begin(), keys.end(), key);
    if (at == keys.end() || *at != key) keys.insert(at, key);
}

bool CmSvSdk::HasKey(uint32_t key) const { return std::binary_search(keys.begin(), keys.end(), key); }

// A binding the registry never met (one used on its own) finds its item once by its bases.
CmSv* CmSvSdk::Item() { return item_ ? item_ : (item_ = dynamic_cast<CmSv*>(this)); }

CmSvControl* CmSvSdk::Control() {
    CmSv* item = Item();
    return item ? item->AsControl() : nullptr;
}

int CmSvSdk::Guard(const void* data) {
    const CmSv* item = Item();
    if (item && item->available == 0) return kSdkNotSupported;
    return data ? kSdkDone : kSdkNoItem;
}

int CmSvSdk::SetGuard(const void* data) {
    if (int answer = Guard(data)) return answer;
    const CmSvControl* control = Control();
    return control && control->enabled == 0 ? kSdkRefused : kSdkDone;
}

int CmSvSdk::ReadOnlySet(const void* data) {
    if (int answer = Guard(data)) return answer;
    return kSdkRefused;
}

int CmSvSdk::GetValue(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    if (!valueWord) return kSdkNotSupported;
    *static_cast<uint32_t*>(data) = valueWord;
    return kSdkDone;
}

int CmSvSdk::GetCount(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }
int CmSvSdk::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    return kSdkNotSupported;
}
int CmSvSdk::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    return kSdkNotSupported;
}
int CmSvSdk::GetList(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }
int CmSvSdk::Apply(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }
int CmSvSdk::Request10(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }
int CmSvSdk::Request9(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }
int CmSvSdk::Unnamed(UIDEVDATA*, uint32_t, void*) { return kSdkNotSupported; }

int CmSvSdk::IsControlEnabled(UIDEVDATA*, uint32_t, void*) {
    const CmSvControl* control = Control();
    return control && control->enabled == 1 ? 1 : 0;
}

int CmSvSdk::IsControlShown(UIDEVDATA*, uint32_t, void*) {
    const CmSvControl* control = Control();
    return control && control->shown == 1 ? 1 : 0;
}

int CmSvSdk::IsSdkValueEnabled(UIDEVDATA*, int32_t) { return kSdkNotSupported; }
int CmSvSdk::IsSdkValueShown(UIDEVDATA*, int32_t) { return kSdkNotSupported; }

int CmSvSdk_OnOff::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* value = OnOffOf(Item());
    if (!value) return kSdkNoItem;
    auto* word = static_cast<uint32_t*>(data);
    if (on == 0 && off == 0)
        *word = value->current == 1 ? (*word | mask) : (*word & ~mask);
    else
        *word = value->current == 1 ? on : off;
    return kSdkDone;
}

int CmSvSdk_OnOff::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    auto* value = OnOffOf(Item());
    if (!value) return kSdkNoItem;
    const uint32_t word = *static_cast<const uint32_t*>(data);
    if (on == 0 && off == 0)
        value->current = (word & mask) ? 1 : 0;
    else if (word == on)
        value->current = 1;
    else if (word == off)
        value->current = 0;
    else
        return kSdkNotSupported;
    return kSdkDone;
}

namespace {

// The first choice offered to the option interface under that value.
CmSvOptionRecord* OfferedRow(const CmSvMulti& multi, int32_t value, uint32_t* index = nullptr) {
    for (uint32_t i = 0; i < multi.count; ++i) {
        CmSvOptionRecord* row = multi.Row(i);
        if (row && row->offered && row->option_value == value) {
            if (index) *index = i;
            return row;
        }
    }
    return nullptr;
}

}  // namespace

int CmSvSdk_Multi::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* multi = MultiOf(Item());
    if (!multi) return kSdkNoItem;
    const CmSvOptionRecord* row = multi->CurrentRow();
    if (!row) return kSdkNotSupported;
    *static_cast<int32_t*>(data) = row->option_value;
    return kSdkDone;
}

int CmSvSdk_Multi::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    auto* multi = MultiOf(Item());
    if (!multi) return kSdkNoItem;
    uint32_t index = 0;
    const CmSvOptionRecord* row = OfferedRow(*multi, *static_cast<const int32_t*>(data), &index);
    if (!row) return kSdkNotSupported;
    if (Control() && row->enabled != 1) return kSdkRefused;
    multi->current = index;
    return kSdkDone;
}

int CmSvSdk_Multi::IsSdkValueEnabled(UIDEVDATA*, int32_t value) {
    auto* multi = MultiOf(Item());
    if (!multi || !multi->table) return kSdkNotSupported;
    const CmSvOptionRecord* row = OfferedRow(*multi, value);
    return row && row->enabled == 1 ? 1 : 0;
}

int CmSvSdk_Multi::IsSdkValueShown(UIDEVDATA*, int32_t value) {
    auto* multi = MultiOf(Item());
    if (!multi || !multi->table) return kSdkNotSupported;
    const CmSvOptionRecord* row = OfferedRow(*multi, value);
    return row && row->shown == 1 ? 1 : 0;
}

int CmSvSdk_Numeric::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* number = NumericOf(Item());
    if (!number) return kSdkNoItem;
    *static_cast<int32_t*>(data) = number->current;
    return kSdkDone;
}

int CmSvSdk_Numeric::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    auto* number = NumericOf(Item());
    if (!number) return kSdkNoItem;
    const int32_t value = *static_cast<const int32_t*>(data);
    if (!number->InRange(value)) return kSdkNotSupported;
    number->current = value;
    return kSdkDone;
}

int CmSvSdk_String::GetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    auto* text = StringOf(Item());
    if (!text || !text->current) return kSdkNotSupported;
    const uint32_t room = valueWord ? std::min(valueWord, text->maxSize) : text->maxSize;
    return CopyBounded(static_cast<char*>(data), room, text->current) ? kSdkDone : kSdkNoItem;
}

int CmSvSdk_String::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    auto* text = StringOf(Item());
    if (!text || !text->current) return kSdkNotSupported;
    return text->SetText(static_cast<const char*>(data)) ? kSdkDone : kSdkNotSupported;
}

int RunSdkRequest(CmSvSdk& binding, UIDEVDATA* ctx, int kind, uint32_t key, void* data) {
    switch (kind) {
    case 0: return binding.GetValue(ctx, key, data);
    case 1: return binding.GetCount(ctx, key, data);
    case 2: return binding.GetCurrent(ctx, key, data);
    case 3: return binding.SetCurrent(ctx, key, data);
    case 4: return binding.GetList(ctx, key, data);
    case 6: return binding.Apply(ctx, key, data);
    case 9: return binding.Request9(ctx, key, data);
    case 10: return binding.Request10(ctx, key, data);
    default: return kSdkNotSupported;
    }
}

// The describe request: the head of the key's last bound item (the one whose answers the other
// requests return), then one entry per choice. A name or reason longer than its field is cut to
// the field, never left without its NUL.
#include "settings/sdk/sdk_describe.h"

#include "core/device/service_table.h"
#include "settings/controls/control.h"
#include "settings/items/sv_item.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/option_description.h"
#include "settings/sdk/sdk_binding.h"

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

template <size_t N>
void Put(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    if (text) std::strncpy(field, text, N - 1);
}

// The reason stored under a name (an item's key, or key@choice): an atom is the rule's own
// words, a number names a string of the resource module, as the sheet shows it.
std::string ReasonOf(UIDEVDATA* ctx, CmSvConflict& registry, const std::string& name) {
    PieValue value{};
    if (!registry.engine || PIE_get_value(registry.engine, name.c_str(), &value) != 0) return {};
    if (value.type == 2) return reinterpret_cast<const char*>(value.value);
    char text[256] = {};
    if (ctx->svc && ctx->svc->LoadString && ctx->svc->LoadString(ctx, static_cast<UINT>(value.value), text, sizeof text) > 0)
        return text;
    return "reason " + std::to_string(value.value);
}

// The value the binding's request 2 gives, into room of the size request 0 tells.
int CurrentWord(UIDEVDATA* ctx, CmSvSdk& binding, uint32_t key, int32_t& word) {
    uint32_t size = 0;
    if (RunSdkRequest(binding, ctx, 0, key, &size) != kSdkDone || size < sizeof word) size = sizeof word;
    if (size > 0x10000) return kSdkNotSupported;
    std::vector<uint8_t> room(size, 0);
    const int answer = RunSdkRequest(binding, ctx, 2, key, room.data());
    if (answer == kSdkDone) std::memcpy(&word, room.data(), sizeof word);
    return answer;
}

void Describe(UIDEVDATA* ctx, CmSvConflict& registry, uint32_t key, CmSv* item, CmSvSdk& binding,
              OptionDescriptionHead& head, std::vector<OptionDescriptionChoice>& choices) {
    head.key = key;
    head.itemId = item->itemId;
    const CmSvItemSet* page = registry.FindItemPage(item);
    head.page = page ? page->setId : 0xFFFFFFFF;
    Put(head.name, item->key);
    // A constant's value is stored where a reason would be: a constant has no reason.
    const auto* value = dynamic_cast<CmSvItem*>(item);
    if (item->key && !(value && (value->flags & CmSvItem::kConstant)))
        Put(head.reason, ReasonOf(ctx, registry, item->key).c_str());
    if (item->available) head.state |= kDescribedAvailable;
    if (const auto* control = dynamic_cast<CmSvControl*>(item)) {
        head.state |= kDescribedHasControl;
        if (control->shown == 1) head.state |= kDescribedShown;
        if (control->enabled == 1) head.state |= kDescribedEnabled;
    } else {
        head.state |= kDescribedShown | kDescribedEnabled;
    }
    uint32_t size = 0;
    if (RunSdkRequest(binding, ctx, 0, key, &size) == kSdkDone) head.valueSize = size;
    int32_t current = 0;
    const bool known = CurrentWord(ctx, binding, key, current) == kSdkDone;
    head.current = current;

    if (auto* onOff = dynamic_cast<CmSvSdk_OnOff*>(&binding)) {
        head.type = kDescribedOnOff;
        const bool maskMode = onOff->on == 0 && onOff->off == 0;
        const int32_t on = static_cast<int32_t>(maskMode ? onOff->mask : onOff->on);
        const int32_t off = static_cast<int32_t>(maskMode ? 0 : onOff->off);
        const bool isOn = known && (maskMode ? (current & on) != 0 : current == on);
        for (const auto& [name, value, chosen] : {std::tuple{"OFF", off, !isOn}, std::tuple{"ON", on, isOn}}) {
            OptionDescriptionChoice choice{};
            Put(choice.name, name);
            choice.value = value;
            choice.state = kChoiceOffered | kChoiceShown | kChoiceEnabled | kChoiceAvailable | (chosen ? kChoiceCurrent : 0);
            choices.push_back(choice);
        }
        Put(head.text, isOn ? "ON" : "OFF");
    } else if (auto* multi = dynamic_cast<CmSvMulti*>(item); multi && dynamic_cast<CmSvSdk_Multi*>(&binding)) {
        head.type = kDescribedChoice;
        for (uint32_t i = 0; i < multi->count; ++i) {
            const CmSvOptionRecord* row = multi->Row(i);
            if (!row) break;
            OptionDescriptionChoice choice{};
            Put(choice.name, row->name);
            choice.value = row->option_value;
            // The choices of a bare value are not registered with the rules, so their marks were
            // never set: nothing hides or disables them.
            const bool marked = item->kind != kSvKindValueOnly;
            choice.state = (row->offered ? kChoiceOffered : 0) | (!marked || row->shown == 1 ? kChoiceShown : 0) |
                           (!marked || row->enabled == 1 ? kChoiceEnabled : 0) |
                           (!marked || row->available ? kChoiceAvailable : 0) | (i == multi->current ? kChoiceCurrent : 0);
            if (row->name && item->key)
                Put(choice.reason, ReasonOf(ctx, registry, std::string(item->key) + "@" + row->name).c_str());
            choices.push_back(choice);
        }
        if (const CmSvOptionRecord* row = multi->CurrentRow()) Put(head.text, row->name);
    } else if (auto* number = dynamic_cast<CmSvNumeric*>(item)) {
        head.type = kDescribedNumber;
        head.minimum = number->minimum;
        head.maximum = number->maximum;
    } else if (auto* text = dynamic_cast<CmSvString*>(item)) {
        head.type = kDescribedText;
        head.current = 0;
        head.maximum = text->maxSize ? static_cast<int32_t>(text->maxSize - 1) : 0;
        Put(head.text, text->current);
    } else {
        head.type = static_cast<uint32_t>(item->type);
    }
    head.choiceCount = static_cast<uint32_t>(choices.size());
}

}  // namespace

int DescribeOption(UIDEVDATA* ctx, CmSvConflict& registry, uint32_t from, void* data, bool (*skip)(uint32_t key)) {
    if (!data) return kSdkNoItem;
    uint32_t room = 0;
    std::memcpy(&room, data, sizeof room);
    if (room < kOptionDescriptionMinimum) return kSdkNoItem;
    uint32_t key = from;
    const CmSvKeySet* bound = nullptr;
    for (;;) {
        bound = registry.FindSdkItemsFrom(key, &key);
        if (!bound) return kSdkNotSupported;
        if (!skip || !skip(key)) break;
        if (key == 0xFFFFFFFF) return kSdkNotSupported;
        ++key;
    }
    CmSv* item = nullptr;
    CmSvSdk* binding = nullptr;
    uint32_t count = 0;
    for (CmSv* each : *bound) {
        if (auto* sdk = dynamic_cast<CmSvSdk*>(each)) {
            item = each;
            binding = sdk;
            ++count;
        }
    }
    if (!binding) return kSdkNotSupported;
    OptionDescriptionHead head{};
    std::vector<OptionDescriptionChoice> choices;
    Describe(ctx, registry, key, item, *binding, head, choices);
    head.boundItems = count;
    head.size = static_cast<uint32_t>(sizeof head + choices.size() * sizeof(OptionDescriptionChoice));
    if (head.size > room) {
        std::memcpy(data, &head.size, sizeof head.size);
        return kSdkNoItem;
    }
    auto* out = static_cast<uint8_t*>(data);
    std::memcpy(out, &head, sizeof head);
    if (!choices.empty()) std::memcpy(out + sizeof head, choices.data(), choices.size() * sizeof(OptionDescriptionChoice));
    return kSdkDone;
}

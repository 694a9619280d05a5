// The registry's answers to the option interface, asked of every item bound to an option key in
// key-text order, and its forwarding of dialog events to the item that owns the control.
#include "settings/registry/conflict.h"

#include "core/memory/pool_text.h"
#include "settings/controls/control.h"
#include "settings/controls/digit.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_parts.h"
#include "settings/items/value_views.h"

#include <climits>
#include <string>

namespace {

constexpr int kNoStop = INT_MIN;

CmSvControl* ControlOf(CmSv* item) { return item ? item->AsControl() : nullptr; }

// Only the list-view binding has the list-view kind.
CmSvListView* ListViewOf(CmSv* item) {
    return item && item->kind == kSvKindListView ? static_cast<CmSvListView*>(item) : nullptr;
}

}  // namespace

template <class Op>
int CmSvConflict::EachBinding(uint32_t key, int none, int stopAt, Op op) {
    const CmSvKeySet* bound = FindSdkItems(key);
    if (!bound) return none;
    int answer = none;
    for (CmSv* item : *bound) {
        CmSvSdk* sdk = item->AsSdk();
        if (!sdk) continue;
        answer = op(item, sdk);
        if (answer == stopAt) return answer;
    }
    return answer;
}

int CmSvConflict::SdkRequest(UIDEVDATA* ctx, int kind, uint32_t key, void* data) {
    return EachBinding(key, kSdkNotSupported, kNoStop,
                       [&](CmSv*, CmSvSdk* sdk) { return RunSdkRequest(*sdk, ctx, kind, key, data); });
}

int CmSvConflict::AnySdkControlEnabled(UIDEVDATA* ctx, uint32_t key) {
    return EachBinding(key, 0, 1, [&](CmSv*, CmSvSdk* sdk) { return sdk->IsControlEnabled(ctx, key, nullptr); });
}

int CmSvConflict::AnySdkControlShown(UIDEVDATA* ctx, uint32_t key) {
    return EachBinding(key, 0, 1, [&](CmSv*, CmSvSdk* sdk) { return sdk->IsControlShown(ctx, key, nullptr); });
}

int CmSvConflict::IsSdkValueEnabled(UIDEVDATA* ctx, uint32_t key, int32_t value) {
    return EachBinding(key, 0, 1, [&](CmSv*, CmSvSdk* sdk) { return sdk->IsSdkValueEnabled(ctx, value); });
}

int CmSvConflict::IsSdkValueShown(UIDEVDATA* ctx, uint32_t key, int32_t value) {
    return EachBinding(key, 0, 1, [&](CmSv*, CmSvSdk* sdk) { return sdk->IsSdkValueShown(ctx, value); });
}

int CmSvConflict::GetSdkItemAvailability(UIDEVDATA*, uint32_t key) {
    int answer = 0;
    EachBinding(key, 0, kNoStop, [&](CmSv* item, CmSvSdk*) { return answer = item->available, 0; });
    return answer;
}

int CmSvConflict::IsSdkItemEnabled(UIDEVDATA*, uint32_t key) {
    int answer = 0;
    EachBinding(key, 0, kNoStop, [&](CmSv* item, CmSvSdk*) {
        if (CmSvControl* control = item->AsControl()) answer = control->enabled;
        return 0;
    });
    return answer;
}

int CmSvConflict::GetSdkControlState(UIDEVDATA*, uint32_t key) {
    return EachBinding(key, 0, 1, [&](CmSv* item, CmSvSdk*) {
        CmSvControl* control = item->AsControl();
        return control && control->third == 1 ? 1 : 0;
    });
}

int32_t CmSvConflict::GetSdkRuleValue(UIDEVDATA*, uint32_t key) {
    const CmSvKeySet* bound = FindSdkItems(key);
    if (!bound || !engine) return 0;
    for (CmSv* item : *bound) {
        CmSvControl* control = item->AsControl();
        char* text = control ? control->GetKeyText() : nullptr;
        if (!text) continue;
        int32_t value = 0;
        if (PIE_get_integer(engine, text, &value) != 0) value = 0;
        FreePoolText(text);
        return value;
    }
    return 0;
}

int32_t CmSvConflict::FindSdkOption(UIDEVDATA*, uint32_t key, int32_t value) {
    const CmSvKeySet* bound = FindSdkItems(key);
    if (!bound || !engine) return 0;
    int32_t answer = 0;
    std::string name;
    for (CmSv* item : *bound) {
        CmSvMulti* multi = MultiOf(item);
        if (!multi || !item->key) continue;
        for (uint32_t i = 0; i < multi->count; ++i) {
            const CmSvOptionRecord* row = multi->Row(i);
            if (!row->offered || row->option_value != value || !row->name) continue;
            name.assign(item->key).append("@").append(row->name);
            int32_t found = 0;
            answer = PIE_get_integer(engine, name.c_str(), &found) == 0 ? found : 0;
            break;
        }
    }
    return answer;
}

int32_t CmSvConflict::GetRuleValue(UIDEVDATA*, uint32_t pageId, int32_t controlId) {
    CmSv* item = FindControlItem(pageId, controlId);
    int32_t value = 0;
    if (!item || !item->key || !engine || PIE_get_integer(engine, item->key, &value) != 0) return 0;
    return value;
}

int CmSvConflict::IsItemShown(UIDEVDATA*, uint32_t itemId) {
    auto* control = ControlOf(FindItem(itemId));
    return control ? control->shown : 0;
}

int CmSvConflict::IsItemEnabled(UIDEVDATA*, uint32_t itemId) {
    auto* control = ControlOf(FindItem(itemId));
    return control ? control->enabled : 0;
}

int CmSvConflict::ForwardDrawItem(UIDEVDATA* ctx, HWND control, uint32_t pageId, int32_t controlId,
                                  DRAWITEMSTRUCT* draw) {
    auto* binding = ControlOf(FindControlItem(pageId, controlId & 0xFFFF));
    return binding ? binding->DrawItem(ctx, control, controlId, draw) : 0;
}

int CmSvConflict::ForwardMeasureItem(UIDEVDATA*, uint32_t pageId, int32_t controlId, MEASUREITEMSTRUCT* measure) {
    auto* binding = ControlOf(FindControlItem(pageId, controlId & 0xFFFF));
    return binding ? binding->MeasureItem(measure) : 0;
}

int CmSvConflict::ForwardListView1(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId,
                                   NMLISTVIEW* note) {
    auto* view = ListViewOf(FindControlItem(pageId, controlId & 0xFFFF));
    return view ? view->OnItemChanging(ctx, dialog, controlId, note) : 0;
}

int CmSvConflict::ForwardListView2(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId,
                                   NMLISTVIEW* note) {
    auto* view = ListViewOf(FindControlItem(pageId, controlId & 0xFFFF));
    return view ? view->OnItemChanged(ctx, dialog, controlId, note) : 0;
}

int CmSvConflict::ForwardListView3(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int32_t controlId,
                                   NMLISTVIEW* note) {
    auto* view = ListViewOf(FindControlItem(pageId, controlId & 0xFFFF));
    return view ? view->OnColumnClick(ctx, dialog, controlId, note) : 0;
}

int CmSvConflict::ForwardDeltaPos(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, NMUPDOWN* updown) {
    if (!updown) return 0;
    CmSvDigit* digit = FindPageDigit(pageId, static_cast<int32_t>(updown->hdr.idFrom & 0xFFFF));
    if (!digit) return 0;
    const bool created = OpenCollecting();
    dialogWindow = dialog;
    const int answer = digit->OnDeltaPos(ctx, dialog, updown);
    if (answer == 1) {
        Evaluate(ctx, digit, 1);
        EvaluateCollected(ctx, false);
    }
    CloseCollecting(created);
    return answer;
}

namespace {

// The set's controls in id order, filled again when the set has grown; null when memory is short
// for them, and the caller walks the items.
const PoolVector<CmSvControl*>* ControlsInOrder(CmSvItemSet& set) noexcept {
    if (set.controlsInOrderOf == set.items.size()) return &set.controlsInOrder;
    set.controlsInOrder.clear();
    set.controlsInOrderOf = 0;
    try {
        for (auto& [id, item] : set.items)
            if (CmSvControl* control = item->AsControl()) set.controlsInOrder.push_back(control);
    } catch (...) {
        set.controlsInOrder.clear();
        return nullptr;
    }
    set.controlsInOrderOf = set.items.size();
    return &set.controlsInOrder;
}

}  // namespace

int CmSvConflict::UpdatePageControls(UIDEVDATA* ctx, HWND dialog, uint32_t pageId, int onlyMarked) {
    CmSvItemSet* set = FindPage(pageId);
    if (!set) return 0;
    dialogWindow = dialog;
    set->dialogWindow = dialog;
    if (set->includeCommon == 1 && set->setId != 0) UpdatePageControls(ctx, dialog, 0, onlyMarked);
    auto show = [&](CmSvControl* control) {
        if (!onlyMarked)
            control->ToDialog(ctx, dialog, 0);
        else if (control->needsRedisplay == 1)
            control->ToDialog(ctx, dialog, 1);
        control->needsRedisplay = 0;
    };
    if (const PoolVector<CmSvControl*>* controls = ControlsInOrder(*set)) {
        // By index: a control's redisplay may send messages that come back here.
        for (size_t i = 0; i < controls->size(); ++i) show((*controls)[i]);
        return 1;
    }
    for (auto& [id, item] : set->items)
        if (CmSvControl* control = item->AsControl()) show(control);
    return 1;
}

int CmSvConflict::RefreshPage(UIDEVDATA* ctx, HWND dialog, uint32_t pageId) {
    if (skipNextRefresh == 1) {
        skipNextRefresh = 0;
        return 1;
    }
    return UpdatePageControls(ctx, dialog, pageId, 0);
}

// `CmTooltip`: the tips a page shows for its controls. A combo-box tool follows the entry that
// is highlighted in the control's dropped list and shows what the tool's text callback says of
// it; the tip goes when the list closes.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstddef>

// The text of one entry of a dropped list: allocated from the library's heap (the tooltip frees
// it), or null for no tip.
using TooltipTextCallback = LPSTR (*)(UIDEVDATA* ctx, HWND dialog, int controlId, int index);

enum ToolType : int {
    kToolComboBox = 2,
};

struct CmToolDescription {
    int type;
    int controlId;
    TooltipTextCallback callback;
    UIDEVDATA* argument;  // handed to the callback
};

class CmTooltip : public PoolObject {
public:
    // The tip window of the dialog; made at the first tool.
    explicit CmTooltip(HWND dialog);
    virtual ~CmTooltip();
    CmTooltip(const CmTooltip&) = delete;
    CmTooltip& operator=(const CmTooltip&) = delete;

    // Answers false for an unknown type, a missing control or callback, or when the tooltip has
    // all the tools it can hold.
    BOOL AddTool(const CmToolDescription& tool);

    HWND Window() const { return tip_; }

    // The most a tip shows of a callback's text, the terminating zero included.
    static constexpr std::size_t kMaxText = 288;
    static constexpr int kMaxTools = 8;

private:
    struct Tool {
        CmToolDescription description{};
        HWND control = nullptr;
        int askedIndex = -1;  // the entry the callback was last asked about while dropped
        bool shown = false;
    };

    static LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Follow(Tool& tool);
    void Hide(Tool& tool);
    void Release(Tool& tool);
    void Show(Tool& tool, int index, LPCSTR text);

    HWND dialog_;
    HWND tip_ = nullptr;
    Tool tools_[kMaxTools];
    int count_ = 0;
    bool busy_ = false;  // the tooltip's own messages to a control do not come back to it
};

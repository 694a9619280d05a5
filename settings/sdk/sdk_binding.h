// Option-code bindings: the part of an item that answers the option interface's requests under
// the item's option keys (0x10000 plus an application code, or 0x100000 plus the item id). The
// binding reaches its own item's value and control by casts between the item's bases. Answers:
// 0 done, 1 no data buffer or no such item, 2 not supported or no match, 3 refused.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/device/uidevdata.h"

#include <cstdint>

class CmSv;
class CmSvControl;

enum CmSvSdkAnswer : int { kSdkDone = 0, kSdkNoItem = 1, kSdkNotSupported = 2, kSdkRefused = 3 };

inline constexpr uint32_t kSdkItemKeyBase = 0x100000;  // plus the item id

// The size a binding whose get writes a 32-bit word announces: the item's own value word, but
// never less than the word, so that a caller who sizes its buffer by the size request has room
// for what the get writes (items name 1 or 2 for values they keep in 16 bits). A value word of
// 0 (no size request) stays 0.
constexpr uint32_t WordSized(uint32_t valueWord) { return valueWord && valueWord < 4 ? 4 : valueWord; }

class CmSvSdk {
public:
    CmSvSdk(uint32_t key, uint32_t valueWord, uint32_t second);
    // Every key of the zero-terminated list.
    CmSvSdk(const uint32_t* keys, uint32_t valueWord, uint32_t second);
    virtual ~CmSvSdk() = default;

    // Request 0: the size of the data the item's requests exchange (the value word).
    virtual int GetValue(UIDEVDATA* ctx, uint32_t key, void* data);
    virtual int GetCount(UIDEVDATA* ctx, uint32_t key, void* data);    // request 1
    virtual int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data);  // request 2
    virtual int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data);  // request 3
    virtual int GetList(UIDEVDATA* ctx, uint32_t key, void* data);     // request 4
    virtual int Apply(UIDEVDATA* ctx, uint32_t key, void* data);       // request 6: the default
    virtual int Request10(UIDEVDATA* ctx, uint32_t key, void* data);
    virtual int Request9(UIDEVDATA* ctx, uint32_t key, void* data);
    virtual int Unnamed(UIDEVDATA* ctx, uint32_t key, void* data);
    // 1 when the item's control exists and its enabled (shown) word is 1, else 0.
    virtual int IsControlEnabled(UIDEVDATA* ctx, uint32_t key, void* data);
    virtual int IsControlShown(UIDEVDATA* ctx, uint32_t key, void* data);
    // For a value of the option interface: 1 when its choice is enabled (shown), 0 when not or
    // when no offered choice has it; 2 for bindings without choices.
    virtual int IsSdkValueEnabled(UIDEVDATA* ctx, int32_t value);
    virtual int IsSdkValueShown(UIDEVDATA* ctx, int32_t value);

    bool HasKey(uint32_t key) const;
    // The item this binding is part of, told by the registry when it registers the item.
    void BindItem(CmSv* item) { item_ = item; }

    PoolVector<uint32_t> keys;  // ascending, without repeats
    uint32_t valueWord;
    uint32_t second;

protected:
    CmSv* Item();
    CmSvControl* Control();
    // The common guard: 2 for an unavailable item, then 1 for a null buffer; 0 to go on.
    int Guard(const void* data);
    // The guard of a set: as Guard, then 3 while the item's control is disabled.
    int SetGuard(const void* data);
    // The set of a value the item only reads (a fact of the device, the sheet or the request,
    // never stored): as Guard, then 3, since "done" would promise a value no device mode keeps.
    int ReadOnlySet(const void* data);

private:
    void InsertKey(uint32_t key);

    CmSv* item_ = nullptr;
};

class CmSvSdk_OnOff : public CmSvSdk {
public:
    // With on and off both 0 the binding works on the bits of `mask` in the data word.
    CmSvSdk_OnOff(uint32_t key, uint32_t off, uint32_t on, uint32_t valueWord, uint32_t second)
        : CmSvSdk(key, WordSized(valueWord), second), off(off), on(on) {}

    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    uint32_t off;
    uint32_t on;
    uint32_t mask = 0;
};

class CmSvSdk_Multi : public CmSvSdk {
public:
    CmSvSdk_Multi(uint32_t key, uint32_t valueWord, uint32_t second) : CmSvSdk(key, WordSized(valueWord), second) {}
    // Under every key of the zero-terminated list; a null list binds no key (the item is reached
    // through another item's key).
    CmSvSdk_Multi(const uint32_t* keys, uint32_t valueWord, uint32_t second)
        : CmSvSdk(keys, WordSized(valueWord), second) {}

    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int IsSdkValueEnabled(UIDEVDATA* ctx, int32_t value) override;
    int IsSdkValueShown(UIDEVDATA* ctx, int32_t value) override;
};

class CmSvSdk_Numeric : public CmSvSdk {
public:
    CmSvSdk_Numeric(uint32_t key, uint32_t valueWord, uint32_t second)
        : CmSvSdk(key, WordSized(valueWord), second) {}

    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvSdk_String : public CmSvSdk {
public:
    CmSvSdk_String(uint32_t key, uint32_t valueWord, uint32_t second) : CmSvSdk(key, valueWord, second) {}

    // The caller's buffer holds the value word's bytes (request 0 tells it): the text is copied
    // only when it fits there and in the item's size, else the answer is 1 and nothing is written.
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// A request of the option interface by kind (0 size, 1 count, 2 current, 3 set, 4 list,
// 6 default, 9, 10), run on one binding; kinds it has no operation for answer 2.
int RunSdkRequest(CmSvSdk& binding, UIDEVDATA* ctx, int kind, uint32_t key, void* data);

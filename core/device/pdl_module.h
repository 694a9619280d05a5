// The page-description-language module's entry: the callbacks the core calls on a `UIDEVDATA`
// (create the root object, open the user interface, answer device-mode requests and the
// installer's question, destroy).
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

struct PdlModuleEntry {
    BOOL (*Create)(UIDEVDATA* ctx);
    LONG (*Open)(UIDEVDATA* ctx);
    LONG (*DeviceModeRequestEx)(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);
    BOOL (*DevInstallQuery)(UIDEVDATA* ctx);
    void (*Destroy)(UIDEVDATA* ctx);
};

struct PdlModuleCallbacks {
    // Makes the request's PDLUserData and its module objects; FALSE when memory ran out.
    static BOOL Create(UIDEVDATA* ctx);
    // Opens the user interface the request asks for through the registered dispatcher; 2 while
    // none is registered.
    static LONG Open(UIDEVDATA* ctx);
    // An application request (code from 0x10000): SDK::Run's answer.
    static LONG DeviceModeRequestEx(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data);
    // 0 for a null object; else 1 when SDK::Run(8, 0x1000E, 1) answers 0.
    static BOOL DevInstallQuery(UIDEVDATA* ctx);
    static void Destroy(UIDEVDATA* ctx);
};

// The module's callbacks for a request of that kind.
const PdlModuleEntry* PdlModuleForKind(int kind);

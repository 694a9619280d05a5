// The library's private heap: the procedural layer's memory and the object layer's temporary
// copies of settings blocks. Created by DllMain on attach and destroyed on detach.
#pragma once

#include <windows.h>

// Null before attach and after detach.
extern HANDLE g_hHeap;

BOOL CreatePrivateHeap();
void DestroyPrivateHeap();

// Zero-filled, as every allocation of this heap is; null when the heap refuses or does not exist.
void* PrivateAlloc(SIZE_T bytes);
void PrivateFree(void* block);

// The data blocks of the four command kinds that client slot 7 sends: table rows (kind 1),
// named device variables (kind 2), name lists (kind 3) and a short text (kind 4). The caller's
// item lists are in-memory records: kind 1 {u32 count; {u32 first; u32 second}[count]}, kind 2
// {u32 count; char name[count][260]}, kind 3 {char name[260]; u32 count; char entry[count][260]},
// kind 4 a terminated text.
#pragma once

#include <cstdint>

inline constexpr int kCommandRows = 1;
inline constexpr int kCommandVariables = 2;
inline constexpr int kCommandNameList = 3;
inline constexpr int kCommandText = 4;

inline constexpr uint32_t kRowsCode = 601;
inline constexpr uint16_t kRowsCommand = 8212;
inline constexpr uint32_t kVariablesCode = 0x01910000;
inline constexpr uint16_t kVariablesCommand = 8208;
inline constexpr uint32_t kNameListCode = 0;
inline constexpr uint16_t kNameListCommand = 12560;
inline constexpr uint32_t kTextCode = 101;
inline constexpr uint16_t kTextCommand = 14849;

inline constexpr uint32_t kRowsPerCommand = 10;
inline constexpr uint32_t kRowsBlockSize = 326;
inline constexpr uint32_t kItemNameSize = 260;
inline constexpr uint32_t kCommandTextMax = 15;

// The number of requests the items make (one per item, one for a text); 0 for a null list.
uint32_t CommandItemCount(int kind, const void* items);

// One built command: its code, its command word and its data block on the private heap.
struct BuiltCommand {
    uint32_t code;
    uint16_t command;
    uint8_t* data;
    uint16_t dataSize;
};

// Builds the command of item `index`; 0, or a negative code (-1 a kind not known or a name that
// does not fit a length byte, -11 no memory) with nothing allocated.
int BuildCommand(int kind, const void* items, uint32_t index, BuiltCommand* out);

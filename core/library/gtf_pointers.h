// What the 16-bit side hands an export, converted through the generic thunks and checked: texts
// read no further than their segment, device modes only when the size they declare lies inside
// it, window handles only when they name a live window. A pointer held while a sheet or dialog
// runs is fixed for that time, since the 16-bit side's memory may move while it waits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The flat address of `bytes` bytes at the 16:16 pointer; null for a null pointer or a block
// that is not inside one segment.
uint8_t* Flat16(DWORD vp, DWORD bytes);

// The NUL-terminated text at the pointer, at most `maximum` characters. A null pointer is an
// empty text; false when the text runs past its segment or past the maximum.
bool Text16(DWORD vp, std::string& text, std::size_t maximum);

// The device mode at the pointer: its declared size (dmSize + dmDriverExtra) and its bytes, when
// the declared size lies inside the segment; false for a null pointer or a size that lies.
bool Devmode16(DWORD vp, uint8_t*& flat, DWORD& declared);

// A 16-bit window handle (0 for none): false when the word is not a 16-bit handle of a live
// window.
bool Window16(DWORD h16, HWND& window);

// A block held in place for the life of this object.
class Fixed16 {
public:
    Fixed16(DWORD vp, DWORD bytes);
    ~Fixed16();
    Fixed16(const Fixed16&) = delete;
    Fixed16& operator=(const Fixed16&) = delete;
    uint8_t* get() const { return flat_; }

private:
    DWORD vp_;
    uint8_t* flat_;
};

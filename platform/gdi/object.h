// The handle table of GDI objects: every pen, brush, font, bitmap, palette, region and device
// context is an Object registered here, and a handle is valid exactly while it is registered.
// Objects selected into a device context are deleted only once they are deselected.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

namespace gdi {

enum class Kind : unsigned char {
    Pen = OBJ_PEN,
    Brush = OBJ_BRUSH,
    Dc = OBJ_DC,
    Palette = OBJ_PAL,
    Font = OBJ_FONT,
    Bitmap = OBJ_BITMAP,
    Region = OBJ_REGION,
};

struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Kind kind;
    bool stock = false;
    int selections = 0;          // device contexts that have it selected
    bool deletePending = false;  // DeleteObject came while it was selected
};

// Registers the object and returns its handle; null when memory ran out.
void* Register(std::unique_ptr<Object> object);

// The live object of the handle when it is of that kind; null otherwise.
Object* Lookup(const void* handle, Kind kind);
Object* LookupAny(const void* handle);

template <class T>
T* As(const void* handle) {
    return static_cast<T*>(Lookup(handle, T::kKind));
}

// Unregisters and frees the object (stock objects are never freed).
void Destroy(Object* object);

// Selection bookkeeping: a deselected object whose deletion was asked for goes away.
void Selected(Object* object);
void Deselected(Object* object);

// Objects alive now, stock objects not counted.
std::size_t LiveCount();

template <class T, class... Args>
auto Make(Args&&... args) {
    using Handle = typename T::Handle;
    auto object = std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
    if (!object) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return Handle(nullptr);
    }
    return static_cast<Handle>(Register(std::move(object)));
}

}  // namespace gdi

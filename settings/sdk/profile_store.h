// The stored profiles as the option interface reaches them: the face of the profile list object
// of the request's user data that the application requests need. The profiles subsystem (a layer
// above this one) implements it in `CmProfile` and registers its factory at load; a request whose
// user data holds none works on a store with no entries, which lists nothing and stores nothing.
#pragma once

#include "core/device/user_data.h"

#include <windows.h>

#include <cstdint>
#include <vector>

inline constexpr uint16_t kProfileBuiltIn = 1;
inline constexpr uint16_t kProfileUser = 4;
inline constexpr size_t kProfileNameSize = 32;  // with the terminator
inline constexpr size_t kProfileCommentSize = 256;
inline constexpr uint32_t kUserProfileLimit = 50;

// A profile as the store hands it out; the device mode is the node's own copy.
struct CmProfileNode {
    char name[kProfileNameSize] = {};
    uint16_t type = 0;
    std::vector<uint8_t> devmode;  // empty for a node without one
};

// One row of the profile table (36 bytes in the store: the name, the 16-bit type and icon).
struct ProfileListEntry {
    char name[kProfileNameSize] = {};
    uint16_t type = 0;
    uint16_t icon = 0;
};

// The stored record of a profile: 16-bit size, name (32 bytes), comment (256), icon, type and a
// zero word, the device mode from byte 296.
namespace profilerecord {
inline constexpr size_t kSize = 0, kName = 2, kComment = 34, kIcon = 290, kType = 292, kZero = 294;
inline constexpr size_t kDevmode = 296;
}  // namespace profilerecord

class ProfileServices {
public:
    virtual ~ProfileServices() = default;

    // The node at index (0 first); false after the last.
    virtual bool GetProfileNode(uint32_t index, CmProfileNode& node) = 0;
    // A profile file read into a new profile record; empty on failure.
    virtual std::vector<uint8_t> ImportProfileFile(const char* path) = 0;
    // The profile table of that type, ending with an entry of empty name.
    virtual std::vector<ProfileListEntry> ReadProfileTable(HANDLE printer, uint16_t type) = 0;
    virtual bool RemoveProfile(const char* name, uint16_t type) = 0;
    // Stores a new profile from a stored record.
    virtual bool StoreProfile(const uint8_t* record, size_t size) = 0;

    // Names compared without regard to case; 0 when equal.
    static int CompareNames(const char* a, const char* b);
    // Nonzero when the name holds a path part (a folder or drive separator).
    static int FindFileNamePart(const char* name);
};

// The request's profile store for the length of one operation: the user data's object, else one
// made for the request (and deleted with this holder), else the store with no entries.
class ProfileStoreHold {
public:
    explicit ProfileStoreHold(UIDEVDATA* ctx);
    ~ProfileStoreHold();
    ProfileStoreHold(const ProfileStoreHold&) = delete;
    ProfileStoreHold& operator=(const ProfileStoreHold&) = delete;

    ProfileServices& operator*() const { return *store_; }
    ProfileServices* operator->() const { return store_; }

private:
    ProfileServices* store_;
    CmModule* made_ = nullptr;
};

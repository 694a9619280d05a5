// The signature test of add-in files. An add-in runs inside the printing program with the
// user's rights, so only a file the maker signed is loaded. The signature travels at the end of
// the file itself:
//     [the add-in's bytes][signature][u32 signature size][u32 0]["VOMELSIG"]
// where the signature is the maker's RSA signature (PKCS #1 v1.5) over the SHA-1 of every byte
// before it, least significant byte first, as ADVAPI32 makes and checks it. The test loads the
// cryptographic functions from ADVAPI32 by name; a system without them loads no add-in.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr char kAddInSignatureMagic[8] = {'V', 'O', 'M', 'E', 'L', 'S', 'I', 'G'};
inline constexpr std::size_t kAddInTrailerSize = 16;
// Larger than any add-in: a file past this is not read, and so not loaded.
inline constexpr std::size_t kAddInMaxFileBytes = 64u << 20;

enum class AddInSignature {
    Good,
    NoFile,        // missing, unreadable or larger than kAddInMaxFileBytes
    Unsigned,      // no signature block, or one whose sizes do not fit the file
    BadSignature,  // signed, but not by the maker's key over these bytes
    NoCrypto,      // the cryptographic functions are not there or refuse the key
};

// Tests the file at the Windows path `path`.
AddInSignature CheckAddInSignature(LPCSTR path);

// Tests a file's bytes as CheckAddInSignature tests a file's.
AddInSignature CheckAddInSignatureBytes(const uint8_t* bytes, std::size_t size);

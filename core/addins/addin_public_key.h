// The maker's public key, with which every add-in file is signed: a PUBLICKEYBLOB as ADVAPI32's
// CryptImportKey takes it (an RSA signing key of 2,048 bits, exponent 65537).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kAddInPublicKeySize = 276;
extern const uint8_t kAddInPublicKey[kAddInPublicKeySize];

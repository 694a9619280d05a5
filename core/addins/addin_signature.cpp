// The add-in signature test (see addin_signature.h): the trailer is read through the checked
// view, the signed bytes are hashed and the signature verified with the maker's key by
// ADVAPI32's functions, found by name each time (the library holds no handle between tests).
#include "core/addins/addin_signature.h"

#include "core/addins/addin_public_key.h"
#include "core/helpers/byte_view.h"

#include <wincrypt.h>

#include <cstring>
#include <vector>

namespace {

// Signatures of keys from 512 to 4,096 bits.
constexpr uint32_t kMinSignature = 64, kMaxSignature = 512;

struct Crypto {
    decltype(&CryptAcquireContextA) acquire = nullptr;
    decltype(&CryptReleaseContext) release = nullptr;
    decltype(&CryptImportKey) importKey = nullptr;
    decltype(&CryptDestroyKey) destroyKey = nullptr;
    decltype(&CryptCreateHash) createHash = nullptr;
    decltype(&CryptHashData) hashData = nullptr;
    decltype(&CryptDestroyHash) destroyHash = nullptr;
    decltype(&CryptVerifySignatureA) verify = nullptr;
};

template <typename F>
bool Find(HMODULE module, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool FindCrypto(HMODULE module, Crypto& c) {
    return Find(module, "CryptAcquireContextA", c.acquire) && Find(module, "CryptReleaseContext", c.release) &&
           Find(module, "CryptImportKey", c.importKey) && Find(module, "CryptDestroyKey", c.destroyKey) &&
           Find(module, "CryptCreateHash", c.createHash) && Find(module, "CryptHashData", c.hashData) &&
           Find(module, "CryptDestroyHash", c.destroyHash) && Find(module, "CryptVerifySignatureA", c.verify);
}

AddInSignature Verify(const Crypto& c, const uint8_t* body, std::size_t bodySize, const uint8_t* signature,
                      DWORD signatureSize) {
    HCRYPTPROV provider = 0;
    if (!c.acquire(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return AddInSignature::NoCrypto;
    HCRYPTKEY key = 0;
    HCRYPTHASH hash = 0;
    AddInSignature result = AddInSignature::NoCrypto;
    if (c.importKey(provider, kAddInPublicKey, kAddInPublicKeySize, 0, 0, &key) &&
        c.createHash(provider, CALG_SHA1, 0, 0, &hash)) {
        // Hashed in pieces: a DWORD counts the bytes of one call.
        bool hashed = true;
        for (std::size_t at = 0; hashed && at < bodySize; at += 1u << 20) {
            const DWORD piece = static_cast<DWORD>(bodySize - at < (1u << 20) ? bodySize - at : 1u << 20);
            hashed = c.hashData(hash, body + at, piece, 0);
        }
        if (hashed)
            result = c.verify(hash, signature, signatureSize, key, nullptr, 0) ? AddInSignature::Good
                                                                               : AddInSignature::BadSignature;
    }
    if (hash) c.destroyHash(hash);
    if (key) c.destroyKey(key);
    c.release(provider, 0);
    return result;
}

}  // namespace

AddInSignature CheckAddInSignatureBytes(const uint8_t* bytes, std::size_t size) {
    const ByteView file(bytes, size);
    if (size < kAddInTrailerSize) return AddInSignature::Unsigned;
    const std::size_t trailer = size - kAddInTrailerSize;
    uint32_t signatureSize = 0, reserved = 0;
    char magic[sizeof kAddInSignatureMagic];
    if (!file.u32(trailer, signatureSize) || !file.u32(trailer + 4, reserved) || !file.bytes(trailer + 8, magic, sizeof magic) ||
        std::memcmp(magic, kAddInSignatureMagic, sizeof magic) != 0 || reserved != 0 || signatureSize < kMinSignature ||
        signatureSize > kMaxSignature || signatureSize > trailer)
        return AddInSignature::Unsigned;
    const std::size_t bodySize = trailer - signatureSize;
    HMODULE advapi = LoadLibraryA("ADVAPI32");
    if (!advapi) return AddInSignature::NoCrypto;
    Crypto crypto;
    const AddInSignature result = FindCrypto(advapi, crypto)
                                      ? Verify(crypto, bytes, bodySize, bytes + bodySize, signatureSize)
                                      : AddInSignature::NoCrypto;
    FreeLibrary(advapi);
    return result;
}

AddInSignature CheckAddInSignature(LPCSTR path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return AddInSignature::NoFile;
    const DWORD size = GetFileSize(file, nullptr);
    std::vector<uint8_t> bytes;
    DWORD read = 0;
    bool ok = size != INVALID_FILE_SIZE && size <= kAddInMaxFileBytes;
    if (ok) {
        bytes.resize(size);
        ok = size == 0 || (ReadFile(file, bytes.data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok ? CheckAddInSignatureBytes(bytes.data(), bytes.size()) : AddInSignature::NoFile;
}

// ADVAPI32's signature test over the host's crypto library: a provider context that holds no key
// containers (CRYPT_VERIFYCONTEXT only), public keys imported from PUBLICKEYBLOBs, SHA-1 and MD5
// hashes, and PKCS #1 v1.5 signature verification. Blobs and signatures keep the original's byte
// order (least significant byte first). Handles are checked against the live objects, so a
// stale or forged handle answers an error instead of being followed.
#include <wincrypt.h>
#include <windows.h>

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>
#include <openssl/rsa.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>
#include <vector>

namespace {

// Modulus lengths a signing key may have: 512 to 4096 bits.
constexpr DWORD kMinKeyBits = 512, kMaxKeyBits = 4096;

struct Provider {};
struct Key {
    EVP_PKEY* pkey = nullptr;
    DWORD bytes = 0;  // the modulus's length: the length of every signature
    ~Key() { EVP_PKEY_free(pkey); }
};
struct Hash {
    ALG_ID algorithm = 0;
    EVP_MD_CTX* md = nullptr;
    bool finished = false;
    ~Hash() { EVP_MD_CTX_free(md); }
};

std::mutex g_lock;
std::set<const void*> g_live;

template <typename T>
ULONG_PTR Track(T* object) {
    std::lock_guard guard(g_lock);
    g_live.insert(object);
    return reinterpret_cast<ULONG_PTR>(object);
}

template <typename T>
T* Find(ULONG_PTR handle) {
    std::lock_guard guard(g_lock);
    return g_live.count(reinterpret_cast<const void*>(handle)) ? reinterpret_cast<T*>(handle) : nullptr;
}

template <typename T>
bool Forget(ULONG_PTR handle) {
    std::lock_guard guard(g_lock);
    if (!g_live.erase(reinterpret_cast<const void*>(handle))) return false;
    delete reinterpret_cast<T*>(handle);
    return true;
}

BOOL Fail(HRESULT error) {
    SetLastError(static_cast<DWORD>(error));
    return FALSE;
}

uint32_t U32(const BYTE* at) { return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24; }

// An RSA public key from the modulus (least significant byte first) and the exponent.
EVP_PKEY* RsaPublicKey(const BYTE* modulus, DWORD bytes, DWORD exponent) {
    BIGNUM* n = BN_lebin2bn(modulus, static_cast<int>(bytes), nullptr);
    BIGNUM* e = BN_new();
    OSSL_PARAM_BLD* build = OSSL_PARAM_BLD_new();
    OSSL_PARAM* params = nullptr;
    EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr);
    EVP_PKEY* key = nullptr;
    if (n && e && build && context && BN_set_word(e, exponent) && OSSL_PARAM_BLD_push_BN(build, OSSL_PKEY_PARAM_RSA_N, n) &&
        OSSL_PARAM_BLD_push_BN(build, OSSL_PKEY_PARAM_RSA_E, e) && (params = OSSL_PARAM_BLD_to_param(build)) &&
        EVP_PKEY_fromdata_init(context) == 1)
        EVP_PKEY_fromdata(context, &key, EVP_PKEY_PUBLIC_KEY, params);
    EVP_PKEY_CTX_free(context);
    OSSL_PARAM_free(params);
    OSSL_PARAM_BLD_free(build);
    BN_free(e);
    BN_free(n);
    return key;
}

}  // namespace

extern "C" BOOL WINAPI CryptAcquireContextA(HCRYPTPROV* phProv, LPCSTR szContainer, LPCSTR szProvider, DWORD dwProvType,
                                            DWORD dwFlags) {
    if (!phProv) return Fail(static_cast<HRESULT>(ERROR_INVALID_PARAMETER));
    *phProv = 0;
    if (dwProvType != PROV_RSA_FULL) return Fail(NTE_BAD_PROV_TYPE);
    if (szProvider && *szProvider) return Fail(NTE_KEYSET_NOT_DEF);  // the default provider only
    // No key containers are kept: only the verification context is offered.
    if (dwFlags != CRYPT_VERIFYCONTEXT || (szContainer && *szContainer)) return Fail(NTE_BAD_KEYSET);
    *phProv = Track(new Provider);
    return TRUE;
}

extern "C" BOOL WINAPI CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags) {
    if (dwFlags) return Fail(NTE_BAD_FLAGS);
    return Forget<Provider>(hProv) ? TRUE : Fail(NTE_BAD_UID);
}

extern "C" BOOL WINAPI CryptImportKey(HCRYPTPROV hProv, const BYTE* pbData, DWORD dwDataLen, HCRYPTKEY hPubKey,
                                      DWORD dwFlags, HCRYPTKEY* phKey) {
    if (!phKey) return Fail(static_cast<HRESULT>(ERROR_INVALID_PARAMETER));
    *phKey = 0;
    if (!Find<Provider>(hProv)) return Fail(NTE_BAD_UID);
    if (hPubKey || dwFlags) return Fail(NTE_BAD_FLAGS);
    constexpr DWORD kHead = sizeof(BLOBHEADER) + sizeof(RSAPUBKEY);
    static_assert(kHead == 20, "the blob's header is 8 bytes, the RSA key's 12");
    if (!pbData || dwDataLen < kHead) return Fail(NTE_BAD_DATA);
    const ALG_ID algorithm = U32(pbData + 4);
    if (pbData[0] != PUBLICKEYBLOB || pbData[1] != CUR_BLOB_VERSION) return Fail(NTE_BAD_TYPE);
    if (algorithm != CALG_RSA_SIGN && algorithm != CALG_RSA_KEYX) return Fail(NTE_BAD_ALGID);
    const DWORD magic = U32(pbData + 8), bits = U32(pbData + 12), exponent = U32(pbData + 16);
    if (magic != RSA1_MAGIC || bits < kMinKeyBits || bits > kMaxKeyBits || bits % 8 || exponent < 3 || !(exponent & 1) ||
        dwDataLen - kHead < bits / 8)
        return Fail(NTE_BAD_DATA);
    auto* key = new Key;
    key->bytes = bits / 8;
    key->pkey = RsaPublicKey(pbData + kHead, key->bytes, exponent);
    if (!key->pkey) {
        delete key;
        return Fail(NTE_BAD_DATA);
    }
    *phKey = Track(key);
    return TRUE;
}

extern "C" BOOL WINAPI CryptDestroyKey(HCRYPTKEY hKey) { return Forget<Key>(hKey) ? TRUE : Fail(NTE_BAD_KEY); }

extern "C" BOOL WINAPI CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags, HCRYPTHASH* phHash) {
    if (!phHash) return Fail(static_cast<HRESULT>(ERROR_INVALID_PARAMETER));
    *phHash = 0;
    if (!Find<Provider>(hProv)) return Fail(NTE_BAD_UID);
    if (hKey) return Fail(NTE_BAD_KEY);  // keyed hashes are not offered
    if (dwFlags) return Fail(NTE_BAD_FLAGS);
    const EVP_MD* md = Algid == CALG_SHA1 ? EVP_sha1() : Algid == CALG_MD5 ? EVP_md5() : nullptr;
    if (!md) return Fail(NTE_BAD_ALGID);
    auto* hash = new Hash;
    hash->algorithm = Algid;
    hash->md = EVP_MD_CTX_new();
    if (!hash->md || EVP_DigestInit_ex(hash->md, md, nullptr) != 1) {
        delete hash;
        return Fail(NTE_NO_MEMORY);
    }
    *phHash = Track(hash);
    return TRUE;
}

extern "C" BOOL WINAPI CryptHashData(HCRYPTHASH hHash, const BYTE* pbData, DWORD dwDataLen, DWORD dwFlags) {
    Hash* hash = Find<Hash>(hHash);
    if (!hash) return Fail(NTE_BAD_HASH);
    if (dwFlags) return Fail(NTE_BAD_FLAGS);
    if (hash->finished) return Fail(NTE_BAD_HASH_STATE);
    if (!pbData && dwDataLen) return Fail(static_cast<HRESULT>(ERROR_INVALID_PARAMETER));
    return dwDataLen == 0 || EVP_DigestUpdate(hash->md, pbData, dwDataLen) == 1 ? TRUE : Fail(NTE_BAD_HASH);
}

extern "C" BOOL WINAPI CryptDestroyHash(HCRYPTHASH hHash) { return Forget<Hash>(hHash) ? TRUE : Fail(NTE_BAD_HASH); }

extern "C" BOOL WINAPI CryptVerifySignatureA(HCRYPTHASH hHash, const BYTE* pbSignature, DWORD dwSigLen, HCRYPTKEY hPubKey,
                                             LPCSTR szDescription, DWORD dwFlags) {
    Hash* hash = Find<Hash>(hHash);
    Key* key = Find<Key>(hPubKey);
    if (!hash) return Fail(NTE_BAD_HASH);
    if (!key) return Fail(NTE_BAD_KEY);
    if (dwFlags || (szDescription && *szDescription)) return Fail(NTE_BAD_FLAGS);
    if (!pbSignature || dwSigLen != key->bytes) return Fail(NTE_BAD_SIGNATURE);
    // The hash is finished by the test: later data is refused, as on the original.
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestSize = 0;
    if (hash->finished || EVP_DigestFinal_ex(hash->md, digest, &digestSize) != 1) return Fail(NTE_BAD_HASH_STATE);
    hash->finished = true;
    std::vector<BYTE> signature(pbSignature, pbSignature + dwSigLen);
    std::reverse(signature.begin(), signature.end());
    EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(key->pkey, nullptr);
    const bool good = context && EVP_PKEY_verify_init(context) == 1 &&
                      EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_PADDING) == 1 &&
                      EVP_PKEY_CTX_set_signature_md(context, hash->algorithm == CALG_SHA1 ? EVP_sha1() : EVP_md5()) == 1 &&
                      EVP_PKEY_verify(context, signature.data(), signature.size(), digest, digestSize) == 1;
    EVP_PKEY_CTX_free(context);
    return good ? TRUE : Fail(NTE_BAD_SIGNATURE);
}

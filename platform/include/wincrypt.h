// The cryptographic functions of ADVAPI32 that a program loads by name to check a signature: a
// provider context without key containers, an imported RSA public key, a SHA-1 or MD5 hash, and
// the test of a PKCS #1 signature over that hash. Programs reach them through LoadLibraryA and
// GetProcAddress, as on the original, where older systems lack them.
#pragma once

#include "windef.h"

typedef ULONG_PTR HCRYPTPROV;
typedef ULONG_PTR HCRYPTKEY;
typedef ULONG_PTR HCRYPTHASH;
typedef unsigned int ALG_ID;

#define PROV_RSA_FULL 1
#define CRYPT_VERIFYCONTEXT 0xF0000000

#define CALG_MD5 0x00008003
#define CALG_SHA1 0x00008004
#define CALG_RSA_SIGN 0x00002400
#define CALG_RSA_KEYX 0x0000A400

#define PUBLICKEYBLOB 0x6
#define CUR_BLOB_VERSION 2

// The key blob's header and, behind it, the RSA key's: "RSA1", the modulus's bit length and the
// public exponent; the modulus follows, least significant byte first.
typedef struct _PUBLICKEYSTRUC {
    BYTE bType;
    BYTE bVersion;
    WORD reserved;
    ALG_ID aiKeyAlg;
} BLOBHEADER, PUBLICKEYSTRUC;
typedef struct _RSAPUBKEY {
    DWORD magic;
    DWORD bitlen;
    DWORD pubexp;
} RSAPUBKEY;
#define RSA1_MAGIC 0x31415352

#define NTE_BAD_DATA ((HRESULT)0x80090005)
#define NTE_BAD_SIGNATURE ((HRESULT)0x80090006)
#define NTE_BAD_ALGID ((HRESULT)0x80090008)
#define NTE_BAD_FLAGS ((HRESULT)0x80090009)
#define NTE_BAD_TYPE ((HRESULT)0x8009000A)
#define NTE_BAD_KEY ((HRESULT)0x80090003)
#define NTE_BAD_UID ((HRESULT)0x80090001)
#define NTE_BAD_HASH ((HRESULT)0x80090002)
#define NTE_BAD_HASH_STATE ((HRESULT)0x8009000C)
#define NTE_BAD_PROV_TYPE ((HRESULT)0x80090014)
#define NTE_KEYSET_NOT_DEF ((HRESULT)0x80090019)
#define NTE_BAD_KEYSET ((HRESULT)0x80090016)
#define NTE_NO_MEMORY ((HRESULT)0x8009000E)

WINBASEAPI BOOL WINAPI CryptAcquireContextA(HCRYPTPROV* phProv, LPCSTR szContainer, LPCSTR szProvider, DWORD dwProvType,
                                            DWORD dwFlags);
WINBASEAPI BOOL WINAPI CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags);
WINBASEAPI BOOL WINAPI CryptImportKey(HCRYPTPROV hProv, const BYTE* pbData, DWORD dwDataLen, HCRYPTKEY hPubKey,
                                      DWORD dwFlags, HCRYPTKEY* phKey);
WINBASEAPI BOOL WINAPI CryptDestroyKey(HCRYPTKEY hKey);
WINBASEAPI BOOL WINAPI CryptCreateHash(HCRYPTPROV hProv, ALG_ID Algid, HCRYPTKEY hKey, DWORD dwFlags, HCRYPTHASH* phHash);
WINBASEAPI BOOL WINAPI CryptHashData(HCRYPTHASH hHash, const BYTE* pbData, DWORD dwDataLen, DWORD dwFlags);
WINBASEAPI BOOL WINAPI CryptDestroyHash(HCRYPTHASH hHash);
WINBASEAPI BOOL WINAPI CryptVerifySignatureA(HCRYPTHASH hHash, const BYTE* pbSignature, DWORD dwSigLen, HCRYPTKEY hPubKey,
                                             LPCSTR szDescription, DWORD dwFlags);

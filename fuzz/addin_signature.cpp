// Fuzz target of the add-in signature test and of the key blobs ADVAPI32 imports: any bytes are
// read within their bounds, no forged file passes, and every handle made is released.
#include "core/addins/addin_signature.h"

#include <wincrypt.h>
#include <windows.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Whatever the verdict, the test reads only the bytes it was given.
    (void)CheckAddInSignatureBytes(data, size);
    static HCRYPTPROV provider = [] {
        HCRYPTPROV p = 0;
        if (!CryptAcquireContextA(&p, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) std::abort();
        return p;
    }();
    HCRYPTKEY key = 0;
    if (CryptImportKey(provider, data, static_cast<DWORD>(size), 0, 0, &key)) {
        if (!key || !CryptDestroyKey(key)) std::abort();
    } else if (key) {
        std::abort();
    }
    return 0;
}

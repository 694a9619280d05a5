// The signature test of add-in files: only bytes the maker signed pass; every forged, cut or
// re-signed file is refused, and the cryptographic functions refuse keys and handles that are
// not whole or not theirs.
#include "core/addins/addin_public_key.h"
#include "core/addins/addin_signature.h"
#include "drvtest/addins.h"

#include <gtest/gtest.h>
#include <wincrypt.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Body() {
    std::vector<uint8_t> bytes(5000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return bytes;
}

std::vector<uint8_t> Signed(drvtest::AddInSigning signing = drvtest::AddInSigning::Maker) {
    std::vector<uint8_t> bytes = Body();
    drvtest::SignAddIn(bytes, signing);
    return bytes;
}

AddInSignature Check(const std::vector<uint8_t>& bytes) { return CheckAddInSignatureBytes(bytes.data(), bytes.size()); }

void PutU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

TEST(AddInSignature, OnlyTheMakersSignatureOverTheseBytesPasses) {
    using drvtest::AddInSigning;
    const std::size_t trailer = Signed().size() - kAddInTrailerSize;
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        AddInSignature expected;
    };
    std::vector<Case> cases = {
        {"signed by the maker", Signed(), AddInSignature::Good},
        {"not signed", Body(), AddInSignature::Unsigned},
        {"signed with another key", Signed(AddInSigning::OtherKey), AddInSignature::BadSignature},
        {"a byte of the add-in changed", Signed(), AddInSignature::BadSignature},
        {"a byte of the signature changed", Signed(), AddInSignature::BadSignature},
        {"the marker broken", Signed(), AddInSignature::Unsigned},
        {"a signature size past the file", Signed(), AddInSignature::Unsigned},
        {"a signature size of 0", Signed(), AddInSignature::Unsigned},
        {"a signature size one short", Signed(), AddInSignature::BadSignature},
        {"the reserved word set", Signed(), AddInSignature::Unsigned},
        {"bytes appended after the block", Signed(), AddInSignature::Unsigned},
        {"shorter than the trailer", std::vector<uint8_t>(kAddInTrailerSize - 1, 0), AddInSignature::Unsigned},
        {"empty", {}, AddInSignature::Unsigned},
    };
    cases[3].bytes[100] ^= 1;
    cases[4].bytes[trailer - 5] ^= 0x40;
    cases[5].bytes[trailer + 8] = 'v';
    PutU32(cases[6].bytes, trailer, static_cast<uint32_t>(trailer + 1));
    PutU32(cases[7].bytes, trailer, 0);
    PutU32(cases[8].bytes, trailer, 255);
    PutU32(cases[9].bytes, trailer + 4, 1);
    cases[10].bytes.push_back(0);
    for (const Case& c : cases) EXPECT_EQ(Check(c.bytes), c.expected) << c.what;
    EXPECT_EQ(CheckAddInSignature("C:\\NO\\SUCH.DLL"), AddInSignature::NoFile);
}

// The functions a caller finds by name refuse blobs, handles and requests they cannot honour.
TEST(AddInSignature, TheCryptographicFunctionsRefuseWhatIsNotWhole) {
    HCRYPTPROV provider = 0;
    EXPECT_FALSE(CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, 0)) << "key containers are not kept";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NTE_BAD_KEYSET));
    EXPECT_FALSE(CryptAcquireContextA(&provider, nullptr, nullptr, 24, CRYPT_VERIFYCONTEXT));
    ASSERT_TRUE(CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    const std::vector<uint8_t> good(kAddInPublicKey, kAddInPublicKey + kAddInPublicKeySize);
    struct Case {
        const char* what;
        std::size_t at;  // the byte changed, or the length when `cut`
        uint8_t value;
        bool cut;
    };
    for (const Case& c : {Case{"no blob", 0, 0, true}, Case{"the header cut", 19, 0, true},
                          Case{"the modulus cut", kAddInPublicKeySize - 1, 0, true}, Case{"a private-key blob", 0, 7, false},
                          Case{"another version", 1, 1, false}, Case{"a hash algorithm", 5, 0x80, false},
                          Case{"no RSA1 magic", 11, '2', false}, Case{"a bit length past 4096", 14, 0x20, false},
                          Case{"a bit length of no whole bytes", 12, 1, false}, Case{"an even exponent", 16, 2, false}}) {
        std::vector<uint8_t> blob = good;
        if (c.cut) blob.resize(c.at);
        else blob[c.at] = c.value;
        HCRYPTKEY key = 0;
        EXPECT_FALSE(CryptImportKey(provider, blob.data(), static_cast<DWORD>(blob.size()), 0, 0, &key)) << c.what;
        EXPECT_EQ(key, 0u) << c.what;
    }
    HCRYPTKEY key = 0;
    HCRYPTHASH hash = 0;
    ASSERT_TRUE(CryptImportKey(provider, good.data(), static_cast<DWORD>(good.size()), 0, 0, &key));
    EXPECT_FALSE(CryptCreateHash(provider, 0x660E, 0, 0, &hash)) << "a cipher is no hash";
    ASSERT_TRUE(CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash));
    const uint8_t data[4] = {1, 2, 3, 4};
    ASSERT_TRUE(CryptHashData(hash, data, sizeof data, 0));
    const std::vector<uint8_t> signature(256, 0x5A);
    EXPECT_FALSE(CryptVerifySignatureA(hash, signature.data(), 255, key, nullptr, 0)) << "a signature of the wrong length";
    EXPECT_FALSE(CryptVerifySignatureA(hash, signature.data(), 256, key, nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NTE_BAD_SIGNATURE));
    EXPECT_FALSE(CryptHashData(hash, data, sizeof data, 0)) << "the test finished the hash";
    EXPECT_TRUE(CryptDestroyHash(hash));
    EXPECT_FALSE(CryptHashData(hash, data, sizeof data, 0)) << "a handle destroyed";
    EXPECT_FALSE(CryptDestroyHash(hash));
    EXPECT_FALSE(CryptDestroyKey(key + 1)) << "a handle that names nothing";
    EXPECT_TRUE(CryptDestroyKey(key));
    EXPECT_TRUE(CryptReleaseContext(provider, 0));
    EXPECT_FALSE(CryptReleaseContext(provider, 0));
}

}  // namespace

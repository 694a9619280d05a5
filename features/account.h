// `Account`: the current user's job-account id and code for one printer, kept in the user's
// registry, checked for form and verified with the device before jobs carry them.
#pragma once

#include "features/account_data.h"
#include "profiles/cm_preset.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Message numbers the account leaves for its caller.
inline constexpr UINT kAccountBadId = 22344;
inline constexpr UINT kAccountBadCode = 22333;
inline constexpr UINT kAccountCheckFailed = 1046;
inline constexpr UINT kAccountRefused = 1024;

class Account : public CmPreset {
public:
    Account(UIDEVDATA* owner, uintptr_t creationValue);

    // Reads the stored record; false (with the defaults) when the printer's key is missing.
    bool Load();
    // Writes the record; false when the registry refused the key or the value.
    bool Save();
    // "Software\Vomel\PCL5e\" (PCL5c for a colour device), the printer's key part and
    // "\AccountMngTBL".
    std::string KeyPath() const;

    // 0 when id and code have the form the device takes, else the message number.
    UINT Validate();
    // Validate, then the device's verdict; the status names the problem when false.
    bool Check(HWND owner);
    bool VerifyWithDevice(HWND owner);

    std::string GetId() const;
    // False (nothing changed) for a text that does not fit the field.
    bool SetId(const std::string& id);
    uint32_t GetCode() const;
    uint8_t GetCodeDigits() const;
    void SetCode(uint32_t code, uint8_t digits);
    std::string GetCodeText() const;
    uint32_t GetFlag() const;
    UINT GetStatus() const { return status_; }
    bool IsValid() const { return valid_; }
    const account::Record& GetRecord() const { return record_; }

private:
    account::Record record_;
    UINT status_ = 0;
    bool valid_ = false;
};

// The user data's object for a request; the job-account dialogs load it when they open. Null
// when it cannot be made.
CmModule* MakeAccount(UIDEVDATA* ctx);

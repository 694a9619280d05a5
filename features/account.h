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
inline constexpr UINT kAccountDeviceFailed = 1005;  // the device could not be asked
inline constexpr UINT kAccountUnknownToDevice = 1081;
inline constexpr UINT kAccountDeviceBusy = 1082;
inline constexpr UINT kAccountLimitReached = 1083;

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
    // The device's verdict on id and code: true when it accepts them or does not check accounts;
    // else a beep and the status says why (1005 the device could not be asked, 1081 to 1083 the
    // device's own answers, 1024 refused).
    bool VerifyWithDevice(HWND owner);
    // Asks the device about the id (request 17). Answers the request's result (the failed step's
    // code when the device-information library could not be opened) and the two values of its
    // answer, 0 when there was none.
    int32_t QueryDevice(uint32_t& value1, uint32_t& value2) const;
    // The id as the device's query takes it: left-padded with "0" to 8 characters.
    static std::string CheckIdText(const std::string& id);

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

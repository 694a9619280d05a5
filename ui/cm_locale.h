// `CmLocale`: the sheet's locale services. Number texts are formatted with a point by the
// resource module's format strings and rewritten here for the user's locale before they are
// shown.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <windows.h>

class CmLocale : public PoolObject {
public:
    // Reads the user's decimal separator once; a separator longer than one character cannot
    // replace the point in place and leaves texts as they are.
    CmLocale();
    virtual ~CmLocale() = default;

    // Rewrites the text in place: each point between two digits becomes the user's separator.
    // A point elsewhere (the end of a sentence) stays.
    virtual void LocalizeNumberText(LPSTR text) const;

    char DecimalSeparator() const { return separator_; }

private:
    char separator_ = '.';
};

// Lets every user data made from now on carry a `CmLocale`.
void RegisterUserLocale();

// `PDLSvSDK`: this driver's item side of the application option interface; it passes every
// request to the common item side unchanged.
#pragma once

#include "settings/sdk/cm_sv_sdk.h"

class PDLSvSDK : public CmSvSDK {};

// `PDLSvFOLX`: this driver's item side of the page-composition interface; it keeps the common
// item side's handles unchanged.
#pragma once

#include "settings/sdk/cm_sv_folx.h"

class PDLSvFOLX : public CmSvFOLX {};

// Code pages, locales and character conversion.
#pragma once

#include "windef.h"

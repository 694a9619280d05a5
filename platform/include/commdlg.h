// Common dialogs: file open and save.
#pragma once

#include "windows.h"

// Test-only: the engine a sheet's registry leaves for the process's next start
// (settings/registry/left_engine.cpp). EndLeftEngine (settings/registry/conflict.h) empties it.
#pragma once

#include <cstddef>

// How many starts in the process took a left engine.
size_t LeftEnginesTaken() noexcept;

// What the layers above the core hold that must go before the library lets go of its data-file
// cache and private heap. The core may not call those layers: they register the release here as
// the library is loaded.
#pragma once

// Registers the release that the detach runs first; a later registration replaces it.
void RegisterDetachRelease(void (*release)() noexcept) noexcept;

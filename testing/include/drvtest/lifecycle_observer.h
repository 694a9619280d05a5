// Test-only: reports each step of the library's start-up and shut-down (DllMain), so that a test
// can see their order and what exists at each step.
#pragma once

// The observer gets a short name of each step just after it is done; null stops the reports.
void ObserveLifecycle(void (*observer)(const char* step)) noexcept;

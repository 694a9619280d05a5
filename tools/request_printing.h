// The host program's requests from the command line, sent in order, each answer printed whole:
// every entry of a list and every field of a record, by the names data/option-interface*.md
// gives them where the record is described there.
#pragma once

#include "tools/driver_library.h"
#include "tools/host_arguments.h"

#include <cstdint>
#include <vector>

// 0 when every request answered 0, else 1.
int SendRequests(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                 const std::vector<OptionRequest>& requests);

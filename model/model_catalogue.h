// The model table: a description for each device model this driver knows, keyed by the 16-bit
// device model code of the driver data file.
#pragma once

#include "model/model_description.h"

#include <cstdint>

// Fills out with the description of the model; false, and out all zeros (every feature absent),
// for a model the table does not list.
bool DescribeModel(uint16_t model, ModelDescription& out);

// The codes of the described models, in ascending order, and their number.
const uint16_t* DescribedModels(size_t& count);

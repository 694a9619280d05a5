// What the document features register as the library loads: the factory of the sheet's
// watermark object.
#pragma once

void RegisterFeatures();

// What the document features register as the library loads: the factory of the sheet's
// watermark object, and the watermark dialog under its kind with its messages.
#pragma once

void RegisterFeatures();

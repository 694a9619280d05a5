// What the document features register as the library loads: the factory of the sheet's
// watermark object and the overlay object, and the watermark and overlay dialogs under their
// kinds with their messages; the objectives, the colour settings and the two colour dialogs.
#pragma once

void RegisterFeatures();

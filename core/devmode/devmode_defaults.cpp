// Built-in defaults of the device mode. The public defaults are those every caller expects of a
// printer (one portrait copy, collated, downloaded TrueType); the private ones come from the
// option table.
#include "core/devmode/devmode_defaults.h"

#include "core/devmode/devmode_colour.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_public_fields.h"

#include <windows.h>

namespace devmode {
namespace {

void putText(MutableByteView dm, size_t offset, size_t field, const std::string& text) {
    putPaddedText(dm, offset, field, text.data(), text.size());
}

}  // namespace

void stampCurrentLayout(MutableByteView dm) {
    dm.put_u16(kOffSize, kPublicSize);
    dm.put_u16(kOffDriverExtra, kPrivateSize);
    dm.put_bytes(kOffSignature, kSignature, kSignatureSize);
    dm.put_u16(kOffPrivateVersion, kPrivateVersion);
    dm.put_s16(kOffModelSection, static_cast<int16_t>(kModelSectionOffset));
    dm.put_bytes(kOffDirectory, kCurrentDirectory.data(), kCurrentDirectory.size());
}

bool buildDefaultDevmode(const ModelFacts& facts, void* buffer, size_t size) {
    MutableByteView dm(buffer, size);
    if (!dm.contains(0, kDevmodeSize)) return false;
    dm.fill(0, 0, kDevmodeSize);

    putText(dm, kOffDeviceName, CCHDEVICENAME, facts.deviceName);
    dm.put_u16(kOffSpecVersion, kSpecVersion);
    dm.put_u16(kOffDriverVersion, kPrivateVersion);
    dm.put_u32(kOffFields, DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE |
                               DM_PRINTQUALITY | DM_COLOR | DM_DUPLEX | DM_YRESOLUTION | DM_TTOPTION |
                               DM_COLLATE | DM_FORMNAME | DM_ICMMETHOD | DM_ICMINTENT);
    dm.put_s16(offsetof(DEVMODEA, dmOrientation), DMORIENT_PORTRAIT);
    dm.put_s16(offsetof(DEVMODEA, dmPaperSize), facts.paperSize);
    dm.put_s16(offsetof(DEVMODEA, dmScale), 100);
    dm.put_s16(offsetof(DEVMODEA, dmCopies), 1);
    dm.put_s16(offsetof(DEVMODEA, dmDefaultSource), DMBIN_AUTO);
    dm.put_s16(offsetof(DEVMODEA, dmPrintQuality), facts.resolution);
    dm.put_s16(offsetof(DEVMODEA, dmDuplex), DMDUP_SIMPLEX);
    dm.put_s16(offsetof(DEVMODEA, dmYResolution), facts.resolution);
    dm.put_s16(offsetof(DEVMODEA, dmTTOption), DMTT_DOWNLOAD);
    dm.put_s16(offsetof(DEVMODEA, dmCollate), DMCOLLATE_TRUE);
    putText(dm, kOffFormName, CCHFORMNAME, facts.formName);
    dm.put_u32(offsetof(DEVMODEA, dmICMMethod), DMICMMETHOD_NONE);
    dm.put_u32(offsetof(DEVMODEA, dmICMIntent), DMICM_CONTRAST);

    stampCurrentLayout(dm);
    dm.put_u16(kOffPdlId, facts.pdlId);
    dm.put_u16(kOffModelNumber, facts.modelNumber);
    putText(dm, kOffDriverName, kDriverNameSize, facts.driverName);

    for (size_t i = 0; i < kOptionCount; ++i) {
        size_t at = kSectionOffsets[kOptionPlaces[i].section - kFirstSection] + kOptionPlaces[i].offset;
        writeDefault(MutableByteView(dm.data() + at, kOptionRows[i].width), kOptionRows[i]);
    }
    int16_t resolution = facts.resolution;
    SetOption(buffer, size, 224, &resolution, sizeof resolution);
    putDefaultColour(dm, facts.colour);
    return true;
}

}  // namespace devmode

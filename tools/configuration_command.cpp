// The configuration command: the driver's configuration object runs the query path of the
// printer's model against the device (the simulated one when the driver folder has no library),
// then the device-option data it wrote is printed by field: the finisher, the installed options,
// the memory, the deck count and option mask, every named paper source, the mail-box bins and
// the brand media of the device.
#include "tools/configuration_command.h"

#include "core/device/service_table.h"
#include "core/devmode/device_option_block.h"
#include "core/helpers/byte_view.h"
#include "device/config/configuration.h"
#include "tools/device_info_command.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void PrintData(ByteView d) {
    uint8_t finisher = 0;
    uint32_t options = 0, flags = 0, memory = 0, maskA = 0, maskB = 0, pdl = 0;
    int16_t deck = 0;
    d.u8(devopt::kFinisherCode, finisher);
    d.u32(devopt::kOptionWord, options);
    d.u32(devopt::kFlagWord, flags);
    d.u32(devopt::kMemorySize, memory);
    d.s16(devopt::kDeckCount, deck);
    d.u32(devopt::kOptionMaskA, maskA);
    d.u32(devopt::kOptionMaskB, maskB);
    d.u32(devopt::kPdlBits, pdl);
    std::printf("  %-28s %u\n", "finisher code", finisher);
    std::printf("  %-28s 0x%08X\n", "installed options", options);
    std::printf("  %-28s %s\n", "mail-box unit", flags & 8 ? "yes" : "no");
    std::printf("  %-28s %u\n", "memory", memory);
    std::printf("  %-28s %d\n", "deck count", deck);
    std::printf("  %-28s 0x%08X 0x%08X\n", "option mask", maskA, maskB);
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        const size_t at = devopt::kSourceSlots + k * devopt::kSourceSlotSize;
        char name[19] = {};
        d.bytes(at + devopt::kSlotName, name, 18);
        if (!name[0]) continue;
        uint16_t code = 0, paper = 0, media = 0;
        int16_t kind = 0, level = 0;
        d.u16(at + devopt::kSlotSourceCode, code);
        d.u16(at + devopt::kSlotPaperSize, paper);
        d.s16(at + devopt::kSlotSourceKind, kind);
        d.u16(at + devopt::kSlotMediaId, media);
        d.s16(at + devopt::kSlotLevel, level);
        std::printf("  paper source %zu %-15s source %u, paper %u, kind %d, media %d, level %d\n", k, name, code, paper,
                    kind, static_cast<int16_t>(media), level);
    }
}

}  // namespace

int PrintDeviceConfiguration(UIDEVDATA* ctx) {
    InstallSimulatedDeviceLibrary();
    std::printf("\nconfiguration of \"%s\":\n", ctx->svc->GetPrinterName(ctx));
    if (SayWhenDeviceLibraryIsAbsent()) return 1;
    Configuration configuration(ctx);
    const int done = configuration.QueryDevice(nullptr, false);
    std::printf("  %-28s %s\n", "query", done ? "the device answered" : "failed; nothing was written");
    uint8_t* data = ctx->svc->GetDeviceOptionData(ctx);
    uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    if (data && block) PrintData(ByteView(data, devopt::blockSize(block) - static_cast<size_t>(data - block)));
    const std::vector<MailBoxRecord>& bins = configuration.MailBoxes();
    for (size_t i = 0; i < bins.size(); ++i)
        if (bins[i].name[0]) std::printf("  mail-box bin %-15zu %s\n", i, bins[i].name);
    for (const MediaRecord& r : configuration.BrandMedia().records)
        std::printf("  brand medium %-15u %s (group %u)\n", r.mediaId, r.name, r.groupKey);
    return done ? 0 : 1;
}

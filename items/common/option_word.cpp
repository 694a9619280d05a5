// Option reads and writes through the request's option services, 4 and 2 bytes wide.
#include "items/common/option_word.h"

#include "core/device/service_table.h"

namespace {

template <typename T>
T ReadOption(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    T value = 0;
    if (!ctx || !ctx->svc || !devmode || !ctx->svc->GetOption(ctx, devmode, option, &value, sizeof value)) return 0;
    return value;
}

template <typename T>
void WriteOption(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, T value) {
    if (ctx && ctx->svc && devmode) ctx->svc->SetOption(ctx, devmode, option, &value, sizeof value);
}

}  // namespace

uint32_t ReadOptionWord(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    return ReadOption<uint32_t>(ctx, devmode, option);
}
void WriteOptionWord(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint32_t word) {
    WriteOption<uint32_t>(ctx, devmode, option, word);
}
uint16_t ReadOptionShort(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    return ReadOption<uint16_t>(ctx, devmode, option);
}
void WriteOptionShort(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint16_t value) {
    WriteOption<uint16_t>(ctx, devmode, option, value);
}

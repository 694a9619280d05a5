// Option reads and writes through the service table.
#include "items/common/option_word.h"

#include "core/service_table.h"

namespace {

template <typename T>
T Read(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    T value = 0;
    if (ctx && ctx->svc && devmode) ctx->svc->GetOption(ctx, devmode, option, &value, sizeof value);
    return value;
}

template <typename T>
void Write(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, T value) {
    if (ctx && ctx->svc && devmode) ctx->svc->SetOption(ctx, devmode, option, &value, sizeof value);
}

}  // namespace

uint32_t ReadOptionWord(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    return Read<uint32_t>(ctx, devmode, option);
}
void WriteOptionWord(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint32_t word) {
    Write(ctx, devmode, option, word);
}
uint16_t ReadOptionShort(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option) {
    return Read<uint16_t>(ctx, devmode, option);
}
void WriteOptionShort(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, uint16_t value) {
    Write(ctx, devmode, option, value);
}

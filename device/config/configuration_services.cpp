// Where the configuration meets the rest of the library: the module factory that gives every
// request that needs one its configuration, and the services through which the driver's own
// option operations read the device and the media lists. A request without a configuration of
// its own (a kind that makes none) is served by one made for the call.
#include "core/device/service_table.h"
#include "device/config/configuration.h"
#include "settings/sdk/nonsv_device_services.h"
#include "ui/cm_message.h"

#include <iterator>
#include <memory>

namespace {

CmModule* MakeConfiguration(UIDEVDATA* ctx) { return ctx && ctx->svc ? new Configuration(ctx) : nullptr; }

template <typename F>
auto WithConfiguration(UIDEVDATA* ctx, F f) {
    if (Configuration* c = ConfigurationOf(ctx)) return f(*c);
    std::unique_ptr<Configuration> made(ctx && ctx->svc ? new Configuration(ctx) : nullptr);
    using R = decltype(f(*made));
    return made ? f(*made) : R{};
}

bool QueryDevice(UIDEVDATA* ctx, int interactive) {
    return WithConfiguration(ctx,
                             [interactive](Configuration& c) { return c.QueryDevice(nullptr, interactive != 0) == 1; });
}

bool UpdateBrandMediaService(UIDEVDATA* ctx) {
    return WithConfiguration(ctx, [](Configuration& c) { return c.UpdateBrandMedia(nullptr, false) == 1; });
}

// The model's table, up to and with its end record.
const uint8_t* FirstMediaList(UIDEVDATA* ctx, size_t* count) {
    Configuration* c = ConfigurationOf(ctx);
    *count = 0;
    if (!c || c->ModelMedia().empty()) return nullptr;
    const std::vector<MediaRecord>& t = c->ModelMedia();
    size_t n = 0;
    while (n < t.size() && t[n++].mediaId != kNoMedia) {
    }
    *count = n;
    return reinterpret_cast<const uint8_t*>(t.data());
}

const uint8_t* SecondMediaList(UIDEVDATA* ctx, size_t* count) {
    Configuration* c = ConfigurationOf(ctx);
    *count = 0;
    if (!c || !c->BrandMedia().present || c->BrandMedia().records.empty()) return nullptr;
    *count = c->BrandMedia().records.size();
    return reinterpret_cast<const uint8_t*>(c->BrandMedia().records.data());
}

// The messages of the query paths: the question, the outcome of a query, the brand-media step.
constexpr UINT kTitle = 4893;
constexpr UINT kWarning = MB_ICONWARNING;
constexpr MessageRow kRows[] = {
    {1000, 4940, kTitle, MB_ICONQUESTION | MB_YESNO}, {1001, 4941, kTitle, kWarning}, {1002, 4942, kTitle, kWarning},
    {1003, 4943, kTitle, kWarning}, {1004, 4944, kTitle, kWarning}, {1005, 4945, kTitle, kWarning},
    {1006, 4946, kTitle, MB_ICONINFORMATION}, {1007, 4947, kTitle, kWarning}, {1008, 4948, kTitle, kWarning},
    {1055, 4949, kTitle, kWarning}, {1075, 4950, kTitle, kWarning}, {1076, 4951, kTitle, kWarning},
    {1077, 4952, kTitle, kWarning}, {1084, 4953, kTitle, kWarning},
    // The library bridges': the account check, the import of a resource-management file.
    {1045, 4954, kTitle, kWarning}, {1067, 4955, kTitle, kWarning}, {1068, 4956, kTitle, MB_ICONINFORMATION},
};

// The bins the configuration holds: the model's names, with those the device reported in their place.
const MailBoxRecord* MailBoxNames(UIDEVDATA* ctx, size_t* count) {
    Configuration* c = ConfigurationOf(ctx);
    *count = c ? c->MailBoxes().size() : 0;
    return *count ? c->MailBoxes().data() : nullptr;
}

const NonSvDeviceServices kServices = {QueryDevice, UpdateBrandMediaService, FirstMediaList, SecondMediaList,
                                       MailBoxNames};

}  // namespace

Configuration* ConfigurationOf(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? dynamic_cast<Configuration*>(user->GetConfiguration()) : nullptr;
}

void RegisterDeviceConfiguration() {
    RegisterModuleFactory(kModuleConfiguration, MakeConfiguration);
    RegisterNonSvDeviceServices(&kServices);
    RegisterMessageRows(kCommonMessages, kRows, std::size(kRows));
}

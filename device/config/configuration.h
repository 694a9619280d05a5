// `Configuration`: the module object that asks the printer what is installed and writes the
// answer into the printer's device-option data. One exists per request that needs it; its one
// public operation, QueryDevice, chooses the query path by the printer's kind and model number
// and ends in exactly one message. It also keeps the model's media table and the brand-media
// list the media pages offer.
#pragma once

#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"
#include "device/config/brand_media.h"
#include "device/config/option_writers.h"
#include "device/devinfo_client.h"
#include "model/model_description.h"

#include <windows.h>

#include <cstdint>
#include <vector>

struct DeviceQueryRecord;
struct DevInfoListRequest;
struct ModelOptionTable;
class PdlData;

inline constexpr uint32_t kConfigMailBoxLimit = 256;

class Configuration : public CmModule {
public:
    explicit Configuration(UIDEVDATA* ctx);
    ~Configuration() override;
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    // Asks the user (when `interactive`), runs the path the printer needs and shows its outcome.
    // 1 when the path succeeded and its answers were written. Without `interactive` nothing is
    // asked or shown (the option interface's own request).
    int QueryDevice(HWND owner, bool interactive = true);
    // Replaces the brand media and the media of the paper sources with the device's; 1 on success.
    int UpdateBrandMedia(HWND owner, bool interactive = true);
    // The overlay page's questions. The first fills the page's device query record from the
    // device's table of forms through the page's client (the device must be this printer's
    // model); the second fills the page's entries for the ids it asks, through a client of its
    // own, for this printer. Each answers 1, or shows message 1055 and answers 0.
    int QueryForOverlayPage(HWND owner, DevInfoClient* client, DeviceQueryRecord* record);
    int RequestForOverlayPage(HWND owner, DevInfoListRequest* request);

    const std::vector<MediaRecord>& ModelMedia() const { return modelMedia_; }
    const BrandMediaList& BrandMedia() const { return brand_; }
    // The paper rule of a medium: group 0 asks the model's table, any other the brand list.
    int IsOptionAllowed(uint16_t group, uint16_t mediaId, uint16_t paperSize) const;
    // The mail-box bin names the device reported (the model's names until then).
    const std::vector<MailBoxRecord>& MailBoxes() const { return bins_; }
    uint32_t ModelFlags() const { return lastFlags_; }

    // The path the printer takes: 0 model tables (pseudo printer), 1 network, 2 configuration,
    // 3 direct device query.
    enum Path { kPathModelTables, kPathNetwork, kPathConfiguration, kPathDirect };
    static Path PathFor(uint16_t model, bool pseudo);

private:
    int QueryByModelTables(HWND owner, DevInfoClient* client, uint16_t model);
    int QueryByConfiguration(HWND owner, DevInfoClient* client, uint16_t model);
    int QueryConfigurationA(HWND owner, DevInfoClient* client, const char* printer, const ModelOptionTable& table,
                            DevInfoStatus* status);
    int QueryConfigurationB(HWND owner, DevInfoClient* client, const char* printer, const ModelOptionTable& table,
                            DevInfoStatus* status, bool pseudo);
    int BuildDeviceOptionTables(HWND owner, DevInfoClient* client, uint16_t model);
    int QueryNetworkPrinter(HWND owner, DevInfoClient* client);

    // The data part of the request's device-option block; empty without one.
    MutableByteView DeviceOptionData() const;
    OptionWriterInput WriterInput() const;
    uint32_t MailBoxCount() const;
    // The mail-box entries of a reply (76 bytes: bin index at 4, name at 8) into the bins.
    void TakeMailBoxNames(const uint8_t* entries, size_t bytes, uint32_t count);
    void BuildModelMediaTable();
    void ReadPseudoBrandMedia();
    bool PseudoAddress(char* folder, size_t folderSize, uint8_t (&address)[4]) const;
    void RefreshPaperTable() const;

    UIDEVDATA* ctx_;
    HANDLE printer_;
    PdlData* model_ = nullptr;
    uint32_t lastFlags_ = 0;
    std::vector<MailBoxRecord> bins_;
    std::vector<MediaRecord> modelMedia_;
    BrandMediaList brand_;
    bool show_ = true;
};

// Makes the configuration of every request whose kind needs one, and registers the services
// through which the driver's option operations read the device and its media lists.
void RegisterDeviceConfiguration();
// The configuration of a request; null when it has none.
Configuration* ConfigurationOf(UIDEVDATA* ctx);

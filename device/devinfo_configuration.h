// The configuration query of the models whose answer is the configuration reply: the model's
// attributes and the device's tables of sources, accessories, memory and mail boxes, read over
// one connection and written into the reply at the positions the configuration writers read.
#pragma once

#include "device/devinfo_client.h"

struct ConfigurationReply;
struct ModelOptionTable;
struct UIDEVDATA;

// Opens the printer's device as the other queries do, checks that it is the expected model, runs
// the table's attribute requests and the tables, and fills the reply (zeroed by the caller). The
// status record reports as every query's does; 0 or the status code. A failed step after the
// connection gives -1 and leaves the reply without owned blocks.
int DevInfo_QueryConfiguration(DevInfoClient* client, ConfigurationReply* reply, const ModelOptionTable* table,
                               const char* printerName, DevInfoStatus* status, UIDEVDATA* device);
// Frees the blocks the reply owns and clears their pointers.
void DevInfo_FreeConfigurationReply(ConfigurationReply* reply);

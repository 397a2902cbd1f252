// DeviceId: the kind of device a memory image or a protocol request is for. It chooses the
// memory listing's banner and the block addressing of the device protocol. Also the size of the
// panel's image, which every reader, writer and fetcher of it shares.
#pragma once

#include <cstdint>

enum DeviceId : int16_t {
  devicePanel = 1,       // Orvella room control panel, 8192-byte image
  deviceAdapter = 2,     // Brenmor Net network adapter, 65,792-byte image
  deviceController = 3,  // Perrow Q400 network room controller, 65,792-byte image
};

// The panel's EEPROM image: 8192 bytes, fetched in blocks of memBlockCls::kBlockSize (64).
constexpr int32_t kPanelImageSize = 8192;

#pragma once
// Writing the macro and recoil images to a device over its command link, as the mouse and
// keyboard models do when the files or the profile change.

#include <string>

#include "devlink/link/device_link.h"

namespace md::memimg {

// Results of writeMacrosToDevice besides a positive "does not fit" count.
inline constexpr int kWritten = 0;  // written, or nothing to write
inline constexpr int kFailed = -1;  // the device became unreachable or the write failed

// Builds the macro image from folder (which ends with '/') and writes it:
// - with the link open, a 2.4G device that is not online makes this return kWritten without
//   writing; otherwise the DeviceInfo block is read again into `info` (result ignored);
// - an unparsable "macro.config" or an empty "MacroInfo" writes nothing (kWritten);
// - an image longer than DeviceInfo byte 6 × 128 bytes writes nothing and returns
//   (excess ÷ 4) + 1, the number of events to remove, so that the caller can tell the user;
// - with the link open the image goes out inside a session; in 2.4G mode each of begin, write
//   and end needs the device online, else kFailed. A write that fails returns kFailed.
int writeMacrosToDevice(DeviceLink& link, const std::string& folder, DeviceInfo& info);

// Builds the recoil image of the four "ShootData_" files and writes it like the macro image,
// without the capacity check. kWritten, or kFailed when the device became unreachable during
// the write or the write failed.
int writeShootToDevice(DeviceLink& link, const std::string& folder, DeviceInfo& info);

}  // namespace md::memimg

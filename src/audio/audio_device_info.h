#pragma once
// The records and calling convention shared by the configuration library and its binding:
// the endpoint record, the data flows, the property directions and the library's result codes.

#include <cstddef>
#include <cstdint>

namespace md {

// Filled by GetDeviceById and handed back by value to every PropertyControl call.
struct AudioDeviceInfo {
    uint32_t id = 0;
    uint32_t type = 0;
    uint32_t reserved = 0;  // passed back unchanged
    uint32_t active = 0;    // 1 = active
};

inline constexpr int32_t kFlowRender = 0;
inline constexpr int32_t kFlowCapture = 1;
inline constexpr int32_t kPropertyGet = 0;
inline constexpr int32_t kPropertySet = 1;
inline constexpr size_t kPropertyBufferSize = 1024;
inline constexpr size_t kFeatureBufferSize = 2048;

// Device types of the endpoint records (render speakers/headphones, capture microphone).
inline constexpr uint32_t kTypeHeadphones = 1;
inline constexpr uint32_t kTypeMicrophone = 2;

// Results of the library's calls: 0 is success, anything else a failure.
enum AudioResult : int32_t {
    kAudioOk = 0,
    kAudioNoDevice = 1,      // the headset's card is not present
    kAudioNotSupported = 2,  // the card has no control for the property
    kAudioBadArgument = 3,   // unknown endpoint, null buffer, bad name
    kAudioNotSet = 4,        // a remembered property that was never written
    kAudioFailed = 5,        // the carrier refused the call (or a simulated failure)
};

// Entry points of the library, as looked up by name.
extern "C" {
using ConfLibInitFn = int32_t (*)();
using ConfLibUnInitFn = int32_t (*)();
using CreateDeviceListFn = int32_t (*)();
using GetDeviceCountFn = int32_t (*)(int32_t flow, uint32_t* count);
using GetDeviceByIdFn = int32_t (*)(int32_t flow, uint32_t index, AudioDeviceInfo* info);
// value and aux are the addresses of the variables that hold the buffers' addresses; aux may
// be null. On get the value buffer receives the value as wide text.
using PropertyControlFn = int32_t (*)(AudioDeviceInfo device, const wchar_t* name, void** value,
                                      void** aux, int32_t direction);
}

}  // namespace md

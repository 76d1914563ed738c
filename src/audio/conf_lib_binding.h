#pragma once
// Run-time binding of the headset's audio configuration library (SDK/<arch>/libosConfLib.so):
// the eleven entry points looked up by name, the choice of the render and capture endpoints
// and their feature words, and the PropertyControl calling convention (values written at the
// start of a buffer as 32-bit integers or reals, values read back as wide text).
// A call of an entry point that was not found is skipped and counts as failed.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "audio/audio_device_info.h"

namespace md {

// An endpoint record with its three feature words.
struct AudioEndpoint {
    AudioDeviceInfo info;
    std::array<uint32_t, 3> features{};
};

// Capture feature word 0 bit that allows reading "Enable_MAGICVOICE".
inline constexpr uint32_t kFeatureMagicVoice = 0x20000;

class ConfLibBinding {
  public:
    static const std::array<const char*, 11>& entryPointNames();
    // Path of the library below the application folder (which ends with '/').
    static std::string libraryPath(const std::string& sdkFolder);

    ConfLibBinding() = default;
    ~ConfLibBinding();
    ConfLibBinding(const ConfLibBinding&) = delete;
    ConfLibBinding& operator=(const ConfLibBinding&) = delete;

    // Loads the library at path and looks up the entry points; silent on failure.
    bool load(const std::string& path);
    bool loaded() const { return m_handle != nullptr; }

    // The entry points; each answers kAudioFailed when the entry point is missing.
    int32_t init();
    int32_t createDeviceList();
    uint32_t deviceCount(int32_t flow);
    std::optional<AudioDeviceInfo> deviceById(int32_t flow, uint32_t index);
    // value and aux are handed over as the addresses of variables holding their addresses.
    int32_t propertyControl(const AudioDeviceInfo& device, const wchar_t* name,
                            std::span<uint8_t> value, std::span<uint8_t> aux, int32_t direction);

    // Endpoint selection: render by type preference 1, 12, 7, 4 (active only), capture the
    // first of type 2; then the feature words of capture and render (message for a short
    // answer). Returns false when there is no render device.
    bool selectEndpoints(const std::function<void(const char*)>& message);
    const AudioEndpoint& render() const { return m_render; }
    const AudioEndpoint& capture() const { return m_capture; }

  private:
    void readFeatures(AudioEndpoint& endpoint, const std::function<void(const char*)>& message);

    void* m_handle = nullptr;
    std::array<void*, 11> m_entries{};
    AudioEndpoint m_render;
    AudioEndpoint m_capture;
};

// Parses the wide text of a value read back; nothing when it is no number.
std::optional<double> parseRealText(std::span<const uint8_t> buffer);
std::optional<long> parseIntegerText(std::span<const uint8_t> buffer);

}  // namespace md

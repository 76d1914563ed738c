// Entry points of the configuration library stand-in (libosConfLib.so). It offers the headset
// as one render endpoint (id 1, headphones) and one capture endpoint (id 2, microphone) and
// carries their properties on the backend chosen at ConfLibInit. Values arrive at the start of
// the caller's buffer (32-bit real for levels and decibels, 32-bit integer otherwise); values
// read go back as wide text.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <mutex>
#include <string>

#include "audio/audio_device_info.h"
#include "audio/card_properties.h"
#include "audio/sdk/audio_backend.h"
#include "audio/sdk/sim_backend.h"
#include "audio/sdk/system_backend.h"

namespace md::osconf {
namespace {

constexpr AudioDeviceInfo kRender{1, kTypeHeadphones, 0, 1};
constexpr AudioDeviceInfo kCapture{2, kTypeMicrophone, 0, 1};
// Feature words: capture word 0 allows the voice changer to be read back.
constexpr const wchar_t* kCaptureFeatures = L"131072,0,0,0,0,0,0";
constexpr const wchar_t* kRenderFeatures = L"0,0,0,0,0,0,0";
constexpr size_t kMaxNameLength = 64;

std::mutex g_lock;
std::unique_ptr<AudioBackend> g_backend;

// ASCII property names only; anything else is no property of this library.
bool narrowName(const wchar_t* name, std::string& out) {
    if (!name) return false;
    for (size_t i = 0; name[i]; ++i) {
        if (i >= kMaxNameLength || name[i] < 0x21 || name[i] > 0x7E) return false;
        out.push_back(static_cast<char>(name[i]));
    }
    return !out.empty();
}

// Writes text into a caller buffer of kPropertyBufferSize bytes (or kFeatureBufferSize for the
// features, which callers allocate larger).
void putText(void* buffer, const wchar_t* text) {
    constexpr size_t kChars = kPropertyBufferSize / sizeof(wchar_t);
    std::wcsncpy(static_cast<wchar_t*>(buffer), text, kChars - 1);
    static_cast<wchar_t*>(buffer)[kChars - 1] = L'\0';
}

}  // namespace

std::unique_ptr<AudioBackend> makeBackend() {
    const char* sim = std::getenv(kAudioSimVariable);
    if (sim && *sim) {
        const std::string v = sim;
        return std::make_unique<SimBackend>(v == "1" ? std::string() : v);
    }
    return std::make_unique<SystemBackend>();
}

}  // namespace md::osconf

using md::AudioDeviceInfo;
using namespace md::osconf;

extern "C" {

__attribute__((visibility("default"))) int32_t ConfLibInit() {
    std::lock_guard lock(g_lock);
    if (!g_backend) g_backend = makeBackend();
    return g_backend ? md::kAudioOk : md::kAudioFailed;
}

__attribute__((visibility("default"))) int32_t ConfLibUnInit() {
    std::lock_guard lock(g_lock);
    g_backend.reset();
    return md::kAudioOk;
}

__attribute__((visibility("default"))) int32_t CreateDeviceList() {
    return md::kAudioOk;
}

__attribute__((visibility("default"))) int32_t GetDeviceCount(int32_t flow, uint32_t* count) {
    if (!count || (flow != md::kFlowRender && flow != md::kFlowCapture))
        return md::kAudioBadArgument;
    *count = 1;
    return md::kAudioOk;
}

__attribute__((visibility("default"))) int32_t GetDeviceById(int32_t flow, uint32_t index,
                                                             AudioDeviceInfo* info) {
    if (!info || index != 0) return md::kAudioBadArgument;
    if (flow == md::kFlowRender)
        *info = kRender;
    else if (flow == md::kFlowCapture)
        *info = kCapture;
    else
        return md::kAudioBadArgument;
    return md::kAudioOk;
}

__attribute__((visibility("default"))) int32_t PropertyControl(AudioDeviceInfo device,
                                                               const wchar_t* name, void** value,
                                                               void** aux, int32_t direction) {
    std::string property;
    if (!narrowName(name, property) || !value || !*value ||
        (direction != md::kPropertyGet && direction != md::kPropertySet))
        return md::kAudioBadArgument;
    EndpointTag ep = 0;
    if (device.id == kRender.id)
        ep = 'R';
    else if (device.id == kCapture.id)
        ep = 'C';
    else
        return md::kAudioBadArgument;
    if (property == "GetSupportFeature") {
        if (direction != md::kPropertyGet) return md::kAudioNotSupported;
        putText(*value, ep == 'C' ? kCaptureFeatures : kRenderFeatures);
        return md::kAudioOk;
    }
    int32_t auxWord = 0;
    if (aux && *aux) std::memcpy(&auxWord, *aux, sizeof auxWord);
    const bool real = md::isRealProperty(property);
    std::lock_guard lock(g_lock);
    if (!g_backend) return md::kAudioFailed;  // ConfLibInit was not called
    if (direction == md::kPropertySet) {
        double v = 0;
        if (real) {
            float f = 0;
            std::memcpy(&f, *value, sizeof f);
            v = f;
        } else {
            int32_t i = 0;
            std::memcpy(&i, *value, sizeof i);
            v = i;
        }
        if (!std::isfinite(v)) return md::kAudioBadArgument;
        return g_backend->set(ep, property, auxWord, v);
    }
    double v = 0;
    const int32_t rc = g_backend->get(ep, property, auxWord, v);
    if (rc != md::kAudioOk) return rc;
    wchar_t text[64];
    if (real)
        std::swprintf(text, 64, L"%.6f", v);
    else
        std::swprintf(text, 64, L"%ld", std::lround(v));
    putText(*value, text);
    return md::kAudioOk;
}

// Looked up by the binding and kept; this library has no ASIO panel, test sound or callbacks.
__attribute__((visibility("default"))) int32_t RegisterCallbackFunction(void*) {
    return md::kAudioNotSupported;
}
__attribute__((visibility("default"))) int32_t ShowAsioPanel() {
    return md::kAudioNotSupported;
}
__attribute__((visibility("default"))) int32_t PlayTestSound() {
    return md::kAudioNotSupported;
}
__attribute__((visibility("default"))) int32_t StopTestSound() {
    return md::kAudioNotSupported;
}
__attribute__((visibility("default"))) int32_t CloseTestSound() {
    return md::kAudioNotSupported;
}

}  // extern "C"

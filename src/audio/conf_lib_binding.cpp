#include "audio/conf_lib_binding.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstring>
#include <cwchar>
#include <vector>

namespace md {
namespace {

enum Entry : size_t {
    kInit,
    kGetDeviceById,
    kPropertyControl,
    kRegisterCallback,
    kGetDeviceCount,
    kCreateDeviceList,
};

// The wide text at the start of a buffer, cut at its end when it has no terminator.
std::wstring wideText(std::span<const uint8_t> buffer) {
    const size_t n = buffer.size() / sizeof(wchar_t);
    std::wstring text(n, L'\0');
    std::memcpy(text.data(), buffer.data(), n * sizeof(wchar_t));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) text.resize(end);
    return text;
}

}  // namespace

const std::array<const char*, 11>& ConfLibBinding::entryPointNames() {
    static const std::array<const char*, 11> names = {
        "ConfLibInit",    "GetDeviceById",    "PropertyControl", "RegisterCallbackFunction",
        "GetDeviceCount", "CreateDeviceList", "ConfLibUnInit",   "ShowAsioPanel",
        "PlayTestSound",  "StopTestSound",    "CloseTestSound"};
    return names;
}

std::string ConfLibBinding::libraryPath(const std::string& sdkFolder) {
    const char* arch = sizeof(void*) == 8 ? "x64" : "x86";
    return sdkFolder + arch + "/libosConfLib.so";
}

ConfLibBinding::~ConfLibBinding() {
    // The library stays loaded until the process ends: its PipeWire connection and remembered
    // state belong to the process, and another binding may be using it.
}

bool ConfLibBinding::load(const std::string& path) {
    if (m_handle) return true;
    // RTLD_LOCAL keeps its symbols to itself; its own dependencies are found through its rpath.
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) return false;
    const auto& names = entryPointNames();
    for (size_t i = 0; i < names.size(); ++i) m_entries[i] = ::dlsym(m_handle, names[i]);
    return true;
}

int32_t ConfLibBinding::init() {
    const auto f = reinterpret_cast<ConfLibInitFn>(m_entries[kInit]);
    return f ? f() : kAudioFailed;
}

int32_t ConfLibBinding::createDeviceList() {
    const auto f = reinterpret_cast<CreateDeviceListFn>(m_entries[kCreateDeviceList]);
    return f ? f() : kAudioFailed;
}

uint32_t ConfLibBinding::deviceCount(int32_t flow) {
    const auto f = reinterpret_cast<GetDeviceCountFn>(m_entries[kGetDeviceCount]);
    uint32_t count = 0;
    if (!f || f(flow, &count) != kAudioOk) return 0;
    return count;
}

std::optional<AudioDeviceInfo> ConfLibBinding::deviceById(int32_t flow, uint32_t index) {
    const auto f = reinterpret_cast<GetDeviceByIdFn>(m_entries[kGetDeviceById]);
    AudioDeviceInfo info;
    if (!f || f(flow, index, &info) != kAudioOk) return std::nullopt;
    return info;
}

int32_t ConfLibBinding::propertyControl(const AudioDeviceInfo& device, const wchar_t* name,
                                        std::span<uint8_t> value, std::span<uint8_t> aux,
                                        int32_t direction) {
    const auto f = reinterpret_cast<PropertyControlFn>(m_entries[kPropertyControl]);
    if (!f || value.size() < sizeof(wchar_t)) return kAudioFailed;
    void* valuePtr = value.data();
    void* auxPtr = aux.data();
    const int32_t rc = f(device, name, &valuePtr, aux.empty() ? nullptr : &auxPtr, direction);
    // The library writes inside the buffer; a text it left unterminated is cut at the end.
    std::memset(value.data() + value.size() - sizeof(wchar_t), 0, sizeof(wchar_t));
    return rc;
}

bool ConfLibBinding::selectEndpoints(const std::function<void(const char*)>& message) {
    m_render = {};
    m_capture = {};
    const uint32_t renders = deviceCount(kFlowRender);
    std::vector<AudioDeviceInfo> list;
    for (uint32_t i = 0; i < renders; ++i)
        if (auto d = deviceById(kFlowRender, i)) list.push_back(*d);
    bool haveRender = false;
    for (uint32_t type : {1u, 12u, 7u, 4u}) {
        for (const AudioDeviceInfo& d : list) {
            if (d.type == type && d.active == 1) {
                m_render.info = d;
                haveRender = true;
                break;
            }
        }
        if (haveRender) break;
    }
    const uint32_t captures = deviceCount(kFlowCapture);
    for (uint32_t i = 0; i < captures; ++i) {
        const auto d = deviceById(kFlowCapture, i);
        if (d && d->type == kTypeMicrophone) {
            m_capture.info = *d;
            break;
        }
    }
    readFeatures(m_capture, message);
    readFeatures(m_render, message);
    return haveRender;
}

void ConfLibBinding::readFeatures(AudioEndpoint& endpoint,
                                  const std::function<void(const char*)>& message) {
    if (endpoint.info.id < 1) return;
    std::vector<uint8_t> buffer(kFeatureBufferSize, 0);
    if (propertyControl(endpoint.info, L"GetSupportFeature", buffer, {}, kPropertyGet) != kAudioOk)
        return;
    const std::wstring text = wideText(buffer);
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(L',', start);
        fields.push_back(text.substr(start, comma - start));
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    if (fields.size() < 7) {
        if (message) message("UpdateAPOAvailable failed!");
        return;
    }
    const size_t picks[3] = {0, 4, 6};
    for (size_t i = 0; i < 3; ++i)
        endpoint.features[i] =
            static_cast<uint32_t>(std::wcstoul(fields[picks[i]].c_str(), nullptr, 10));
}

std::optional<double> parseRealText(std::span<const uint8_t> buffer) {
    const std::wstring text = wideText(buffer);
    wchar_t* end = nullptr;
    errno = 0;
    const double v = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || errno == ERANGE) return std::nullopt;
    return v;
}

std::optional<long> parseIntegerText(std::span<const uint8_t> buffer) {
    const std::wstring text = wideText(buffer);
    wchar_t* end = nullptr;
    errno = 0;
    const long v = std::wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE) return std::nullopt;
    return v;
}

}  // namespace md

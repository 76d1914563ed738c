#include "online/update_request.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "common/bounded_file.h"

namespace md {
namespace {

// Longest texts taken from an answer; longer ones are cut (the list shows names and versions,
// the path is kept for the download).
constexpr size_t kMaxNameBytes = 128;
constexpr size_t kMaxVersionBytes = 32;
constexpr size_t kMaxPathBytes = 2048;

// Printable text of at most maxBytes: control characters go, the cut falls between characters.
std::string cleanText(std::string_view text, size_t maxBytes) {
    std::string out;
    out.reserve(std::min(text.size(), maxBytes));
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) continue;
        out.push_back(ch);
    }
    if (out.size() > maxBytes) {
        size_t cut = maxBytes;
        // Back to the first byte of a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
        out.resize(cut);
    }
    return out;
}

// A string member; "" for anything else.
std::string textMember(const Json::Value& object, const char* name, size_t maxBytes) {
    const Json::Value& v = object[name];
    return v.isString() ? cleanText(v.asString(), maxBytes) : std::string();
}

// A version: a string, or a non-negative integer taken as its decimal digits.
std::string versionMember(const Json::Value& object, const char* name) {
    const Json::Value& v = object[name];
    if (v.isUInt64() && !v.isBool()) return std::to_string(v.asUInt64());
    return textMember(object, name, kMaxVersionBytes);
}

}  // namespace

std::string buildAppKey(const Json::Value& parts) {
    static constexpr std::array<bool, 5> kIsNumber = {false, true, false, false, true};
    if (!parts.isArray() || parts.size() != kIsNumber.size()) return "NULL";
    std::string key;
    for (Json::ArrayIndex i = 0; i < parts.size(); ++i) {
        const Json::Value& p = parts[i];
        if (i > 0) key += '_';
        if (kIsNumber[i]) {
            if (!p.isUInt()) return "NULL";
            key += std::to_string(p.asUInt());
        } else {
            if (!p.isString() || p.asString().empty()) return "NULL";
            key += p.asString();
        }
    }
    return key;
}

std::string formEncode(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 0x0F]);
        }
    }
    return out;
}

std::string updateRequestBody(const UpdateEntry& entry) {
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), entry.hexVersion ? "%x" : "%u", entry.version);
    return "app_key=" + formEncode(entry.appKey) + "&version=" + number.data();
}

std::string updateServiceUrl(std::string_view baseUrl) {
    std::string url(baseUrl);
    if (!url.empty() && url.back() != '/') url.push_back('/');
    return url + "api/" + "updates";
}

std::string currentVersionText(const UpdateEntry& entry) {
    // The program's own version reads as everywhere else ("2.3.0.2"); firmware keeps its "V".
    if (entry.type == kApplicationType) {
        std::string dotted;
        for (const char c : std::to_string(entry.version)) {
            if (!dotted.empty()) dotted += '.';
            dotted += c;
        }
        return dotted;
    }
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), entry.hexVersion ? "V%04x" : "V%u", entry.version);
    return text.data();
}

std::optional<uint32_t> parseVersionNumber(std::string_view text, bool hex) {
    // Hexadecimal versions are written with or without "0x" ("0x0200", "0200").
    if (hex && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.remove_prefix(2);
    if (text.empty()) return std::nullopt;
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, hex ? 16 : 10);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

UpdateInfo localUpdateInfo(const UpdateEntry& entry) {
    UpdateInfo info;
    info.status = update_row::kUpdated;
    info.name = entry.type == kApplicationType ? std::string("AP") : entry.name;
    info.currentVersionText = currentVersionText(entry);
    return info;
}

UpdateInfo parseUpdateAnswer(std::string_view answer, const UpdateEntry& entry) {
    UpdateInfo info = localUpdateInfo(entry);
    if (answer.empty()) {
        info.answered = true;
        return info;
    }
    Json::Value v;
    if (!parseJsonText(std::string(answer), v) || !v.isObject()) return info;
    info.answered = true;
    info.downloadPath = textMember(v, "path", kMaxPathBytes);
    if (std::string name = textMember(v, "name", kMaxNameBytes); !name.empty())
        info.name = std::move(name);
    info.versionName = textMember(v, "version_name", kMaxVersionBytes);
    const std::string version = versionMember(v, "version");
    if (const Json::Value& id = v["device_id"]; id.isInt()) info.deviceId = id.asInt();
    info.latestVersionText =
        entry.hexVersion ? (version.empty() ? std::string() : "V" + version) : info.versionName;
    if (entry.hexVersion && version.size() > 2 && version[0] == '0' &&
        (version[1] == 'x' || version[1] == 'X'))
        info.latestVersionText = "V" + version.substr(2);
    const std::optional<uint32_t> latest = parseVersionNumber(version, entry.hexVersion);
    if (!version.empty() && !latest) {
        // A version that cannot be read says nothing about being up to date.
        info.answered = false;
        info.latestVersionText.clear();
        return info;
    }
    info.status =
        latest.value_or(0) > entry.version ? update_row::kNeedUpdate : update_row::kUpdated;
    return info;
}

}  // namespace md

#include "app/shell/locale_language.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace md {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Chinese: the territory or script decides between the traditional and the simplified texts.
std::string chineseCode(std::string_view rest) {
    const std::string r = lower(rest);
    for (const char* traditional : {"tw", "hk", "mo", "hant"})
        if (r.find(traditional) != std::string::npos) return "tw";
    return "cn";
}

}  // namespace

std::string languageCodeOfLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]; "zh-TW" is read like "zh_TW".
    locale = locale.substr(0, locale.find_first_of(".@"));
    const std::size_t split = locale.find_first_of("_-");
    const std::string language = lower(locale.substr(0, split));
    const std::string_view rest =
        split == std::string_view::npos ? std::string_view() : locale.substr(split + 1);
    if (language == "c" || language == "posix") return "en";
    if (language == "zh") return chineseCode(rest);
    static constexpr std::array<std::pair<const char*, const char*>, 14> kCodes{{
        {"en", "en"},
        {"de", "de"},
        {"es", "es"},
        {"fr", "fr"},
        {"it", "it"},
        {"pt", "pt"},
        {"ru", "ru"},
        {"pl", "pl"},
        {"tr", "tr"},
        {"th", "th"},
        {"id", "id"},
        {"ja", "jp"},
        {"ko", "kr"},
        {"vi", "vn"},
    }};
    for (const auto& [name, code] : kCodes)
        if (language == name) return code;
    if (language == "in") return "id";  // the old code of Indonesian
    return {};
}

std::string localeLanguage(const std::function<const char*(const char* name)>& environment,
                           const std::vector<std::string>& shipped) {
    auto match = [&](std::string_view locale) -> std::string {
        std::string code = languageCodeOfLocale(locale);
        if (code.empty() || std::find(shipped.begin(), shipped.end(), code) == shipped.end())
            return {};
        return code;
    };
    if (const char* list = environment("LANGUAGE")) {
        std::string_view rest(list);
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            if (std::string code = match(rest.substr(0, colon)); !code.empty()) return code;
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = environment(name))
            if (std::string code = match(value); !code.empty()) return code;
    return {};
}

}  // namespace md

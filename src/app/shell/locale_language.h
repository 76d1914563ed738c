#pragma once
// The user-interface language that the user's locale asks for, before the user has chosen one.
// Qt-free: the caller hands in the environment lookup and the shipped language codes (the
// "xx" of the language files "lan_xx.xml").

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace md {

// The language code of one locale name ("de_DE.UTF-8" -> "de", "zh_TW" -> "tw", "ja" -> "jp",
// "C" -> "en"); empty when the program has no such language.
std::string languageCodeOfLocale(std::string_view locale);

// Looks at LANGUAGE (a colon-separated list), then LC_ALL, LC_MESSAGES and LANG; the first
// name whose code is shipped wins. Empty when none matches.
std::string localeLanguage(const std::function<const char*(const char* name)>& environment,
                           const std::vector<std::string>& shipped);

}  // namespace md

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/shell/locale_language.h"

namespace md {
namespace {

const std::vector<std::string> kShipped{"cn", "en", "tw", "jp", "kr", "de", "fr", "es",
                                        "pt", "it", "ru", "pl", "tr", "vn", "id", "th"};

TEST(LocaleLanguage, CodeOfEveryLocaleName) {
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "de"},
        {"de", "de"},
        {"de_AT@euro", "de"},
        {"zh_TW.UTF-8", "tw"},
        {"zh_HK", "tw"},
        {"zh_MO.Big5", "tw"},
        {"zh-TW", "tw"},
        {"zh_Hant_TW", "tw"},
        {"zh_CN.GB18030", "cn"},
        {"zh_SG", "cn"},
        {"zh", "cn"},
        {"ja_JP.eucJP", "jp"},
        {"ko_KR", "kr"},
        {"vi_VN", "vn"},
        {"pt_BR.UTF-8", "pt"},
        {"pt_PT", "pt"},
        {"id_ID", "id"},
        {"in_ID", "id"},
        {"th_TH", "th"},
        {"tr_TR", "tr"},
        {"pl_PL", "pl"},
        {"ru_UA", "ru"},
        {"it_CH", "it"},
        {"es_MX", "es"},
        {"fr_CA", "fr"},
        {"en_GB.UTF-8", "en"},
        {"EN_us", "en"},
        {"C", "en"},
        {"C.UTF-8", "en"},
        {"POSIX", "en"},
        {"nl_NL.UTF-8", ""},
        {"eo", ""},
        {"", ""},
        {"uk_UA", ""},
        {".UTF-8", ""},
    };
    for (const auto& [locale, code] : cases)
        EXPECT_EQ(languageCodeOfLocale(locale), code) << locale;
}

TEST(LocaleLanguage, VariablesInOrderFirstShippedMatchWins) {
    using Env = std::map<std::string, std::string>;
    struct Case {
        Env env;
        std::vector<std::string> shipped;
        const char* code;
    };
    const Case cases[] = {
        {{}, kShipped, ""},
        {{{"LANG", "fr_FR.UTF-8"}}, kShipped, "fr"},
        {{{"LANGUAGE", "nl:vi:de"}, {"LANG", "fr_FR"}}, kShipped, "vn"},
        {{{"LANGUAGE", "nl::"}, {"LANG", "fr_FR"}}, kShipped, "fr"},
        {{{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "it_IT"}}, kShipped, "it"},
        {{{"LC_ALL", "es_ES"}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "fr_FR"}}, kShipped, "es"},
        {{{"LC_MESSAGES", "ru_RU"}, {"LANG", "fr_FR"}}, kShipped, "ru"},
        {{{"LC_ALL", "nl_NL"}, {"LANG", "pl_PL"}}, kShipped, "pl"},
        {{{"LANG", "de_DE"}}, {"en", "fr"}, ""},  // not shipped
        {{{"LANGUAGE", "de:fr"}, {"LANG", "en_US"}}, {"en", "fr"}, "fr"},
    };
    for (const Case& c : cases) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        std::string described;
        for (const auto& [k, v] : c.env) described += k + "=" + v + " ";
        EXPECT_EQ(localeLanguage(lookup, c.shipped), c.code) << described;
    }
}

}  // namespace
}  // namespace md

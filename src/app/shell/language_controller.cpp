#include "app/shell/language_controller.h"

#include <json/json.h>

#include <QFile>
#include <QSettings>

#include "app/shell/locale_language.h"
#include "common/bounded_file.h"
#include "ui/font_table.h"
#include "ui/resource_manager.h"

namespace md {

LanguageController::LanguageController(QString languageListPath, QString settingsPath)
    : onFonts([](const QString& face) { FontTable::instance().applyFonts(face); }),
      environment([](const char* name) -> const char* { return std::getenv(name); }),
      m_listPath(std::move(languageListPath)),
      m_settingsPath(std::move(settingsPath)) {}

std::vector<LanguageEntry> LanguageController::readLanguageList() const {
    // A language list is a few kilobytes.
    const JsonRead read = readJsonFile(m_listPath.toStdString(), 1024 * 1024);
    if (read.status != JsonReadStatus::Ok) return {};
    const Json::Value& root = read.value;
    const Json::Value& list = root.isObject() ? root["Language"] : Json::Value::nullSingleton();
    std::vector<LanguageEntry> out;
    if (!list.isArray()) return out;
    for (const Json::Value& e : list) {
        LanguageEntry entry;
        if (e.isObject()) {
            if (e["Language_ID"].isIntegral()) entry.id = e["Language_ID"].asInt();
            if (e["Language_name"].isString())
                entry.name = QString::fromStdString(e["Language_name"].asString());
            if (e["Language_file"].isString())
                entry.file = QString::fromStdString(e["Language_file"].asString());
        }
        out.push_back(entry);
    }
    return out;
}

int LanguageController::readLanguageIndex() const {
    const QSettings settings(m_settingsPath, QSettings::IniFormat);
    const auto list = readLanguageList();
    bool ok = false;
    int id = settings.value("LANGUAGE").toInt(&ok);
    if (!ok) {
        // No choice yet: the locale's language when one of the list's files has its code.
        id = kDefaultLanguageId;
        std::vector<std::string> shipped;
        for (const LanguageEntry& e : list)
            shipped.push_back(e.file.section('.', 0, 0).section('_', 1).toStdString());
        const std::string code = localeLanguage(environment, shipped);
        for (std::size_t i = 0; i < list.size() && !code.empty(); ++i)
            if (shipped[i] == code) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id) return static_cast<int>(i);
    return 0;
}

void LanguageController::writeLanguageId(int id) const {
    QSettings settings(m_settingsPath, QSettings::IniFormat);
    settings.setValue("LANGUAGE", id);
    settings.sync();
}

std::optional<QString> LanguageController::faceForSwitch(int current, int next) {
    if (next == 15) return QStringLiteral("Noto Sans Thai");
    if (next == 0) return QStringLiteral("汉仪菱心体简");
    if (next == 2) return QStringLiteral("Noto Sans CJK TC Regular");
    if (current == 15 || current == -1 || current == 2 || current == 0)
        return QStringLiteral("Verdana Unicode MS");
    return std::nullopt;
}

bool LanguageController::applyLanguage(int index) {
    if (index == m_current) return false;
    if (auto face = faceForSwitch(m_current, index); face && onFonts) onFonts(*face);
    m_current = index;
    const auto list = readLanguageList();
    const LanguageEntry entry =
        index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[index] : LanguageEntry{};
    ResourceManager& res = ResourceManager::instance();
    res.setLanguage(entry.name);
    res.loadLanguage(entry.file);
    res.reloadText();
    if (onChanged) onChanged(index);
    return true;
}

bool LanguageController::chooseLanguage(int index) {
    const bool switched = applyLanguage(index);
    const auto list = readLanguageList();
    if (index >= 0 && static_cast<std::size_t>(index) < list.size())
        writeLanguageId(list[index].id);
    return switched;
}

}  // namespace md

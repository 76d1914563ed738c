#pragma once
// The user-interface language: the language list "Language.config", the stored choice
// (key "LANGUAGE" of settings.ini) and switching, with the font rule of the languages whose
// script needs its own face. Until the user chooses a language, it follows the locale.

#include <QString>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace md {

struct LanguageEntry {
    int id = 0;
    QString name;
    QString file;
};

class LanguageController {
  public:
    // The language of a fresh installation whose locale names none of the shipped ones.
    static constexpr int kDefaultLanguageId = 520;

    LanguageController(QString languageListPath, QString settingsPath);

    // Entries in file order; empty when the list is missing or unreadable.
    std::vector<LanguageEntry> readLanguageList() const;
    // The stored choice; without one, the locale's language (see localeLanguage()).
    int readLanguageIndex() const;
    void writeLanguageId(int id) const;

    // Index of the language applied last; -1 before the first.
    int current() const { return m_current; }
    // Does nothing when index is current; answers whether it switched. Stores nothing.
    bool applyLanguage(int index);
    // The user's choice: applied and stored.
    bool chooseLanguage(int index);

    // The face to load when switching from current to next, if any.
    static std::optional<QString> faceForSwitch(int current, int next);

    // Called with the chosen face (default: FontTable::applyFonts).
    std::function<void(const QString& face)> onFonts;
    // Called after a switch (tell open windows, repaint).
    std::function<void(int index)> onChanged;
    // Reads an environment variable (default: std::getenv); nullptr when it is not set.
    std::function<const char*(const char* name)> environment;

  private:
    QString m_listPath;
    QString m_settingsPath;
    int m_current = -1;
};

}  // namespace md

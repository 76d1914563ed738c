#pragma once
// Skin folder, resource index and user-visible texts of the process.
//
// The resource index ("res.xml") maps resource ids such as "XML_MAIN" to files of the skin
// folder. Language files are UTF-8 XML under the skin folder:
//
//   <Language name="English">
//     <Text id="menu_exit">Exit</Text>
//   </Language>
//
// A widget shows a text id through the dynamic property "textId" (its "text" property gets the
// translation), "tipId" (tool tip) or "titleId" (window title). text(id) looks in the current
// language, then in English ("lan_en.xml"), then answers the id itself. reloadText() applies the
// current language to every widget of the application.

#include <QHash>
#include <QString>

class QWidget;

namespace md {

class ResourceManager {
  public:
    static ResourceManager& instance();

    void setSkinFolder(const QString& folder);  // absolute, ends with '/'
    QString skinFolder() const { return m_skinFolder; }
    // Reads the resource index; false when it cannot be read (ids then resolve to themselves).
    bool loadResource(const QString& indexFile);
    // A resource id of the index, or a file name, as an absolute path under the skin folder.
    QString resolve(const QString& idOrFile) const;

    void setLanguage(const QString& name) { m_languageName = name; }
    QString language() const { return m_languageName; }
    bool loadLanguage(const QString& file);
    QString text(const QString& id) const;
    void reloadText() const;

    // Stores the id on the widget and shows its translation now.
    void setTextId(QWidget* w, const QString& id) const;
    // Applies the text, tip and title ids of w and of its descendants.
    void applyTexts(QWidget* w) const;
    // The style sheet "style.qss" of the skin with "@skin/" replaced by the skin folder.
    QString styleSheet() const;

    // Forgets everything (end of the program, tests).
    void release();

  private:
    static bool readLanguageFile(const QString& path, QHash<QString, QString>& out);
    void applyTo(QWidget* w) const;

    QString m_skinFolder;
    QHash<QString, QString> m_index;
    QString m_languageName;
    QHash<QString, QString> m_texts;
    QHash<QString, QString> m_english;
    bool m_englishLoaded = false;
};

}  // namespace md

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
// translation), "tipId" (tool tip), "titleId" (window title) or "placeholderId" (an edit's
// placeholder); combo items keep theirs in kTextIdRole. text(id) looks in the current
// language, then in English ("lan_en.xml"), then answers the id itself. reloadText() applies the
// current language to every widget of the application, the accessible names of the
// interactive controls included (see keyboard_access.h).

#include <QHash>
#include <QString>
#include <QVariant>

class QComboBox;
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

    // Combo items whose text is a text id keep it in this role and follow the language.
    static constexpr int kTextIdRole = Qt::UserRole + 100;

    // Stores the id on the widget and shows its translation now.
    void setTextId(QWidget* w, const QString& id) const;
    // The same for the tool tip and the placeholder text of an edit.
    void setTipId(QWidget* w, const QString& id) const;
    void setPlaceholderId(QWidget* w, const QString& id) const;
    // Appends an item showing the text of id (with data as its user data).
    void addTextItem(QComboBox* combo, const QString& id, const QVariant& data = {}) const;
    // Applies the text, tip and title ids of w and of its descendants.
    void applyTexts(QWidget* w) const;
    // The style sheet "style.qss" of the skin with "@skin/" replaced by the skin folder.
    QString styleSheet() const;
    // Gives a window of the program (and so everything inside it) the skin's style sheet. The
    // style is not set on the whole application, so that dialogs the program does not draw
    // itself (file dialogs) keep the desktop's look.
    void applyStyle(QWidget* window) const;

    // Forgets everything (end of the program, tests).
    void release();

    // The texts of a language file by id; false when it cannot be read or is not valid XML.
    static bool readLanguageFile(const QString& path, QHash<QString, QString>& out);

  private:
    void applyTo(QWidget* w) const;

    QString m_skinFolder;
    QHash<QString, QString> m_index;
    QString m_languageName;
    QHash<QString, QString> m_texts;
    QHash<QString, QString> m_english;
    bool m_englishLoaded = false;
};

}  // namespace md

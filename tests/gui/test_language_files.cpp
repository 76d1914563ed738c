// Every shipped language file holds every text of the English one, with the same placeholders,
// as valid XML; and every text id the layouts use exists.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "gui_test_support.h"

namespace md {
namespace {

struct LanguageFile {
    QMap<QString, QString> texts;
    QStringList duplicates;
    QString error;  // empty when the XML is valid
};

LanguageFile readLanguage(const QString& path) {
    LanguageFile f;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        f.error = "cannot be opened";
        return f;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("Text")) continue;
        const QString id = xml.attributes().value("id").toString();
        const QString text = xml.readElementText();
        if (f.texts.contains(id)) f.duplicates << id;
        f.texts.insert(id, text);
    }
    if (xml.hasError()) f.error = xml.errorString() + " at line " + QString::number(xml.lineNumber());
    return f;
}

// %1, %2, %d, %s as a sorted list: a translation must keep every one of them.
QStringList placeholders(const QString& text) {
    static const QRegularExpression re(QStringLiteral("%[0-9ds]"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();) found << it.next().captured();
    found.sort();
    return found;
}

QStringList shippedFiles() {
    QFile list(test::sourceDataFolder() + "Language.config");
    EXPECT_TRUE(list.open(QIODevice::ReadOnly));
    QStringList files;
    for (const auto& e : QJsonDocument::fromJson(list.readAll())["Language"].toArray())
        files << e.toObject()["Language_file"].toString();
    return files;
}

TEST(LanguageFiles, EveryLanguageHasEveryEnglishTextWithItsPlaceholders) {
    const LanguageFile english = readLanguage(test::sourceSkinFolder() + "lan_en.xml");
    ASSERT_TRUE(english.error.isEmpty()) << english.error.toStdString();
    ASSERT_GT(english.texts.size(), 500);
    const QStringList files = shippedFiles();
    ASSERT_EQ(files.size(), 16);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const LanguageFile lang = readLanguage(test::sourceSkinFolder() + name);
        EXPECT_TRUE(lang.error.isEmpty()) << lang.error.toStdString();
        EXPECT_TRUE(lang.duplicates.isEmpty()) << lang.duplicates.join(' ').toStdString();
        QStringList missing, extra, changed, empty;
        for (auto it = english.texts.cbegin(); it != english.texts.cend(); ++it) {
            if (!lang.texts.contains(it.key())) {
                missing << it.key();
                continue;
            }
            const QString& t = lang.texts[it.key()];
            if (placeholders(t) != placeholders(it.value())) changed << it.key();
            if (t.trimmed().isEmpty() && !it.value().trimmed().isEmpty()) empty << it.key();
        }
        for (auto it = lang.texts.cbegin(); it != lang.texts.cend(); ++it)
            if (!english.texts.contains(it.key())) extra << it.key();
        EXPECT_TRUE(missing.isEmpty()) << "missing: " << missing.join(' ').toStdString();
        EXPECT_TRUE(extra.isEmpty()) << "not in English: " << extra.join(' ').toStdString();
        EXPECT_TRUE(changed.isEmpty()) << "placeholders differ: " << changed.join(' ').toStdString();
        EXPECT_TRUE(empty.isEmpty()) << "empty: " << empty.join(' ').toStdString();
    }
}

TEST(LanguageFiles, EveryIdTheLayoutsUseHasAnEnglishText) {
    const LanguageFile english = readLanguage(test::sourceSkinFolder() + "lan_en.xml");
    static const QRegularExpression idProperty(QStringLiteral(
        R"re(<property name="(?:textId|tipId|titleId|placeholderId)"[^>]*>\s*<string>([^<]+)</string>)re"));
    QStringList unknown;
    QDirIterator it(test::sourceSkinFolder() + "XML", {"*.xml"}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList layouts;
    for (const char* top : {"main.xml", "AboutWnd.xml", "menu.xml", "msg.xml", "setwnd.xml",
                            "skin.xml"})
        layouts << test::sourceSkinFolder() + top;
    while (it.hasNext()) layouts << it.next();
    for (const QString& path : layouts) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = idProperty.globalMatch(text); m.hasNext();) {
            const QString id = m.next().captured(1);
            if (!english.texts.contains(id)) unknown << QFileInfo(path).fileName() + ": " + id;
        }
    }
    EXPECT_TRUE(unknown.isEmpty()) << unknown.join('\n').toStdString();
}

}  // namespace
}  // namespace md

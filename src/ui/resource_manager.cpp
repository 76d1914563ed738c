#include "ui/resource_manager.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QWidget>
#include <QXmlStreamReader>

#include "ui/keyboard_access.h"

namespace md {
namespace {
constexpr const char* kEnglishFile = "lan_en.xml";
}

ResourceManager& ResourceManager::instance() {
    static ResourceManager manager;
    return manager;
}

void ResourceManager::setSkinFolder(const QString& folder) {
    m_skinFolder = folder;
    if (!m_skinFolder.isEmpty() && !m_skinFolder.endsWith('/')) m_skinFolder += '/';
    m_englishLoaded = false;
    m_english.clear();
}

bool ResourceManager::loadResource(const QString& indexFile) {
    QFile f(m_skinFolder + indexFile);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.attributes().hasAttribute("id"))
            m_index.insert(xml.attributes().value("id").toString(),
                           xml.attributes().value("path").toString());
    }
    return !xml.hasError();
}

QString ResourceManager::resolve(const QString& idOrFile) const {
    QString file = m_index.value(idOrFile, idOrFile);
    file.replace('\\', '/');
    if (file.startsWith('/')) return file;
    return m_skinFolder + file;
}

bool ResourceManager::readLanguageFile(const QString& path, QHash<QString, QString>& out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QXmlStreamReader xml(&f);
    QHash<QString, QString> texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Text")) {
            const QString id = xml.attributes().value("id").toString();
            texts.insert(id, xml.readElementText());
        }
    }
    if (xml.hasError()) return false;
    out = std::move(texts);
    return true;
}

bool ResourceManager::loadLanguage(const QString& file) {
    if (file.isEmpty()) {
        m_texts.clear();
        return false;
    }
    QHash<QString, QString> texts;
    if (!readLanguageFile(m_skinFolder + file, texts)) return false;
    m_texts = std::move(texts);
    return true;
}

QString ResourceManager::text(const QString& id) const {
    auto it = m_texts.constFind(id);
    if (it != m_texts.constEnd()) return it.value();
    if (!m_englishLoaded) {
        auto* self = const_cast<ResourceManager*>(this);
        readLanguageFile(m_skinFolder + kEnglishFile, self->m_english);
        self->m_englishLoaded = true;
    }
    it = m_english.constFind(id);
    return it != m_english.constEnd() ? it.value() : id;
}

void ResourceManager::setTextId(QWidget* w, const QString& id) const {
    if (!w) return;
    w->setProperty("textId", id);
    applyTo(w);
}

void ResourceManager::setTipId(QWidget* w, const QString& id) const {
    if (!w) return;
    w->setProperty("tipId", id);
    applyTo(w);
}

void ResourceManager::setPlaceholderId(QWidget* w, const QString& id) const {
    if (!w) return;
    w->setProperty("placeholderId", id);
    applyTo(w);
}

void ResourceManager::addTextItem(QComboBox* combo, const QString& id, const QVariant& data) const {
    if (!combo) return;
    combo->addItem(text(id), data);
    combo->setItemData(combo->count() - 1, id, kTextIdRole);
}

void ResourceManager::applyTo(QWidget* w) const {
    const QString textId = w->property("textId").toString();
    if (!textId.isEmpty()) w->setProperty("text", text(textId));
    const QString tipId = w->property("tipId").toString();
    if (!tipId.isEmpty()) w->setToolTip(text(tipId));
    const QString titleId = w->property("titleId").toString();
    if (!titleId.isEmpty()) w->setWindowTitle(text(titleId));
    const QString placeholderId = w->property("placeholderId").toString();
    if (!placeholderId.isEmpty()) w->setProperty("placeholderText", text(placeholderId));
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i) {
            const QString id = combo->itemData(i, kTextIdRole).toString();
            if (!id.isEmpty()) combo->setItemText(i, text(id));
        }
    }
    applyAccessibleName(w);
}

void ResourceManager::applyTexts(QWidget* w) const {
    if (!w) return;
    applyTo(w);
    for (QWidget* c : w->findChildren<QWidget*>()) applyTo(c);
}

void ResourceManager::reloadText() const {
    for (QWidget* w : QApplication::allWidgets()) applyTo(w);
}

QString ResourceManager::styleSheet() const {
    QFile f(m_skinFolder + "style.qss");
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString qss = QString::fromUtf8(f.readAll());
    qss.replace("@skin/", m_skinFolder);
    return qss;
}

void ResourceManager::applyStyle(QWidget* window) const {
    if (window) window->setStyleSheet(styleSheet());
}

void ResourceManager::release() {
    m_index.clear();
    m_texts.clear();
    m_english.clear();
    m_englishLoaded = false;
    m_languageName.clear();
}

}  // namespace md

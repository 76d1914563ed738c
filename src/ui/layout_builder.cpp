#include "ui/layout_builder.h"

#include <QEvent>

#include <algorithm>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "common/dbg_out.h"
#include "ui/background_panel.h"
#include "ui/control_registry.h"
#include "ui/flow_layout.h"
#include "ui/font_table.h"
#include "ui/keyboard_access.h"
#include "ui/partial_picture.h"
#include "ui/resource_manager.h"

namespace md {
namespace {
constexpr int kMaxSubTreeDepth = 8;  // a sub-tree naming itself must not recurse forever
}

LayoutBuilder::LayoutBuilder(const LayoutTagTable* tags, QObject* parent)
    : QUiLoader(parent), m_tags(tags) {}

QWidget* LayoutBuilder::build(const QString& fileOrId, QWidget* parent) {
    const QString path = ResourceManager::instance().resolve(fileOrId);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        dbgOut(("layout not found: " + path).toStdString());
        return nullptr;
    }
    setWorkingDirectory(QDir(ResourceManager::instance().skinFolder()));
    QWidget* root = load(&f, parent);
    if (!root) {
        dbgOut(("layout not built: " + path + ": " + errorString()).toStdString());
        return nullptr;
    }
    enableKeyboardFocus(root);
    ResourceManager::instance().applyTexts(root);
    FontTable::instance().applyTo(root);
    applySkinImages(root);
    return root;
}

namespace {

// Renders a label's skin image for the label's fixed size at the screen's density: crisp, and
// painted without scaling (a pixmap of another density is rescaled on every repaint).
void renderSkinImage(QLabel* label, const QString& image) {
    const QSize size = label->minimumSize().isEmpty() ? QSize(32, 32) : label->minimumSize();
    const qreal dpr = std::max<qreal>(1.0, label->devicePixelRatioF());
    label->setPixmap(QIcon(ResourceManager::instance().resolve(image)).pixmap(size, dpr));
    label->setScaledContents(false);
    label->setAlignment(Qt::AlignCenter);
    // Large pictures (device pictures) repaint in parts under the lamps over them.
    if (size.height() > kBandRows) paintPictureInParts(label);
}

// Renders a large picture when its label is first shown: the pages nobody opens hold no
// pixmap of their device's picture.
class RenderWhenShown final : public QObject {
  public:
    RenderWhenShown(QLabel* label, QString image) : QObject(label), m_image(std::move(image)) {
        label->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* label = static_cast<QLabel*>(watched);
            label->removeEventFilter(this);
            renderSkinImage(label, m_image);
            deleteLater();
        }
        return false;
    }

  private:
    QString m_image;
};

}  // namespace

void LayoutBuilder::applySkinImages(QWidget* root) {
    const ResourceManager& res = ResourceManager::instance();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        const QString image = w->property("skinImage").toString();
        if (auto* label = qobject_cast<QLabel*>(w); label && !image.isEmpty()) {
            if (label->minimumSize().height() > kBandRows && !label->isVisible())
                new RenderWhenShown(label, image);  // owned by the label
            else
                renderSkinImage(label, image);
        }
        // Large styled panels repaint their background from a cached image.
        if (w->property("paintInParts").toBool()) paintStyledPanelInParts(w);
        const QString icon = w->property("skinIcon").toString();
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !icon.isEmpty())
            button->setIcon(QIcon(res.resolve(icon)));
    }
}

QWidget* LayoutBuilder::buildInto(const QString& fileOrId, QWidget* host) {
    QWidget* root = build(fileOrId, host);
    if (!root) return nullptr;
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(root);
    return root;
}

QLayout* LayoutBuilder::createLayout(const QString& className, QObject* parent,
                                     const QString& name) {
    if (className == QLatin1String("FlowLayout")) {
        auto* layout = new FlowLayout(qobject_cast<QWidget*>(parent));
        layout->setObjectName(name);
        return layout;
    }
    return QUiLoader::createLayout(className, parent, name);
}

QWidget* LayoutBuilder::createWidget(const QString& className, QWidget* parent,
                                     const QString& name) {
    QWidget* w = nullptr;
    if (auto tag = m_tags ? m_tags->find(className) : std::nullopt) {
        if (tag->kind == LayoutTag::Kind::SubTree) {
            if (m_depth >= kMaxSubTreeDepth) return nullptr;
            LayoutBuilder sub(nullptr);
            sub.m_depth = m_depth + 1;
            w = sub.build(tag->target, parent);
            if (w && w->objectName().isEmpty()) w->setObjectName(name);
            return w;
        }
        w = ControlRegistry::instance().create(tag->target, parent);
    } else if (className == QLatin1String("BackgroundPanel")) {
        w = new BackgroundPanel(parent);
    } else if (ControlRegistry::instance().contains(className)) {
        w = ControlRegistry::instance().create(className, parent);
    } else {
        return QUiLoader::createWidget(className, parent, name);
    }
    if (w) w->setObjectName(name);
    return w;
}

}  // namespace md

#include "controls/accessible_controls.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

#include "controls/color_palette_ui.h"
#include "controls/device_key_button_ui.h"
#include "controls/device_option_ui.h"
#include "ui/resource_manager.h"

namespace md {
namespace {

// The name the code or the skin gave, else fallback.
QString nameOr(const QWidget* w, const QString& fallback) {
    return w->accessibleName().isEmpty() ? fallback : w->accessibleName();
}

class TileAccessible final : public QAccessibleWidget {
  public:
    explicit TileAccessible(CDeviceOptionUI* tile)
        : QAccessibleWidget(tile, QAccessible::RadioButton) {}
    CDeviceOptionUI* tile() const { return static_cast<CDeviceOptionUI*>(widget()); }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return nameOr(tile(), tile()->tileName());
            case QAccessible::Description:
                return tile()->linkText();
            case QAccessible::Value:
                return tile()->batteryText();
            default:
                return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = tile()->isTileSelected();
        return s;
    }
    // The icon option is the tile's own face: the tile stands for it.
    int childCount() const override { return int(parts().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> list = parts();
        return index >= 0 && index < list.size()
                   ? QAccessible::queryAccessibleInterface(list[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(parts().indexOf(child->object())) : -1;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction()) return;
        auto* option = tile()->findChild<QAbstractButton*>(QStringLiteral("device_select"));
        if (option && !option->isChecked() && tile()->isEnabled()) option->click();
    }

  private:
    QList<QWidget*> parts() const {
        QList<QWidget*> out;
        for (QObject* o : tile()->children())
            if (auto* w = qobject_cast<QWidget*>(o);
                w && !w->isWindow() && w->objectName() != QLatin1String("device_select"))
                out << w;
        return out;
    }
};

class KeyAccessible final : public QAccessibleWidget {
  public:
    explicit KeyAccessible(CDeviceKeyButtonUI* key)
        : QAccessibleWidget(key,
                            key->isIndicator() ? QAccessible::Indicator : QAccessible::Button) {}
    CDeviceKeyButtonUI* key() const { return static_cast<CDeviceKeyButtonUI*>(widget()); }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return nameOr(key(), key()->text());
            case QAccessible::Value:
                // The lamp's colour, or the colour the key's lamp shows.
                return key()->ledColour().isValid() ? key()->ledColour().name().toUpper()
                                                    : QString();
            default:
                return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (key()->isIndicator()) {
            s.focusable = false;
            return s;
        }
        s.selectable = true;
        s.selected = key()->isMarked() || key()->property("selected").toBool();
        if (key()->isCheckable()) {
            s.checkable = true;
            s.checked = key()->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override {
        return key()->isIndicator() ? QStringList() : QStringList{pressAction()};
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && !key()->isIndicator() && key()->isEnabled()) key()->click();
    }
};

class PaletteAccessible final : public QAccessibleWidget {
  public:
    explicit PaletteAccessible(CColorPaletteUI* palette)
        : QAccessibleWidget(palette, QAccessible::ColorChooser) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return static_cast<CColorPaletteUI*>(widget())->colour().name().toUpper();
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return ResourceManager::instance().text(QStringLiteral("acc_palette_keys"));
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (className == QLatin1String("md::CDeviceOptionUI"))
        return new TileAccessible(static_cast<CDeviceOptionUI*>(object));
    if (className == QLatin1String("md::CDeviceKeyButtonUI"))
        return new KeyAccessible(static_cast<CDeviceKeyButtonUI*>(object));
    if (className == QLatin1String("md::CColorPaletteUI"))
        return new PaletteAccessible(static_cast<CColorPaletteUI*>(object));
    return nullptr;
}

}  // namespace

void installControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

}  // namespace md

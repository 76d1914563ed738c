#include "app/shell/skin_frame.h"

#include <QAbstractButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>

#include "app/shell/skin_changed_param.h"
#include "common/dbg_out.h"
#include "profiles/app_paths.h"
#include "ui/file_dialog.h"
#include "ui/keyboard_access.h"
#include "ui/layout_builder.h"
#include "ui/notify_dispatcher.h"
#include "ui/resource_manager.h"

namespace md {

CSkinFrame::CSkinFrame(QWidget* skinButton)
    : QWidget(skinButton ? skinButton->window() : nullptr, Qt::Popup | Qt::FramelessWindowHint),
      m_controls(this) {
    setObjectName("skinframe");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    LayoutBuilder builder;
    if (!builder.buildInto("skin.xml", this)) dbgOut("skin picker layout missing");
    decorateButtons();
    new NotifyDispatcher(*this, this);
    adjustSize();
    if (skinButton) {
        const QPoint bottomRight =
            skinButton->mapToGlobal(QPoint(skinButton->width(), skinButton->height()));
        move(bottomRight.x() - width(), bottomRight.y());
    }
}

void CSkinFrame::decorateButtons() {
    const ResourceManager& res = ResourceManager::instance();
    for (auto* b : findChildren<QAbstractButton*>("skin_image_btn")) {
        const QPixmap thumb(res.resolve(b->property("userdata").toString()));
        b->setIcon(QIcon(thumb));
        b->setIconSize(b->size().isValid() ? b->minimumSize() - QSize(6, 6) : QSize(96, 60));
    }
    for (auto* b : findChildren<QAbstractButton*>("skin_color_btn")) {
        const QColor c = b->property("bkcolor").value<QColor>();
        b->setStyleSheet(QString("QPushButton#skin_color_btn { background-color: %1; }")
                             .arg(c.name(QColor::HexRgb)));
    }
}

std::function<QString(QWidget*)>& CSkinFrame::customImageChooser() {
    static std::function<QString(QWidget*)> chooser = [](QWidget* parent) {
        return chooseFileOf(parent, false, QStringLiteral("(*.png) (*.png);;(*.*) (*)"),
                            QStringLiteral("png"));
    };
    return chooser;
}

QString CSkinFrame::settingsPath() {
    return QString::fromStdString(AppPaths::dataRoot()) + "main.ini";
}

void CSkinFrame::writeSkinChoice(int flags, const QString& image) {
    QSettings ini(settingsPath(), QSettings::IniFormat);
    ini.beginGroup("SKINIMAGE");
    ini.setValue("FLAGS", QString::number(flags));
    ini.setValue("IMAGE", image);
    ini.endGroup();
    ini.sync();
}

void CSkinFrame::notify(const Notification& n) {
    if (n.type != QLatin1String("click")) return;
    auto& observer = SkinObserver::instance();
    if (n.sender == QLatin1String("skin_image_btn") && n.control) {
        const QString image = n.control->property("userdata").toString();
        observer.broadcast({false, 0, image});
        writeSkinChoice(1, image);
    } else if (n.sender == QLatin1String("skin_color_btn") && n.control) {
        const QColor c = n.control->property("bkcolor").value<QColor>();
        observer.broadcast({true, static_cast<uint32_t>(c.rgba()), {}});
    } else if (n.sender == QLatin1String("skin_image") || n.sender == QLatin1String("skin_color")) {
        const int page = n.sender == QLatin1String("skin_image") ? 0 : 1;
        if (auto* tab = m_controls.find<QStackedWidget>("skin_tab")) tab->setCurrentIndex(page);
        if (auto* tab = m_controls.find<QTabWidget>("skin_tab")) tab->setCurrentIndex(page);
    } else if (n.sender == QLatin1String("skin_reset")) {
        observer.broadcast({false, 0, kDefaultImage});
        writeSkinChoice(0, kDefaultImage);
    } else if (n.sender == QLatin1String("skin_Custom")) {
        // The dialog takes the focus, which closes (and deletes) the picker; it belongs to the
        // main window instead.
        QWidget* owner = parentWidget();
        hide();
        const QString path = customImageChooser()(owner);
        if (!path.isEmpty()) observer.broadcast({false, 0, path});
    }
}

bool CSkinFrame::focusNextPrevChild(bool next) {
    return moveFocusInReadingOrder(this, next);
}

}  // namespace md

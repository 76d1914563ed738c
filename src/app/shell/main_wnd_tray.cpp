// The main window's notification-area icon and its menu ("menu.xml").
#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

#include "app/shell/app_messages.h"
#include "app/shell/main_wnd.h"
#include "ui/layout_builder.h"
#include "ui/resource_manager.h"

namespace md {

void CMainWnd::createTrayIcon() {
    m_tray =
        new QSystemTrayIcon(QIcon(ResourceManager::instance().resolve("common/tray.svg")), this);
    m_tray->setToolTip("Mouse Driver");
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    handleMessage(msg::kTrayIcon, 0, 0x0202);
                else if (reason == QSystemTrayIcon::Context)
                    handleMessage(msg::kTrayIcon, 0, 0x0205);
            });
    m_tray->show();
}

void CMainWnd::showTrayMenu() {
    if (m_menu) delete m_menu.data();
    LayoutBuilder builder;
    auto* menu = qobject_cast<QMenu*>(builder.build("menu.xml", nullptr));
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose, false);
    m_menu = menu;
    const ResourceManager& res = ResourceManager::instance();
    res.applyStyle(menu);  // a window of its own, outside the main window
    for (QAction* a : menu->actions()) {
        const QString id = a->property("textId").toString();
        if (!id.isEmpty()) a->setText(res.text(id));
        const QString icon = a->property("iconFile").toString();
        if (!icon.isEmpty()) a->setIcon(QIcon(res.resolve(icon)));
        const QString name = a->objectName();
        connect(
            a, &QAction::triggered, this, [this, name] { onMenuCommand(name); },
            Qt::QueuedConnection);
    }
    if (m_hooks.extendTrayMenu) m_hooks.extendTrayMenu(menu);
    // The window system places a pop-up menu inside the screen next to the pointer, which is
    // where the taskbar rules would place it.
    menu->popup(QCursor::pos());
}

void CMainWnd::onMenuCommand(const QString& name) {
    if (name == QLatin1String("exit")) {
        exitApplication();
    } else if (name == QLatin1String("about_menu")) {
        openAbout();
    } else if (name == QLatin1String("setwnd_menu")) {
        if (m_hooks.openSettings) m_hooks.openSettings(true);
    } else if (m_hooks.routeNotification) {
        // Menus of the pages (macro editor) come back as "menu" notifications of their name.
        m_hooks.routeNotification(Notification{"menu", name, nullptr, 0, 0});
    }
}

}  // namespace md

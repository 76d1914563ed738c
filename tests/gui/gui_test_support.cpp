#include "gui_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QStandardPaths>

#include "app/shell/control_classes.h"
#include "ui/resource_manager.h"

namespace md::test {

bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    QDeadlineTimer deadline(timeout);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QString sourceSkinFolder() {
    return QStringLiteral(MD_SOURCE_DIR "/skin/");
}
QString sourceDataFolder() {
    return QStringLiteral(MD_SOURCE_DIR "/DefaultData/");
}

QString freshFolder(const QString& name) {
    const QString path = qEnvironmentVariable("MD_GUI_TEST_ROOT") + "/" + name + "/";
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

void useSourceSkin() {
    ResourceManager& res = ResourceManager::instance();
    res.release();
    res.setSkinFolder(sourceSkinFolder());
    res.loadResource("res.xml");
    registerApplicationControls();
}

}  // namespace md::test

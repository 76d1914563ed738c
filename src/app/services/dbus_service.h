#pragma once
// The inter-process messages of the program as D-Bus methods and signals. Each method hands its
// message to the main window's message handler on the UI thread:
//
//   Activate()                          activation (a second start calls it)
//   UpdateProgress(t wParam, x lParam)  forwarded to the settings window when it is open
//   SetLightOwner(u wParam, i lParam)   wParam 1: lParam 0/1 releases/takes the lighting
//   QueryWorkTool() -> ay               the 1024-byte WorkTool block
//   GameStart/GameEnd/GameKill/GameDeath(u wParam, i lParam)   game lighting
//   signal LightOwnerNotify(u wParam, i lParam)                the program's light-owner state
//   RunCommand(as args) -> (i exitCode, s out, s err)   a mouse-driver-cli command line, run on
//                                                       the program's open devices

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace md {

class DbusService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mousedriver.MouseDriver")
  public:
    using Handler = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    using CommandHandler = std::function<int(const std::vector<std::string>& args, std::string& out,
                                             std::string& err)>;
    explicit DbusService(QObject* parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    void setCommandHandler(CommandHandler handler) { m_commandHandler = std::move(handler); }

  public slots:
    Q_SCRIPTABLE void Activate();
    Q_SCRIPTABLE void UpdateProgress(qulonglong wParam, qlonglong lParam);
    Q_SCRIPTABLE void SetLightOwner(uint wParam, int lParam);
    Q_SCRIPTABLE QByteArray QueryWorkTool();
    Q_SCRIPTABLE void GameStart(uint wParam, int lParam);
    Q_SCRIPTABLE void GameEnd(uint wParam, int lParam);
    Q_SCRIPTABLE void GameKill(uint wParam, int lParam);
    Q_SCRIPTABLE void GameDeath(uint wParam, int lParam);
    Q_SCRIPTABLE int RunCommand(const QStringList& args, QString& out, QString& err);

  signals:
    Q_SCRIPTABLE void LightOwnerNotify(uint wParam, int lParam);

  private:
    void deliver(uint32_t message, uintptr_t wParam, intptr_t lParam);
    Handler m_handler;
    CommandHandler m_commandHandler;
};

}  // namespace md

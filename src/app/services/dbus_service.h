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

#include <QByteArray>
#include <QObject>
#include <functional>

namespace md {

class DbusService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mousedriver.MouseDriver")
  public:
    using Handler = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    explicit DbusService(QObject* parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }

  public slots:
    Q_SCRIPTABLE void Activate();
    Q_SCRIPTABLE void UpdateProgress(qulonglong wParam, qlonglong lParam);
    Q_SCRIPTABLE void SetLightOwner(uint wParam, int lParam);
    Q_SCRIPTABLE QByteArray QueryWorkTool();
    Q_SCRIPTABLE void GameStart(uint wParam, int lParam);
    Q_SCRIPTABLE void GameEnd(uint wParam, int lParam);
    Q_SCRIPTABLE void GameKill(uint wParam, int lParam);
    Q_SCRIPTABLE void GameDeath(uint wParam, int lParam);

  signals:
    Q_SCRIPTABLE void LightOwnerNotify(uint wParam, int lParam);

  private:
    void deliver(uint32_t message, uintptr_t wParam, intptr_t lParam);
    Handler m_handler;
};

}  // namespace md

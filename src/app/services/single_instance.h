#pragma once
// One running program per user. With a session bus the program owns the service name of
// dbus_names.h and exports DbusService; a second start calls Activate() on the owner and ends.
// Without a bus a local socket in $XDG_RUNTIME_DIR plays the same role (activation only; the
// other inter-process messages are off).

#include <QObject>

class QLocalServer;

namespace md {

class DbusService;

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    enum class Mode { Auto, LocalOnly };
    enum class Role { Primary, Secondary };

    explicit SingleInstance(QObject* parent = nullptr, Mode mode = Mode::Auto,
                            QString localName = {});
    ~SingleInstance() override;

    // Secondary: the running instance has been asked to activate.
    Role acquire();
    // The exported service while primary on the session bus, else nullptr.
    DbusService* service() const { return m_service; }

  signals:
    // A second start asked over the local socket (bus activations reach the service's handler).
    void activationRequested();

  private:
    Role acquireOnBus();
    Role acquireLocal();

    Mode m_mode;
    QString m_localName;
    DbusService* m_service = nullptr;
    QLocalServer* m_server = nullptr;
    bool m_ownsName = false;
};

}  // namespace md

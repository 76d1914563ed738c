// Suspend on a private bus with a logind stand-in of the test's own: the program holds a delay
// inhibitor, does its suspend work while still holding it, releases it for the sleep and takes
// it again after the resume.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QProcess>

#include "app/services/sleep_watcher.h"
#include "app/shell/app_messages.h"
#include "gui_test_support.h"

namespace md {
namespace {

// logind's Manager as far as the program uses it: Inhibit hands out one end of a pipe and
// keeps the other, which reads end-of-file once every copy of the handed-out end is closed.
class LogindStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
  public:
    ~LogindStandIn() override {
        for (int fd : held) ::close(fd);
    }
    // True while some inhibitor handed out is still held by the program.
    bool held_open() const {
        for (int fd : held) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 0) == 0) return true;  // no end-of-file yet
        }
        return false;
    }
    int inhibits = 0;
    QString what, mode;
    std::vector<int> held;

  public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& w, const QString&, const QString&,
                                    const QString& m) {
        ++inhibits;
        what = w;
        mode = m;
        int p[2];
        if (::pipe(p) != 0) return {};
        held.push_back(p[0]);
        QDBusUnixFileDescriptor out(p[1]);  // a copy goes over the bus
        ::close(p[1]);
        return out;
    }
};

class SleepInhibitorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForStarted(5000)) GTEST_SKIP() << "no dbus-daemon";
        ASSERT_TRUE(daemon.waitForReadyRead(5000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        logind = QDBusConnection::connectToBus(address, "logind-stand-in");
        ASSERT_TRUE(logind.isConnected());
        ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));
        ASSERT_TRUE(logind.registerObject("/org/freedesktop/login1", &standIn,
                                          QDBusConnection::ExportAllSlots));
        program = QDBusConnection::connectToBus(address, "program");
        ASSERT_TRUE(program.isConnected());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus("program");
        QDBusConnection::disconnectFromBus("logind-stand-in");
        daemon.kill();
        daemon.waitForFinished(5000);
    }
    void prepareForSleep(bool start) {
        QDBusMessage s = QDBusMessage::createSignal(
            "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
        s << start;
        logind.send(s);
    }

    QProcess daemon;
    QString address;
    QDBusConnection logind{QString()};
    QDBusConnection program{QString()};
    LogindStandIn standIn;
};

TEST_F(SleepInhibitorTest, TheSuspendWorkRunsBeforeTheInhibitorGoes) {
    std::vector<std::pair<uintptr_t, bool>> seen;  // message, inhibitor still held then
    SleepWatcher watcher(
        [&](uint32_t m, uintptr_t w, intptr_t) {
            if (m == msg::kPowerBroadcast) seen.emplace_back(w, standIn.held_open());
        },
        nullptr, program);
    ASSERT_TRUE(watcher.connected());
    ASSERT_TRUE(test::waitFor([&] { return watcher.inhibiting(); }));
    EXPECT_EQ(standIn.inhibits, 1);
    EXPECT_EQ(standIn.what, "sleep");
    EXPECT_EQ(standIn.mode, "delay");
    EXPECT_TRUE(standIn.held_open());

    prepareForSleep(true);
    ASSERT_TRUE(test::waitFor([&] { return !seen.empty(); }));
    EXPECT_EQ(seen[0], (std::pair<uintptr_t, bool>{msg::kPowerSuspend, true}));
    EXPECT_TRUE(test::waitFor([&] { return !standIn.held_open(); }));
    EXPECT_FALSE(watcher.inhibiting());

    prepareForSleep(false);
    ASSERT_TRUE(test::waitFor([&] { return watcher.inhibiting(); }));
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].first, msg::kPowerResume);
    EXPECT_EQ(standIn.inhibits, 2);
    EXPECT_TRUE(standIn.held_open());
}

}  // namespace
}  // namespace md

#include "test_sleep_inhibitor.moc"

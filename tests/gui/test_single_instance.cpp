#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/services/single_instance.h"
#include "gui_test_support.h"

namespace md {

TEST(SingleInstance, LocalSocketFallbackActivatesTheFirst) {
    const QString name = test::freshFolder("instance") + "md.sock";
    SingleInstance first(nullptr, SingleInstance::Mode::LocalOnly, name);
    int activations = 0;
    QObject::connect(&first, &SingleInstance::activationRequested, [&] { ++activations; });
    ASSERT_EQ(first.acquire(), SingleInstance::Role::Primary);
    EXPECT_EQ(first.service(), nullptr);

    SingleInstance second(nullptr, SingleInstance::Mode::LocalOnly, name);
    EXPECT_EQ(second.acquire(), SingleInstance::Role::Secondary);
    EXPECT_TRUE(test::waitFor([&] { return activations == 1; }));
}

TEST(SingleInstance, WithoutARuntimeFolderTheSocketLivesInAPrivateFolder) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    const QString folder = test::freshFolder("instance-tmp");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QDir(folder).absolutePath().toUtf8());
    {
        SingleInstance first(nullptr, SingleInstance::Mode::LocalOnly);
        ASSERT_EQ(first.acquire(), SingleInstance::Role::Primary);
        const QString dir =
            QDir(folder).absoluteFilePath("mouse-driver-" + QString::number(getuid()));
        struct stat st {};
        ASSERT_EQ(::lstat(QFile::encodeName(dir).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_TRUE(QFileInfo::exists(dir + "/instance.sock"));
        SingleInstance second(nullptr, SingleInstance::Mode::LocalOnly);
        EXPECT_EQ(second.acquire(), SingleInstance::Role::Secondary);

        // A folder another user could enter is not used: the program runs without.
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner | QFileDevice::ExeOther |
                                       QFileDevice::ReadOther | QFileDevice::WriteOther);
        SingleInstance third(nullptr, SingleInstance::Mode::LocalOnly);
        EXPECT_EQ(third.acquire(), SingleInstance::Role::Primary);
    }
    if (runtime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);
    if (tmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmp);
}

}  // namespace md

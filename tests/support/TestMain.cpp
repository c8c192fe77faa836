// Test entry point: every test program runs with the offscreen platform and with
// private settings and runtime folders, so no test touches the user's files.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";

    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    QDir().mkpath(home.path() + "/config");
    QDir().mkpath(home.path() + "/runtime");
    QFile::setPermissions(home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Where the built programs and engine libraries are, and the test fixtures.
    setenv("KESTREL_BIN_DIR", KESTREL_BIN_DIR, 0);
    setenv("KESTREL_TEST_DATA", KESTREL_TEST_DATA, 0);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path() + "/config");

    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// One QApplication for the whole run, on the offscreen platform, with a private profile.
#include <stdlib.h>

#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    QCoreApplication::setOrganizationName(QStringLiteral("VoltScope Tests"));
    QCoreApplication::setApplicationName(QStringLiteral("voltscope_gui_tests"));
    return RUN_ALL_TESTS();
}

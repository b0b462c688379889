// Test main for window tests: a headless application and a guard that closes any
// modal window a test left open, so that a failing test never hangs.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(3000);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

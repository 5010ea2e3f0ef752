#include <QApplication>
#include <QtGlobal>

#include <gtest/gtest.h>

// Every test program runs with a QApplication, offscreen unless the caller chose a platform, so
// that widget tests and library tests share one main.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#include <QApplication>
#include <QTemporaryDir>
#include <QtGlobal>

#include <optional>

#include <gtest/gtest.h>

// Every test program runs with a QApplication, offscreen unless the caller chose a platform, so
// that widget tests and library tests share one main.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Windows keep recovery copies in the application data folder and offer the ones they find:
    // each test program gets a folder of its own, shared only with the processes it starts.
    std::optional<QTemporaryDir> dados;
    if (qEnvironmentVariableIsEmpty("VELK_TESTE_DADOS")) {
        dados.emplace();
        qputenv("XDG_DATA_HOME", dados->path().toLocal8Bit());
        qputenv("VELK_TESTE_DADOS", "1");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

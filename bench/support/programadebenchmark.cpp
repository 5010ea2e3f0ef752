#include "programadebenchmark.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int executarBenchmarks(int argc, char** argv, const std::function<bool()>& conferir,
                       const std::function<void(const RelatorDeTempos&)>& relatar)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!conferir())
        return 1;
    RelatorDeTempos relator;
    benchmark::RunSpecifiedBenchmarks(&relator);
    relatar(relator);
    benchmark::Shutdown();
    return 0;
}

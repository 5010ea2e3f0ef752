// Importing a model of 100,000 faces (a 400 × 250 grid of quadrilaterals: 100,651 vertices and
// 200,650 distinct edges), as OBJ and as OFF, from the file's text to the finished objects, and
// then into the main window (list and projection).
//
//   build/bench/bench_importacao [--benchmark_repetitions=5]
//
// Target: each under one second of CPU time.

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "importacao.h"
#include "mainwindow.h"
#include "objeto.h"

namespace {

constexpr int colunas = 400;
constexpr int linhas = 250;

int vertice(int i, int j)
{
    return i * (colunas + 1) + j;
}

std::string grade(bool obj)
{
    std::string texto;
    if (!obj)
        texto = "OFF\n" + std::to_string((linhas + 1) * (colunas + 1)) + " " + std::to_string(linhas * colunas)
                + " 0\n";
    for (int i = 0; i <= linhas; ++i)
        for (int j = 0; j <= colunas; ++j)
            texto += (obj ? "v " : "") + std::to_string(j * 0.01) + " " + std::to_string(i * 0.01) + " "
                     + std::to_string((i * j) % 7 * 0.001) + "\n";
    // OBJ counts from 1, OFF from 0.
    const int base = obj ? 1 : 0;
    for (int i = 0; i < linhas; ++i)
        for (int j = 0; j < colunas; ++j)
            texto += (obj ? "f " : "4 ") + std::to_string(vertice(i, j) + base) + " "
                     + std::to_string(vertice(i, j + 1) + base) + " " + std::to_string(vertice(i + 1, j + 1) + base)
                     + " " + std::to_string(vertice(i + 1, j) + base) + "\n";
    return texto;
}

void Obj(benchmark::State& estado)
{
    const std::string texto = grade(true);
    for (auto _ : estado) {
        auto objetos = Importacao::lerObj(texto, "grade");
        benchmark::DoNotOptimize(objetos.data());
    }
}
BENCHMARK(Obj)->Unit(benchmark::kMillisecond);

void Off(benchmark::State& estado)
{
    const std::string texto = grade(false);
    for (auto _ : estado) {
        auto objetos = Importacao::lerOff(texto, "grade");
        benchmark::DoNotOptimize(objetos.data());
    }
}
BENCHMARK(Off)->Unit(benchmark::kMillisecond);

// The whole command but the file dialog: file read, objects built, list rebuilt, scene projected.
void ObjPelaJanela(benchmark::State& estado)
{
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath(QStringLiteral("grade.obj"));
    {
        QFile arquivo(caminho);
        arquivo.open(QIODevice::WriteOnly);
        arquivo.write(QByteArray::fromStdString(grade(true)));
    }
    for (auto _ : estado) {
        estado.PauseTiming();
        auto janela = std::make_unique<MainWindow>();
        estado.ResumeTiming();
        janela->importar(caminho);
        estado.PauseTiming();
        janela.reset();
        estado.ResumeTiming();
    }
}
BENCHMARK(ObjPelaJanela)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

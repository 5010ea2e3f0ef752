// A pan of the main camera on the shared 10,000-object scene, with and without the outside view:
//
//   build/bench/bench_vistaexterna --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// VistaExterna/SemVista: the main canvas's whole paint after the pan (1000 × 1000).
// VistaExterna/ComVista: that paint plus the outside view's (600 × 600), as both repaint on a pan.
// It prints the ratio of the two (median real time when repeated).

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "displayfile.h"
#include "programadebenchmark.h"
#include "qviewport.h"
#include "vistaexterna.h"
#include "window.h"

namespace {

constexpr double passo = 0.1;

struct Cenario {
    QViewport canvas{nullptr};
    VistaExterna vista{nullptr};
    QImage imagemDoCanvas{1000, 1000, QImage::Format_RGB32};
    QImage imagemDaVista{600, 600, QImage::Format_RGB32};

    Cenario()
    {
        canvas.resize(1000, 1000);
        *canvas.displayFile() = criarCenaDeCubosCurvasEPoligonos();
        canvas.janela()->atualizarCPP(*canvas.displayFile());
        vista.resize(600, 600);
        vista.observar(canvas);
    }
};

Cenario& cenario()
{
    static Cenario c;
    return c;
}

void pan(benchmark::State& state, bool comVista)
{
    Cenario& c = cenario();
    double sentido = passo;
    for (auto _ : state) {
        state.PauseTiming();
        c.canvas.janela()->mover(sentido, 0, 0);
        sentido = -sentido;
        state.ResumeTiming();
        c.canvas.pintarEm(&c.imagemDoCanvas, c.imagemDoCanvas.size());
        if (comVista)
            c.vista.pintarEm(&c.imagemDaVista, c.imagemDaVista.size());
        benchmark::ClobberMemory();
    }
    if (sentido < 0)
        c.canvas.janela()->mover(sentido, 0, 0);
}

void semVista(benchmark::State& state) { pan(state, false); }
void comVista(benchmark::State& state) { pan(state, true); }

} // namespace

BENCHMARK(semVista)->Name("VistaExterna/SemVista")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(comVista)->Name("VistaExterna/ComVista")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    const auto semConferencia = [] { return true; };
    return executarBenchmarks(argc, argv, semConferencia, [](const RelatorDeTempos& relator) {
        const double sem = relator.tempo("VistaExterna/SemVista");
        const double com = relator.tempo("VistaExterna/ComVista");
        std::printf("pan com a vista externa / sem ela = %.3f (meta: 2 ou menos)\n", sem > 0 ? com / sem : 0.0);
    });
}

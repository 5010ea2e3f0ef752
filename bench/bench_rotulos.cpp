// The canvas with its coordinate labels on, against the same paint with them off, on the first
// 6,000 objects of the canvas's shared scene (about 70,000 labelled vertices), timed in one run:
//
//   build/bench/bench_rotulos --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Rotulos/Sem and Rotulos/Com: a whole paint of the canvas (QWidget::render into a 1000 × 1000
// image) after the camera panned, as a pan key makes it. It prints the ratio of the two (median real
// time when repeated); it exits with 1 before timing anything if the picture with labels is the
// picture without them.

#include <cstdio>

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "displayfile.h"
#include "pinturaapospasso.h"
#include "programadebenchmark.h"
#include "qviewport.h"
#include "window.h"

namespace {

constexpr int lado = CanvasDeBenchmark::lado;
constexpr int objetos = 6000;

CanvasDeBenchmark& canvas()
{
    static CanvasDeBenchmark c(objetos);
    return c;
}

void pintarComRotulos(benchmark::State& state, bool rotulos)
{
    canvas().showCoordinates(rotulos);
    QImage imagem(lado, lado, QImage::Format_RGB32);
    pintarAposPasso(state, canvas(), imagem);
}

void semRotulos(benchmark::State& state) { pintarComRotulos(state, false); }
void comRotulos(benchmark::State& state) { pintarComRotulos(state, true); }

bool rotulosAparecem()
{
    CanvasDeBenchmark& c = canvas();
    QImage sem(lado, lado, QImage::Format_RGB32);
    QImage com(lado, lado, QImage::Format_RGB32);
    c.showCoordinates(false);
    c.pintarEm(sem);
    c.showCoordinates(true);
    c.pintarEm(com);
    c.showCoordinates(false);
    if (sem == com) {
        std::fprintf(stderr, "the canvas paints the same with labels on and off\n");
        return false;
    }
    return true;
}

} // namespace

BENCHMARK(semRotulos)->Name("Rotulos/Sem")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(comRotulos)->Name("Rotulos/Com")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return executarBenchmarks(argc, argv, rotulosAparecem, [](const RelatorDeTempos& relator) {
        const double sem = relator.tempo("Rotulos/Sem");
        const double com = relator.tempo("Rotulos/Com");
        std::printf("com rótulos / sem rótulos = %.3f (meta: 2 ou menos)\n", sem > 0.0 ? com / sem : 0.0);
    });
}

// The canvas on the shared 10,000-object scene, timed in one run against QPainter drawing the same
// final segments in ONE drawLines call plus the filled polygons (Pintura/Referencia):
//
//   build/bench/bench_pintura --benchmark_repetitions=7 --benchmark_report_aggregates_only=true
//
// Pintura/Completa: a whole paint of the canvas (QWidget::render into a 1000 × 1000 image) after the
//   camera panned, as a pan key makes it: projection, clipping, drawing lists, mapping, drawing.
// Pintura/Projecao: the canvas's projection of the scene after the camera panned (Pintura/ProjecaoSimples:
//   the plain one, a new copy of every object, one after another).
// Pintura/SemMudanca: a paint when nothing in the scene or the camera changed (an expose).
// It prints each one's ratio to the reference (median real time when repeated). Before it times
// anything it checks that the canvas paints exactly what the plainest per-object drawing of the
// camera's plain projection paints, before and after a pan and on a repaint; it exits with 1 if not.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "displayfile.h"
#include "pinturaapospasso.h"
#include "programadebenchmark.h"
#include "qviewport.h"
#include "referencia.h"
#include "window.h"

namespace {

constexpr int lado = CanvasDeBenchmark::lado;
// A pan as the arrow keys make it, there and back, so that every timed paint sees a new camera.
constexpr double passo = 0.1;

CanvasDeBenchmark& canvas()
{
    static CanvasDeBenchmark c;
    return c;
}

void referencia(benchmark::State& state)
{
    const DesenhoEmPixels desenho = desenhoEmPixels(canvas());
    QImage imagem(lado, lado, QImage::Format_RGB32);
    for (auto _ : state) {
        desenharDeUmaVez(imagem, desenho);
        benchmark::ClobberMemory();
    }
    state.counters["segmentos"] = static_cast<double>(desenho.segmentos);
    state.counters["objetos"] = static_cast<double>(canvas().displayFile()->listaDeObjetos.size());
}

void completa(benchmark::State& state)
{
    QImage imagem(lado, lado, QImage::Format_RGB32);
    pintarAposPasso(state, canvas(), imagem);
}

void projecao(benchmark::State& state)
{
    CanvasDeBenchmark& c = canvas();
    // As the canvas keeps it from one paint to the next.
    DisplayFile p;
    c.janela()->atualizarProjecao(p);
    double sentido = passo;
    for (auto _ : state) {
        state.PauseTiming();
        c.janela()->mover(sentido, 0, 0);
        sentido = -sentido;
        state.ResumeTiming();
        c.janela()->atualizarProjecao(p);
        benchmark::DoNotOptimize(p.listaDeObjetos.data());
    }
    if (sentido < 0)
        c.janela()->mover(sentido, 0, 0);
}

// The plain projection, a new copy of every object each time, one object after another.
void projecaoSimples(benchmark::State& state)
{
    CanvasDeBenchmark& c = canvas();
    double sentido = passo;
    for (auto _ : state) {
        state.PauseTiming();
        c.janela()->mover(sentido, 0, 0);
        sentido = -sentido;
        state.ResumeTiming();
        DisplayFile p = c.janela()->coordenadasDePlanoDeProjecao();
        benchmark::DoNotOptimize(p.listaDeObjetos.data());
    }
    if (sentido < 0)
        c.janela()->mover(sentido, 0, 0);
}

void semMudanca(benchmark::State& state)
{
    CanvasDeBenchmark& c = canvas();
    QImage imagem(lado, lado, QImage::Format_RGB32);
    c.pintarEm(imagem);
    for (auto _ : state) {
        c.pintarEm(imagem);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(referencia)->Name("Pintura/Referencia")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(completa)->Name("Pintura/Completa")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(projecao)->Name("Pintura/Projecao")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(projecaoSimples)->Name("Pintura/ProjecaoSimples")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(semMudanca)->Name("Pintura/SemMudanca")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    const auto mesmaImagem = [] { return pintaComoAReferencia(canvas(), passoParaODireita); };
    return executarBenchmarks(argc, argv, mesmaImagem, [](const RelatorDeTempos& relator) {
        const double ref = relator.tempo("Pintura/Referencia");
        const double completa = relator.tempo("Pintura/Completa");
        const auto razao = [](double a, double b) { return b > 0.0 ? a / b : 0.0; };
        std::printf("pintura completa / referência    = %.3f (meta: 0,65 ou menos)\n", razao(completa, ref));
        std::printf("projeção / referência            = %.3f (meta: 0,15 ou menos)\n",
                    razao(relator.tempo("Pintura/Projecao"), ref));
        std::printf("repintura sem mudança / completa = %.3f (meta: 0,05 ou menos)\n",
                    razao(relator.tempo("Pintura/SemMudanca"), completa));
    });
}

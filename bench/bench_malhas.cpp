// Scanned models at interactive rates: one wireframe object the size of a scan, the camera turned a
// little and the canvas painted whole, timed in one run against QPainter drawing the same final
// segments in ONE drawLines call (the reference):
//
//   build/bench/bench_malhas --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Two noisy spheres, 1000 × 1000 canvas: Coelho, the size of the Stanford bunny (35,068 vertices,
// 105,198 edges), and Buda, the size of the Happy Buddha (546,002 vertices, 1,638,000 edges), a
// little larger than the window so that the edges near its sides are cut.
// <malha>/Giro: a whole paint (QWidget::render into an image) after the camera turned by a degree
//   about its up axis, there and back; <malha>/Passo after a pan by a tenth of the window (an arrow
//   key); <malha>/Zoom after a zoom by 0.9 (the key +) and back.
// It prints each one's ratio to the reference (median real time when repeated) and the turns per
// second. Before it times anything it checks that the canvas paints exactly what the plainest
// per-object drawing of the camera's plain projection paints, before and after each move; it exits
// with 1 if not.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <QImage>

#include <benchmark/benchmark.h>

#include "malhas.h"
#include "pinturaapospasso.h"
#include "programadebenchmark.h"
#include "referencia.h"
#include "window.h"

namespace {

constexpr int lado = CanvasDeBenchmark::lado;

CanvasDeBenchmark& coelho()
{
    static CanvasDeBenchmark c(comoCena(esferaRuidosa(178, 197)));
    return c;
}

CanvasDeBenchmark& buda()
{
    static CanvasDeBenchmark c(comoCena(esferaRuidosa(520, 1050)));
    return c;
}

void giro(Window& camera, double sentido)
{
    camera.rodar(0, sentido, 0);
}

void zoom(Window& camera, double sentido)
{
    camera.escala(sentido > 0 ? 0.9 : 1 / 0.9);
}

void referencia(benchmark::State& state, CanvasDeBenchmark& canvas)
{
    const DesenhoEmPixels desenho = desenhoEmPixels(canvas);
    QImage imagem(lado, lado, QImage::Format_RGB32);
    for (auto _ : state) {
        desenharDeUmaVez(imagem, desenho);
        benchmark::ClobberMemory();
    }
    state.counters["segmentos"] = static_cast<double>(desenho.segmentos);
}

void pintura(benchmark::State& state, CanvasDeBenchmark& canvas, const Movimento& movimento)
{
    QImage imagem(lado, lado, QImage::Format_RGB32);
    pintarAposMovimento(state, canvas, imagem, movimento);
}

void registrar(const std::string& nome, CanvasDeBenchmark& (*canvas)())
{
    const auto tempoReal = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    tempoReal(benchmark::RegisterBenchmark((nome + "/Referencia").c_str(),
                                           [canvas](benchmark::State& s) { referencia(s, canvas()); }));
    const std::pair<const char*, Movimento> movimentos[] = {{"/Giro", giro}, {"/Passo", passoParaODireita}, {"/Zoom", zoom}};
    for (const auto& [sufixo, movimento] : movimentos)
        tempoReal(benchmark::RegisterBenchmark((nome + sufixo).c_str(), [canvas, movimento = movimento](benchmark::State& s) {
            pintura(s, canvas(), movimento);
        }));
}

bool pintaComoAReferenciaAposCadaMovimento()
{
    for (CanvasDeBenchmark* canvas : {&coelho(), &buda()})
        for (const Movimento& movimento : {Movimento(giro), Movimento(passoParaODireita), Movimento(zoom)})
            if (!pintaComoAReferencia(*canvas, movimento))
                return false;
    return true;
}

void relatar(const RelatorDeTempos& relator)
{
    const auto razao = [](double a, double b) { return b > 0.0 ? a / b : 0.0; };
    for (const char* nome : {"Coelho", "Buda"}) {
        const std::string n = nome;
        const double ref = relator.tempo(n + "/Referencia");
        const double giro = relator.tempo(n + "/Giro");
        std::printf("%-6s giro e pintura / referência = %.3f (meta: 0,25 ou menos), %.1f quadros/s\n", nome,
                    razao(giro, ref), giro > 0 ? 1000.0 / giro : 0.0);
        std::printf("%-6s passo / giro                = %.3f (meta: 1 ou menos)\n", nome,
                    razao(relator.tempo(n + "/Passo"), giro));
        std::printf("%-6s zoom / giro                 = %.3f (meta: 1 ou menos)\n", nome,
                    razao(relator.tempo(n + "/Zoom"), giro));
    }
}

} // namespace

int main(int argc, char** argv)
{
    registrar("Coelho", coelho);
    registrar("Buda", buda);
    return executarBenchmarks(argc, argv, pintaComoAReferenciaAposCadaMovimento, relatar);
}

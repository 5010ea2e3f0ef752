// Projection and clipping of the shared test scene against QPainter drawing the same segments in one
// drawLines call.
//
// Run: build/bench/bench_pipeline (Google Benchmark flags work; VELK_BENCH_PNG=file.png saves the image). Besides the two timings it
// prints how many segments the pipeline produced and the ratio pipeline / QPainter.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "displayfile.h"
#include "objeto.h"
#include "programadebenchmark.h"
#include "relatordetempos.h"
#include "window.h"

namespace {

constexpr int lado = 1000;

struct Cenario {
    DisplayFile cena = criarCenaDeTeste();
    Window janela{Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10)};

    Cenario() { janela.atualizarCPP(cena); }
};

Cenario& cenario()
{
    static Cenario c;
    return c;
}

// The final segments of every object, mapped to the image as the canvas maps the window (20 pixels
// of margin), one list per object. A filled polygon's outline closes.
struct Segmentos {
    std::vector<std::vector<QLineF>> porObjeto;
    std::vector<QColor> cores;
    long total = 0;
};

Segmentos segmentosFinais()
{
    Cenario& c = cenario();
    const DisplayFile projecao = c.janela.coordenadasDePlanoDeProjecao();
    const double largura = c.janela.viewRightVector().modulo();
    const double altura = c.janela.viewUpVector().modulo();
    const double aX = (lado - 40) / largura, bX = (lado - 20) - largura / 2 * aX;
    const double aY = (20.0 - (lado - 20)) / altura, bY = 20 - altura / 2 * aY;
    const auto pixel = [&](const Coordenada& p) { return QPointF(p.x() * aX + bX, p.y() * aY + bY); };

    Segmentos s;
    for (const Objeto* o : projecao.listaDeObjetos) {
        std::vector<QLineF> linhas;
        const std::vector<Coordenada> d(o->inicioDoDesenho(&c.janela), o->fimDoDesenho(&c.janela));
        for (std::size_t i = 0; i + 1 < d.size(); ++i)
            if (!d[i].isNull() && !d[i + 1].isNull())
                linhas.emplace_back(pixel(d[i]), pixel(d[i + 1]));
        if (o->nivelDePreenchimento() == 2 && d.size() >= 3)
            linhas.emplace_back(pixel(d.back()), pixel(d.front()));
        s.total += static_cast<long>(linhas.size());
        s.porObjeto.push_back(std::move(linhas));
        s.cores.push_back(o->cor().qcolor());
    }
    return s;
}

void BM_ProjecaoERecorte(benchmark::State& state)
{
    Cenario& c = cenario();
    for (auto _ : state) {
        // As a repaint does: project, then throw the copy away.
        DisplayFile projecao = c.janela.coordenadasDePlanoDeProjecao();
        benchmark::DoNotOptimize(projecao.listaDeObjetos.data());
    }
    state.counters["segmentos"] = static_cast<double>(segmentosFinais().total);
    state.counters["objetos"] = static_cast<double>(c.cena.listaDeObjetos.size());
}
BENCHMARK(BM_ProjecaoERecorte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QPainterDesenhaOsMesmosSegmentos(benchmark::State& state)
{
    const Segmentos s = segmentosFinais();
    // In one call, as the fastest a canvas could hope for.
    std::vector<QLineF> todas;
    for (const std::vector<QLineF>& linhas : s.porObjeto)
        todas.insert(todas.end(), linhas.begin(), linhas.end());
    QImage imagem(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::white);
    for (auto _ : state) {
        QPainter pintor(&imagem);
        pintor.setRenderHint(QPainter::Antialiasing, false);
        pintor.setPen(QPen(Qt::black, 1));
        pintor.drawLines(todas.data(), static_cast<int>(todas.size()));
    }
    state.counters["segmentos"] = static_cast<double>(s.total);
    // To look at what was drawn: VELK_BENCH_PNG=/tmp/cena.png bench_pipeline
    if (const char* caminho = std::getenv("VELK_BENCH_PNG"))
        imagem.save(QString::fromLocal8Bit(caminho));
}
BENCHMARK(BM_QPainterDesenhaOsMesmosSegmentos)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    const auto semConferencia = [] { return true; };
    return executarBenchmarks(argc, argv, semConferencia, [](const RelatorDeTempos& relator) {
        const char* const pipeline = "BM_ProjecaoERecorte";
        const char* const qpainter = "BM_QPainterDesenhaOsMesmosSegmentos";
        if (relator.tempo(pipeline) > 0 && relator.tempo(qpainter) > 0)
            std::printf("projeção e recorte / QPainter = %.1f%% em tempo real, %.1f%% em tempo de CPU (meta: 15%% ou "
                        "menos)\n",
                        100.0 * relator.tempo(pipeline) / relator.tempo(qpainter),
                        100.0 * relator.tempoDeCpu(pipeline) / relator.tempoDeCpu(qpainter));
    });
}

// A whole paint of the canvas against QPainter drawing the same picture from ready-made pixel data.
//
//   build/bench/bench_pintura [--benchmark_repetitions=5 --benchmark_report_aggregates_only=true]
//
// Pintura/Canvas: QViewport::repintar through QWidget::render into a 1000 × 1000 image: the camera's
//   projected copy of the scene, its drawing lists, the mapping to pixels and the drawing.
// Pintura/QPainterDireto: the same drawing lists, mapped to pixels beforehand, drawn with one
//   drawLines (or drawPolygon, for filled polygons) per object into a 1000 × 1000 image.
// Pintura/Projecao: the camera's projected copy alone, to show what the canvas adds on top of it.

#include <vector>

#include <QApplication>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPointF>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "displayfile.h"
#include "objeto.h"
#include "qviewport.h"
#include "window.h"

namespace {

constexpr int lado = 1000;

class CanvasDeTeste : public QViewport {
public:
    CanvasDeTeste() : QViewport(nullptr)
    {
        resize(lado, lado);
        *displayFile() = criarCenaDeTeste();
        janela()->atualizarCPP(*displayFile());
    }
};

QImage novaImagem()
{
    return QImage(lado, lado, QImage::Format_RGB32);
}

void pintarCanvas(benchmark::State& state)
{
    CanvasDeTeste canvas;
    QImage imagem = novaImagem();
    for (auto _ : state) {
        canvas.render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::ClobberMemory();
    }
    state.counters["objetos"] = static_cast<double>(canvas.displayFile()->listaDeObjetos.size());
}

// One object's share of the picture, in pixels.
struct Desenho {
    QColor cor;
    bool preenchido = false;
    std::vector<QLine> linhas;
    std::vector<QPointF> poligono;
};

std::vector<Desenho> desenhosEmPixels(const CanvasDeTeste& canvas)
{
    std::vector<Desenho> desenhos;
    const DisplayFile projecao = canvas.janela()->coordenadasDePlanoDeProjecao();
    const Window* janela = canvas.janela();
    for (const Objeto* objeto : projecao.listaDeObjetos) {
        Desenho d;
        d.cor = objeto->cor().qcolor();
        const auto inicio = objeto->inicioDoDesenho(janela);
        const auto fim = objeto->fimDoDesenho(janela);
        if (objeto->nivelDePreenchimento() == 2) {
            if (objeto->numeroDeCoordenadas() <= 2)
                continue;
            d.preenchido = true;
            for (auto c = inicio; c != fim; ++c) {
                const Coordenada p = canvas.windowToViewport(*c);
                d.poligono.emplace_back(p.x(), p.y());
            }
        } else if (objeto->nivelDePreenchimento() == 1) {
            for (auto c = inicio; c != fim && c + 1 != fim; ++c) {
                if (c->isNull() || (c + 1)->isNull())
                    continue;
                const Coordenada a = canvas.windowToViewport(*c);
                const Coordenada b = canvas.windowToViewport(*(c + 1));
                d.linhas.emplace_back(static_cast<int>(a.x()), static_cast<int>(a.y()), static_cast<int>(b.x()),
                                      static_cast<int>(b.y()));
            }
        } else if (objeto->nivelDePreenchimento() == 0) {
            for (auto c = inicio; c != fim; ++c) {
                const Coordenada p = canvas.windowToViewport(*c);
                const int x = static_cast<int>(p.x());
                const int y = static_cast<int>(p.y());
                d.linhas.emplace_back(x - 2, y + 2, x + 2, y - 2);
                d.linhas.emplace_back(x + 2, y + 2, x - 2, y - 2);
            }
        }
        desenhos.push_back(std::move(d));
    }
    return desenhos;
}

void desenharDireto(QImage& imagem, const std::vector<Desenho>& desenhos)
{
    QPainter p(&imagem);
    p.fillRect(0, 0, lado - 1, lado - 1, Qt::white);
    for (const Desenho& d : desenhos) {
        if (d.preenchido) {
            p.setPen(QColor(255, 0, 0));
            p.setBrush(d.cor);
            p.drawPolygon(d.poligono.data(), static_cast<int>(d.poligono.size()), Qt::OddEvenFill);
        } else {
            p.setPen(d.cor);
            p.drawLines(d.linhas.data(), static_cast<int>(d.linhas.size()));
        }
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(20, 20, lado - 40, lado - 40);
}

void pintarQPainterDireto(benchmark::State& state)
{
    CanvasDeTeste canvas;
    const std::vector<Desenho> desenhos = desenhosEmPixels(canvas);
    QImage imagem = novaImagem();
    std::size_t segmentos = 0;
    for (const Desenho& d : desenhos)
        segmentos += d.linhas.size() + d.poligono.size();

    // The comparison holds only if both draw the same picture.
    QImage doCanvas = novaImagem();
    doCanvas.fill(Qt::gray);
    imagem.fill(Qt::gray);
    canvas.render(&doCanvas, QPoint(), QRegion(), QWidget::DrawChildren);
    desenharDireto(imagem, desenhos);
    if (imagem != doCanvas) {
        state.SkipWithError("the direct drawing differs from the canvas's picture");
        return;
    }

    for (auto _ : state) {
        desenharDireto(imagem, desenhos);
        benchmark::ClobberMemory();
    }
    state.counters["segmentos"] = static_cast<double>(segmentos);
}

void projetar(benchmark::State& state)
{
    const CanvasDeTeste canvas;
    for (auto _ : state) {
        DisplayFile projecao = canvas.janela()->coordenadasDePlanoDeProjecao();
        benchmark::DoNotOptimize(projecao.listaDeObjetos.data());
    }
}

} // namespace

BENCHMARK(pintarCanvas)->Name("Pintura/Canvas")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pintarQPainterDireto)->Name("Pintura/QPainterDireto")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(projetar)->Name("Pintura/Projecao")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

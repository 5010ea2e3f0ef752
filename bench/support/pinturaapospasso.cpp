#include "pinturaapospasso.h"

#include <cstdio>
#include <utility>

#include <QPoint>
#include <QRegion>

#include "cenadeteste.h"
#include "referencia.h"
#include "window.h"

CanvasDeBenchmark::CanvasDeBenchmark(int objetos) : CanvasDeBenchmark(criarCenaDeCubosCurvasEPoligonos(objetos)) {}

CanvasDeBenchmark::CanvasDeBenchmark(DisplayFile cena) : QViewport(nullptr)
{
    resize(lado, lado);
    *displayFile() = std::move(cena);
    janela()->atualizarCPP(*displayFile());
}

void CanvasDeBenchmark::pintarEm(QImage& imagem)
{
    render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
}

void passoParaODireita(Window& camera, double sentido)
{
    camera.mover(0.1 * sentido, 0, 0);
}

void pintarAposMovimento(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem,
                         const Movimento& movimento)
{
    double sentido = 1;
    for (auto _ : state) {
        state.PauseTiming();
        movimento(*canvas.janela(), sentido);
        sentido = -sentido;
        state.ResumeTiming();
        canvas.pintarEm(imagem);
        benchmark::ClobberMemory();
    }
    if (sentido < 0) {
        movimento(*canvas.janela(), sentido);
        // Untimed: a turn there and back can give the same camera bit for bit, and the next run's
        // first move would then find its picture kept.
        canvas.pintarEm(imagem);
    }
}

void pintarAposPasso(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem)
{
    pintarAposMovimento(state, canvas, imagem, passoParaODireita);
}

namespace {

// The canvas's paint over grey, as a new image.
QImage pintar(CanvasDeBenchmark& c)
{
    QImage imagem(CanvasDeBenchmark::lado, CanvasDeBenchmark::lado, QImage::Format_RGB32);
    imagem.fill(Qt::gray);
    c.pintarEm(imagem);
    return imagem;
}

// The plainest drawing of the camera's plain projection, over grey.
QImage plano(const CanvasDeBenchmark& c)
{
    QImage imagem(CanvasDeBenchmark::lado, CanvasDeBenchmark::lado, QImage::Format_RGB32);
    imagem.fill(Qt::gray);
    desenharObjetoAObjeto(imagem, desenhoEmPixels(c));
    return imagem;
}

} // namespace

bool pintaComoAReferencia(CanvasDeBenchmark& c, const Movimento& movimento)
{
    const QImage antes = plano(c);
    if (pintar(c) != antes) {
        std::fprintf(stderr, "the canvas's picture differs from the per-object drawing\n");
        return false;
    }
    if (pintar(c) != antes) {
        std::fprintf(stderr, "a repaint with nothing changed differs from the first paint\n");
        return false;
    }
    movimento(*c.janela(), 1);
    const QImage depois = plano(c);
    const bool depoisIgual = pintar(c) == depois;
    movimento(*c.janela(), -1);
    if (!depoisIgual || depois == antes) {
        std::fprintf(stderr, "after a camera move the canvas's picture differs from the per-object drawing\n");
        return false;
    }
    if (pintar(c) != plano(c)) {
        std::fprintf(stderr, "after the move back the canvas's picture differs from the per-object drawing\n");
        return false;
    }
    return true;
}

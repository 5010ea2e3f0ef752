#include "pinturaapospasso.h"

#include <QPoint>
#include <QRegion>

#include "cenadeteste.h"
#include "window.h"

CanvasDeBenchmark::CanvasDeBenchmark(int objetos) : QViewport(nullptr)
{
    resize(lado, lado);
    *displayFile() = criarCenaDeCubosCurvasEPoligonos(objetos);
    janela()->atualizarCPP(*displayFile());
}

void CanvasDeBenchmark::pintarEm(QImage& imagem)
{
    render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
}

void pintarAposPasso(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem)
{
    double sentido = 0.1;
    for (auto _ : state) {
        state.PauseTiming();
        canvas.janela()->mover(sentido, 0, 0);
        sentido = -sentido;
        state.ResumeTiming();
        canvas.pintarEm(imagem);
        benchmark::ClobberMemory();
    }
    if (sentido < 0)
        canvas.janela()->mover(sentido, 0, 0);
}

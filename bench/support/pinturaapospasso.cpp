#include "pinturaapospasso.h"

#include <QPoint>
#include <QRegion>

#include "qviewport.h"
#include "window.h"

void pintarAposPasso(benchmark::State& state, QViewport& canvas, QImage& imagem)
{
    double sentido = 0.1;
    for (auto _ : state) {
        state.PauseTiming();
        canvas.janela()->mover(sentido, 0, 0);
        sentido = -sentido;
        state.ResumeTiming();
        canvas.render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::ClobberMemory();
    }
    if (sentido < 0)
        canvas.janela()->mover(sentido, 0, 0);
}

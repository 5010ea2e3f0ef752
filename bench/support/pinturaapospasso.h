#ifndef PINTURAAPOSPASSO_H
#define PINTURAAPOSPASSO_H

#include <QImage>

#include <benchmark/benchmark.h>

class QViewport;

// Times whole paints of the canvas (QWidget::render into imagem), each after its camera panned by a
// tenth of the window's width, there and back as the arrow keys make it, so that every timed paint
// sees a new camera. The camera ends where it started.
void pintarAposPasso(benchmark::State& state, QViewport& canvas, QImage& imagem);

#endif

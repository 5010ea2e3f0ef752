#ifndef PINTURAAPOSPASSO_H
#define PINTURAAPOSPASSO_H

#include <QImage>

#include <benchmark/benchmark.h>

#include "qviewport.h"

// The canvas the paint benchmarks time: lado × lado, not shown, holding the first `objetos` objects
// of the shared scene.
class CanvasDeBenchmark : public QViewport {
public:
    static constexpr int lado = 1000;

    explicit CanvasDeBenchmark(int objetos = 10000);

    // A whole paint, as the widget's paint event makes it, into imagem.
    void pintarEm(QImage& imagem);
};

// Times whole paints of the canvas into imagem, each after its camera panned by a tenth of the
// window's width, there and back as the arrow keys make it, so that every timed paint sees a new
// camera. The camera ends where it started.
void pintarAposPasso(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem);

#endif

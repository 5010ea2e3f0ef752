#ifndef PINTURAAPOSPASSO_H
#define PINTURAAPOSPASSO_H

#include <functional>

#include <QImage>

#include <benchmark/benchmark.h>

#include "displayfile.h"
#include "qviewport.h"

class Window;

// The canvas the paint benchmarks time: lado × lado, not shown, holding the first `objetos` objects
// of the shared scene, or the scene it is given.
class CanvasDeBenchmark : public QViewport {
public:
    static constexpr int lado = 1000;

    explicit CanvasDeBenchmark(int objetos = 10000);
    explicit CanvasDeBenchmark(DisplayFile cena);

    // A whole paint, as the widget's paint event makes it, into imagem.
    void pintarEm(QImage& imagem);
};

// A move of the camera that the user makes, by sentido (+1 or −1): the move of −1 undoes that of +1.
using Movimento = std::function<void(Window& camera, double sentido)>;

// A pan by a tenth of the window's width, as the arrow keys make it.
void passoParaODireita(Window& camera, double sentido);

// Times whole paints of the canvas into imagem, each after the camera made movimento, there and back,
// so that every timed paint sees a new camera. The camera ends where it started.
void pintarAposMovimento(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem,
                         const Movimento& movimento);
// The same after a pan (passoParaODireita).
void pintarAposPasso(benchmark::State& state, CanvasDeBenchmark& canvas, QImage& imagem);

// Whether the canvas paints exactly what the plainest per-object drawing of the camera's plain
// projection paints: at first, on a repaint with nothing changed, after movimento (which must
// change the picture) and after the move back. Says on standard error what differs when it does not.
bool pintaComoAReferencia(CanvasDeBenchmark& canvas, const Movimento& movimento);

#endif

#ifndef REFERENCIA_H
#define REFERENCIA_H

#include <cstddef>
#include <vector>

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPoint>

class Viewport;

// A projected scene in pixels, mapped as the canvas maps it, for the benchmarks' references. It is
// built from Window::coordenadasDePlanoDeProjecao, the plain one-object-after-another projection.
struct DesenhoEmPixels {
    struct Parte {
        QColor cor;
        bool preenchido = false;
        std::vector<QLine> linhas;
        std::vector<QPoint> poligono;
    };
    // One per object that draws anything, in the scene's order.
    std::vector<Parte> partes;
    // Every segment of every object that is not a filled polygon, in order.
    std::vector<QLine> todasAsLinhas;
    // Segments drawn in all: the lines and the filled polygons' outlines.
    std::size_t segmentos = 0;
};

DesenhoEmPixels desenhoEmPixels(const Viewport& canvas);

// The canvas's picture drawn by the plainest code: white background one pixel short of the image at
// the right and bottom, each object with its own pen, filled polygons with a red outline, the frame.
void desenharObjetoAObjeto(QImage& imagem, const DesenhoEmPixels& desenho);

// The reference the canvas is timed against: the same background, every segment in ONE drawLines
// call, then the filled polygons, then the frame.
void desenharDeUmaVez(QImage& imagem, const DesenhoEmPixels& desenho);

#endif

#ifndef LINHASEMPIXELS_H
#define LINHASEMPIXELS_H

#include <cstddef>

#include <QLine>
#include <QRgb>
#include <QtGlobal>

// Lines one pixel wide set straight into the pixels of a 32-bit picture, exactly where QPainter's
// raster engine puts them for a cosmetic solid pen of an opaque colour with square caps, with no
// transform and no clip. The engine spends on each call and each pen about what it spends drawing
// a short line; a scene of thousands of small objects, each in its own colour, pays that thousands
// of times per paint.
//
// The rules are those of Qt 6's cosmetic stroker: a rough clip in floating point to the picture
// grown by a pixel on each side, ends in 26.6 fixed point moved half a pixel outwards (the square
// caps), then one pixel on each row (or column) whose centre the longer axis crosses, placed by a
// 16.16 step.
class LinhasEmPixels {
public:
    // pixels: the first row of a picture largura × altura whose rows are pixelsPorLinha apart.
    LinhasEmPixels(QRgb* pixels, qsizetype pixelsPorLinha, int largura, int altura)
        : _pixels(pixels), _porLinha(pixelsPorLinha), _largura(largura), _altura(altura)
    {
    }

    // Draws the lines in order, each in cor, whose alpha must be 255.
    void tracar(const QLine* linhas, std::size_t quantas, QRgb cor) const;
    void tracar(QPoint a, QPoint b, QRgb cor) const;

private:
    void ponto(int x, int y, QRgb cor) const
    {
        if (x >= 0 && y >= 0 && x < _largura && y < _altura)
            _pixels[static_cast<qsizetype>(y) * _porLinha + x] = cor;
    }

    QRgb* _pixels;
    qsizetype _porLinha;
    int _largura;
    int _altura;
};

#endif

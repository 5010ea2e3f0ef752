#ifndef LINHASEMPIXELS_H
#define LINHASEMPIXELS_H

#include <climits>
#include <cstddef>
#include <utility>

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
//
// A LinhasEmPixels may be limited to a band of the picture's rows, and sets no pixel outside it:
// every line is placed as on the whole picture, so that the bands of one picture make the same
// picture as one drawing of the whole.
//
// Lines of one colour may be drawn into one picture on several threads at once: each pixel is set by
// a relaxed atomic store (a plain store on the processors we run on), and threads that meet on a
// pixel set it to the same colour, as one thread would.
class LinhasEmPixels {
public:
    // A vertex of tracarArestas with no pixel: its edges are not drawn.
    static constexpr QPoint semPixel{INT_MIN, INT_MIN};

    // pixels: the first row of a picture largura × altura whose rows are pixelsPorLinha apart.
    LinhasEmPixels(QRgb* pixels, qsizetype pixelsPorLinha, int largura, int altura)
        : LinhasEmPixels(pixels, pixelsPorLinha, largura, altura, 0, altura)
    {
    }
    // The same, limited to the rows from primeiraLinha up to fimDasLinhas (not included).
    LinhasEmPixels(QRgb* pixels, qsizetype pixelsPorLinha, int largura, int altura, int primeiraLinha,
                   int fimDasLinhas)
        : _pixels(pixels), _porLinha(pixelsPorLinha), _largura(largura), _altura(altura),
          _primeiraLinha(primeiraLinha), _fimDasLinhas(fimDasLinhas)
    {
    }

    // Draws the lines in order, each in cor, whose alpha must be 255.
    void tracar(const QLine* linhas, std::size_t quantas, QRgb cor) const;
    void tracar(QPoint a, QPoint b, QRgb cor) const;
    // Draws in cor each edge (i, j) between vertices[i] and vertices[j], as tracar would draw the
    // line between them, unless either is semPixel or is not one of the quantosVertices vertices.
    // The edges of one colour may come in any order: they set the same pixels.
    void tracarArestas(const QPoint* vertices, std::size_t quantosVertices, const std::pair<int, int>* arestas,
                       std::size_t quantas, QRgb cor) const;

    // The same, many edges shared out over the cores, each edge drawn by one of them; returns when
    // all are drawn.
    void tracarArestasNosNucleos(const QPoint* vertices, std::size_t quantosVertices,
                                 const std::pair<int, int>* arestas, std::size_t quantas, QRgb cor) const;

private:
    void tracarUma(QPoint a, QPoint b, QRgb cor) const;
    // A line the table of short ones does not hold, or that a clip cuts.
    void tracarLonga(QPoint a, QPoint b, QRgb cor) const;
    // The same for one whose pixels all lie in the picture (and band), of two different ends.
    void tracarSemCorte(QPoint a, QPoint b, QRgb cor) const;
    void ponto(int x, int y, QRgb cor) const
    {
        if (x >= 0 && y >= _primeiraLinha && x < _largura && y < _fimDasLinhas)
            pintar(_pixels + static_cast<qsizetype>(y) * _porLinha + x, cor);
    }
    // Every pixel is set here.
    static void pintar(QRgb* pixel, QRgb cor) { __atomic_store_n(pixel, cor, __ATOMIC_RELAXED); }

    QRgb* _pixels;
    qsizetype _porLinha;
    int _largura;
    int _altura;
    int _primeiraLinha;
    int _fimDasLinhas;
};

#endif

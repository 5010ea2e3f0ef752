#include "linhasempixels.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "paralelo.h"

namespace {

// Cuts the line (a1, b1)–(a2, b2) to minimo ≤ a ≤ maximo, in the engine's own order and arithmetic,
// so that the cut ends fall on the same fixed-point values. False when nothing is left.
bool recortarNoEixo(double& a1, double& b1, double& a2, double& b2, double minimo, double maximo)
{
    if (a1 < minimo) {
        if (a2 <= minimo)
            return false;
        b1 += (b2 - b1) / (a2 - a1) * (minimo - a1);
        a1 = minimo;
    } else if (a1 > maximo) {
        if (a2 >= maximo)
            return false;
        b1 += (b2 - b1) / (a2 - a1) * (maximo - a1);
        a1 = maximo;
    }
    if (a2 < minimo) {
        b2 += (b2 - b1) / (a2 - a1) * (minimo - a2);
        a2 = minimo;
    } else if (a2 > maximo) {
        b2 += (b2 - b1) / (a2 - a1) * (maximo - a2);
        a2 = maximo;
    }
    return true;
}

// The pixels of a line along its longer axis a, from (a1, b1) to (a2, b2) in 26.6 fixed point with
// a2 ≠ a1: one per pixel centre of a between the ends, each end moved half a pixel outwards, b
// stepped in 16.16. pixel(a, b) sets one; only those with aMinimo ≤ a < aFim are asked for, the
// steps before them taken at once.
template <typename Pixel>
void aoLongo(int a1, int b1, int a2, int b2, int aMinimo, int aFim, Pixel pixel)
{
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const std::int64_t passo = std::int64_t(b2 - b1) * (1 << 16) / (a2 - a1);
    std::int64_t b = std::int64_t(b1) * (1 << 10);
    a1 -= 32;
    b -= passo >> 1;
    a2 += 32;
    int a = (a1 + 32) >> 6;
    const int ultimo = std::min((a2 + 32) >> 6, aFim);
    b += ((a * (1 << 6)) + (passo > 0 ? 32 : 0) - a1) * passo >> 6;
    if (a < aMinimo) {
        b += std::int64_t(aMinimo - a) * passo;
        a = aMinimo;
    }
    for (; a < ultimo; ++a) {
        pixel(a, static_cast<int>(b >> 16));
        b += passo;
    }
}

// The pixels of every short line, its ends at most curta apart along each axis, as offsets from its
// first end: a line between whole pixels is placed alike wherever it lies, when no clip cuts it (the
// fixed-point steps move with its ends by whole pixels). A model's edges are mostly that short, and a
// table spares them the setup of a line, a division among it.
class Curtas {
public:
    static constexpr int curta = 16;

    struct Forma {
        std::int8_t quantos = 0;
        std::int8_t x[curta + 1];
        std::int8_t y[curta + 1];
    };

    Curtas()
    {
        for (int dy = -curta; dy <= curta; ++dy) {
            for (int dx = -curta; dx <= curta; ++dx) {
                Forma& forma = _formas[indice(dx, dy)];
                const auto guardar = [&forma](int x, int y) {
                    forma.x[forma.quantos] = static_cast<std::int8_t>(x);
                    forma.y[forma.quantos] = static_cast<std::int8_t>(y);
                    ++forma.quantos;
                };
                if (dx == 0 && dy == 0)
                    guardar(0, 0);
                else if (std::abs(dx) < std::abs(dy))
                    aoLongo(0, 0, dy * 64, dx * 64, INT_MIN, INT_MAX, [&](int y, int x) { guardar(x, y); });
                else
                    aoLongo(0, 0, dx * 64, dy * 64, INT_MIN, INT_MAX, guardar);
            }
        }
    }

    // Null unless |dx| and |dy| are at most curta.
    const Forma* forma(int dx, int dy) const
    {
        if (dx < -curta || dx > curta || dy < -curta || dy > curta)
            return nullptr;
        return &_formas[indice(dx, dy)];
    }

private:
    static int indice(int dx, int dy) { return (dy + curta) * (2 * curta + 1) + dx + curta; }

    Forma _formas[(2 * curta + 1) * (2 * curta + 1)];
};

const Curtas curtas;

} // namespace

// Inline wherever lines are drawn one after another: most are short, and the call would cost as
// much as drawing one.
[[gnu::always_inline]] inline void LinhasEmPixels::tracarUma(QPoint a, QPoint b, QRgb cor) const
{
    const int xMinimo = std::min(a.x(), b.x());
    const int xMaximo = std::max(a.x(), b.x());
    const int yMinimo = std::min(a.y(), b.y());
    const int yMaximo = std::max(a.y(), b.y());
    // Every row a line sets lies within a row of its ends'.
    if (yMaximo < _primeiraLinha - 1 || yMinimo > _fimDasLinhas)
        return;
    // Ends within the picture grown by a pixel on each side are never cut.
    const Curtas::Forma* forma = nullptr;
    if (xMinimo >= -1 && yMinimo >= -1 && xMaximo <= _largura + 1 && yMaximo <= _altura + 1)
        forma = curtas.forma(b.x() - a.x(), b.y() - a.y());
    // Its pixels lie within a pixel of its ends' box.
    const bool longeDasBordas =
        xMinimo >= 1 && xMaximo < _largura - 1 && yMinimo >= _primeiraLinha + 1 && yMaximo < _fimDasLinhas - 1;
    if (forma == nullptr) {
        if (longeDasBordas)
            tracarSemCorte(a, b, cor);
        else
            tracarLonga(a, b, cor);
        return;
    }
    if (longeDasBordas) {
        QRgb* origem = _pixels + static_cast<qsizetype>(a.y()) * _porLinha + a.x();
        for (int i = 0; i < forma->quantos; ++i)
            pintar(origem + forma->y[i] * _porLinha + forma->x[i], cor);
    } else {
        for (int i = 0; i < forma->quantos; ++i)
            ponto(a.x() + forma->x[i], a.y() + forma->y[i], cor);
    }
}

void LinhasEmPixels::tracarLonga(QPoint a, QPoint b, QRgb cor) const
{
    double x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    // To the picture grown by a pixel on each side, x first.
    if (!recortarNoEixo(x1, y1, x2, y2, -1, _largura + 1) || !recortarNoEixo(y1, x1, y2, x2, -1, _altura + 1))
        return;
    const int fx1 = static_cast<int>(x1 * 64.);
    const int fy1 = static_cast<int>(y1 * 64.);
    const int fx2 = static_cast<int>(x2 * 64.);
    const int fy2 = static_cast<int>(y2 * 64.);
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1))
        aoLongo(fy1, fx1, fy2, fx2, _primeiraLinha, _fimDasLinhas, [&](int y, int x) { ponto(x, y, cor); });
    else if (fx2 != fx1)
        aoLongo(fx1, fy1, fx2, fy2, 0, _largura, [&](int x, int y) { ponto(x, y, cor); });
}

void LinhasEmPixels::tracarSemCorte(QPoint a, QPoint b, QRgb cor) const
{
    const int fx1 = a.x() * 64;
    const int fy1 = a.y() * 64;
    const int fx2 = b.x() * 64;
    const int fy2 = b.y() * 64;
    const auto pixel = [this, cor](int x, int y) { pintar(_pixels + static_cast<qsizetype>(y) * _porLinha + x, cor); };
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1))
        aoLongo(fy1, fx1, fy2, fx2, INT_MIN, INT_MAX, [&pixel](int y, int x) { pixel(x, y); });
    else
        aoLongo(fx1, fy1, fx2, fy2, INT_MIN, INT_MAX, pixel);
}

void LinhasEmPixels::tracar(QPoint a, QPoint b, QRgb cor) const
{
    tracarUma(a, b, cor);
}

void LinhasEmPixels::tracar(const QLine* linhas, std::size_t quantas, QRgb cor) const
{
    for (std::size_t i = 0; i < quantas; ++i)
        tracarUma(linhas[i].p1(), linhas[i].p2(), cor);
}

void LinhasEmPixels::tracarArestas(const QPoint* vertices, std::size_t quantosVertices,
                                   const std::pair<int, int>* arestas, std::size_t quantas, QRgb cor) const
{
    for (std::size_t k = 0; k < quantas; ++k) {
        // A negative index becomes too large.
        const auto i = static_cast<std::size_t>(static_cast<unsigned>(arestas[k].first));
        const auto j = static_cast<std::size_t>(static_cast<unsigned>(arestas[k].second));
        if (i >= quantosVertices || j >= quantosVertices)
            continue;
        const QPoint a = vertices[i];
        const QPoint b = vertices[j];
        if (a != semPixel && b != semPixel)
            tracarUma(a, b, cor);
    }
}

void LinhasEmPixels::tracarArestasNosNucleos(const QPoint* vertices, std::size_t quantosVertices,
                                             const std::pair<int, int>* arestas, std::size_t quantas,
                                             QRgb cor) const
{
    // A few long runs of edges for each thread: neighbouring edges of a model lie near each other,
    // and threads at work on far parts of it seldom share a line of the cache (runs of a few
    // thousand edges, drawn side by side, were slower than one thread's share).
    const std::size_t porBloco = std::max<std::size_t>(8192, (quantas + 4 * nucleos() - 1) / (4 * nucleos()));
    repartirEmBlocos(quantas, Divisao{porBloco, 20000}, [&](std::size_t, std::size_t inicio, std::size_t fim) {
        tracarArestas(vertices, quantosVertices, arestas + inicio, fim - inicio, cor);
    });
}

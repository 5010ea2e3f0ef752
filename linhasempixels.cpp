#include "linhasempixels.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

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
// stepped in 16.16. pixel(a, b) sets one.
template <typename Pixel>
void aoLongo(int a1, int b1, int a2, int b2, Pixel pixel)
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
    const int ultimo = (a2 + 32) >> 6;
    if (a == ultimo)
        return;
    b += ((a * (1 << 6)) + (passo > 0 ? 32 : 0) - a1) * passo >> 6;
    do {
        pixel(a, static_cast<int>(b >> 16));
        b += passo;
    } while (++a < ultimo);
}

} // namespace

void LinhasEmPixels::tracar(QPoint a, QPoint b, QRgb cor) const
{
    if (a == b) {
        ponto(a.x(), a.y(), cor);
        return;
    }
    double x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    // To the picture grown by a pixel on each side, x first.
    if (!recortarNoEixo(x1, y1, x2, y2, -1, _largura + 1) || !recortarNoEixo(y1, x1, y2, x2, -1, _altura + 1))
        return;
    const int fx1 = static_cast<int>(x1 * 64.);
    const int fy1 = static_cast<int>(y1 * 64.);
    const int fx2 = static_cast<int>(x2 * 64.);
    const int fy2 = static_cast<int>(y2 * 64.);
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1))
        aoLongo(fy1, fx1, fy2, fx2, [&](int y, int x) { ponto(x, y, cor); });
    else if (fx2 != fx1)
        aoLongo(fx1, fy1, fx2, fy2, [&](int x, int y) { ponto(x, y, cor); });
}

void LinhasEmPixels::tracar(const QLine* linhas, std::size_t quantas, QRgb cor) const
{
    for (std::size_t i = 0; i < quantas; ++i)
        tracar(linhas[i].p1(), linhas[i].p2(), cor);
}

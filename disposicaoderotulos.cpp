#include "disposicaoderotulos.h"

#include <algorithm>
#include <cstddef>

namespace {

// The rings of places tried round a point, each this many pixels farther out than the one before.
constexpr int aneis = 12;
constexpr int passoDoAnel = 8;
// The first ring's distance from the point.
constexpr int afastamento = 5;

// Whether caixa lies inside area, clear of ocupados and of the boxes of the first postos labels.
bool livre(const QRect& caixa, const QRect& area, const std::vector<QRect>& ocupados,
           const std::vector<RotuloNaTela>& rotulos, std::size_t postos)
{
    if (!area.contains(caixa))
        return false;
    const auto cruza = [&caixa](const QRect& r) { return r.intersects(caixa); };
    return std::none_of(ocupados.begin(), ocupados.end(), cruza)
           && std::none_of(rotulos.begin(), rotulos.begin() + static_cast<std::ptrdiff_t>(postos),
                           [&cruza](const RotuloNaTela& r) { return cruza(r.caixa); });
}

// The box of the size tamanho at distance g from p in the direction (dx, dy): beside p when dy is 0,
// centred over or under it when dx is 0, at a corner otherwise.
QRect caixaNaDirecao(QPoint p, QSize tamanho, int g, int dx, int dy)
{
    const int w = tamanho.width();
    const int h = tamanho.height();
    const int x = dx > 0 ? p.x() + g : dx < 0 ? p.x() - g - w : p.x() - w / 2;
    const int y = dy > 0 ? p.y() + g : dy < 0 ? p.y() - g - h : p.y() - h / 2;
    return QRect(x, y, w, h);
}

} // namespace

void disporRotulos(std::vector<RotuloNaTela>& rotulos, const QRect& area, const std::vector<QRect>& ocupados)
{
    for (RotuloNaTela& r : rotulos)
        r.caixa = QRect();
    // Its side first: above, beside and below it; then over and under the point; then the other side.
    static const int direcoes[8][2] = {{1, -1}, {1, 0}, {1, 1}, {0, -1}, {0, 1}, {-1, -1}, {-1, 0}, {-1, 1}};
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        RotuloNaTela& r = rotulos[i];
        const int lado = r.aEsquerda ? -1 : 1;
        for (int anel = 0; anel < aneis && r.caixa.isEmpty(); ++anel) {
            for (const auto& d : direcoes) {
                const QRect caixa = caixaNaDirecao(r.ancora, r.tamanho, afastamento + anel * passoDoAnel, d[0] * lado, d[1]);
                if (livre(caixa, area, ocupados, rotulos, i)) {
                    r.caixa = caixa;
                    break;
                }
            }
        }
    }
}

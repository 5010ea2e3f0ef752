#include <vector>

#include <QRect>

#include <gtest/gtest.h>

#include "disposicaoderotulos.h"

namespace {

RotuloNaTela pedido(const char* texto, QPoint ancora, bool aEsquerda = false)
{
    return {QString::fromUtf8(texto), ancora, QSize(60, 14), aEsquerda, QRect()};
}

} // namespace

// Labels of one point, and of points a few pixels apart. Catches a layout that checks a place only
// against the area or only against the reserved boxes (labels written over each other), and one
// that lets a label leave the area.
TEST(DisposicaoDeRotulos, RotulosDoMesmoPontoNaoSeSobrepoem)
{
    const QRect area(0, 0, 300, 200);
    const std::vector<QRect> ocupados{QRect(100, 40, 60, 20)};
    std::vector<RotuloNaTela> rotulos{pedido("COP", {100, 100}), pedido("Window", {100, 100}),
                                      pedido("Plano próximo", {102, 103}, true), pedido("DOP", {298, 100})};
    disporRotulos(rotulos, area, ocupados);
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        const QRect& a = rotulos[i].caixa;
        EXPECT_EQ(a.size(), rotulos[i].tamanho) << i;
        EXPECT_TRUE(area.contains(a)) << i;
        EXPECT_FALSE(a.intersects(ocupados[0])) << i;
        for (std::size_t j = i + 1; j < rotulos.size(); ++j)
            EXPECT_FALSE(a.intersects(rotulos[j].caixa)) << i << " and " << j;
    }
    // The first label takes the nearest place on its side: above and to the right of its point.
    EXPECT_EQ(rotulos[0].caixa.bottomLeft(), QPoint(105, 94));
    EXPECT_LT(rotulos[2].caixa.right(), 102) << "on the left, as asked";
}

// Catches a layout that writes a label anyway where it finds no free place (over the others, or
// out of the area), and one that keeps a box from an earlier layout.
TEST(DisposicaoDeRotulos, SemLugarLivreORotuloFicaDeFora)
{
    std::vector<RotuloNaTela> rotulos{pedido("COP", {50, 55}), pedido("Window", {50, 55})};
    rotulos[1].caixa = QRect(55, 36, 60, 14);
    // Room for one label only: the first place of the first.
    disporRotulos(rotulos, QRect(55, 36, 60, 14), {});
    EXPECT_FALSE(rotulos[0].caixa.isEmpty());
    EXPECT_TRUE(rotulos[1].caixa.isEmpty());

    disporRotulos(rotulos, QRect(0, 0, 50, 50), {});
    EXPECT_TRUE(rotulos[0].caixa.isEmpty()) << "wider than the area";
}

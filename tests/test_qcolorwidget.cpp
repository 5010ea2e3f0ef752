#include <QColor>
#include <QColorDialog>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogodecor.h"
#include "qcolorwidget.h"

namespace {

QImage pintura(QColorWidget& swatch)
{
    return swatch.grab().toImage();
}

QRgb pixel(const QImage& imagem, int x, int y)
{
    return imagem.pixelColor(x, y).rgb();
}

// A swatch shown on screen, so that it receives mouse events like the real one.
class AmostraDeCor : public ::testing::Test {
protected:
    void SetUp() override
    {
        swatch.resize(40, 24);
        swatch.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&swatch));
    }

    // Clicks with `botao`, answering the colour dialog with a pick of `cor`.
    bool escolher(const QColor& cor, Qt::MouseButton botao = Qt::LeftButton)
    {
        auto resposta = escolherCor(cor);
        QTest::mouseClick(&swatch, botao);
        return resposta->visto();
    }

    QColorWidget swatch{nullptr};
};

TEST_F(AmostraDeCor, ComecaPretoEPintaPretoDentroDeContornoPreto)
{
    EXPECT_EQ(swatch.color(), QColor(Qt::black));
    const QImage imagem = pintura(swatch);
    ASSERT_EQ(imagem.size(), QSize(40, 24));
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            ASSERT_EQ(pixel(imagem, x, y), qRgb(0, 0, 0)) << "at " << x << ", " << y;
}

TEST_F(AmostraDeCor, ContornoNosPixelsDaBordaECorEscolhidaNoResto)
{
    const QColor verde(30, 200, 90);
    ASSERT_TRUE(escolher(verde));
    for (const QSize tamanho : {QSize(40, 24), QSize(3, 3), QSize(101, 7)}) {
        swatch.resize(tamanho);
        const QImage imagem = pintura(swatch);
        const int w = tamanho.width();
        const int h = tamanho.height();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool borda = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                ASSERT_EQ(pixel(imagem, x, y), borda ? qRgb(0, 0, 0) : verde.rgb())
                    << w << "x" << h << " at " << x << ", " << y;
            }
        }
    }
}

TEST_F(AmostraDeCor, QualquerBotaoDoMouseEscolheUmaCor)
{
    QSignalSpy mudancas(&swatch, &QColorWidget::colorChanged);
    const struct {
        Qt::MouseButton botao;
        QColor cor;
    } casos[] = {{Qt::LeftButton, QColor(255, 0, 0)},
                 {Qt::MiddleButton, QColor(0, 128, 255)},
                 {Qt::RightButton, QColor(10, 20, 30)}};
    for (const auto& caso : casos) {
        ASSERT_TRUE(escolher(caso.cor, caso.botao)) << "no colour dialog for button " << caso.botao;
        EXPECT_EQ(swatch.color(), caso.cor);
        ASSERT_FALSE(mudancas.isEmpty());
        EXPECT_EQ(mudancas.takeLast().at(0).value<QColor>(), caso.cor);
        EXPECT_TRUE(mudancas.isEmpty());
        EXPECT_EQ(pixel(pintura(swatch), 20, 12), caso.cor.rgb());
    }
}

// Catches a dialog that starts anywhere but on the colour the swatch shows.
TEST_F(AmostraDeCor, DialogoAbreNaCorMostrada)
{
    ASSERT_TRUE(escolher(QColor(200, 0, 200)));
    QColor inicial;
    RespostaAoDialogoDeCor resposta([&inicial](QColorDialog* dialogo) {
        inicial = dialogo->currentColor();
        dialogo->reject();
    });
    QTest::mouseClick(&swatch, Qt::LeftButton);
    ASSERT_TRUE(resposta.visto());
    EXPECT_EQ(inicial, QColor(200, 0, 200));
}

TEST_F(AmostraDeCor, CancelarMantemACorMostradaESemAviso)
{
    const QColor azul(0, 0, 255);
    ASSERT_TRUE(escolher(azul));
    QSignalSpy mudancas(&swatch, &QColorWidget::colorChanged);

    auto resposta = cancelarCor();
    QTest::mouseClick(&swatch, Qt::LeftButton);
    ASSERT_TRUE(resposta->visto());

    EXPECT_EQ(swatch.color(), azul);
    EXPECT_TRUE(swatch.color().isValid());
    EXPECT_TRUE(mudancas.isEmpty());
    EXPECT_EQ(pixel(pintura(swatch), 20, 12), azul.rgb());
}

TEST_F(AmostraDeCor, CancelarAPrimeiraEscolhaMantemPreto)
{
    QSignalSpy mudancas(&swatch, &QColorWidget::colorChanged);
    auto resposta = cancelarCor();
    QTest::mouseClick(&swatch, Qt::RightButton);
    ASSERT_TRUE(resposta->visto());
    EXPECT_EQ(swatch.color(), QColor(Qt::black));
    EXPECT_TRUE(mudancas.isEmpty());
}

} // namespace

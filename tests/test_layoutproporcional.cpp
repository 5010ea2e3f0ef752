#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "janelaprincipal.h"
#include "mainwindow.h"
#include "poligono.h"
#include "qviewport.h"

namespace {

// The blue of the square in a grab of the canvas: its extent in pixels.
QRect azulEm(const QImage& imagem)
{
    QRect azul;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            if (imagem.pixel(x, y) == qRgb(0, 0, 255))
                azul |= QRect(x, y, 1, 1);
    return azul;
}

// Catches a canvas that keeps a fixed size while the window grows (the grey left empty), and a
// square drawn taller than wide in a wide window: the canvas takes the space in both directions,
// fitted to the camera window's proportions; unchecked, it fills the space and the square stretches.
TEST(ManterProporcao, QuadradoFicaQuadradoNumaJanelaLarga)
{
    MainWindow w;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1600, 1000);
    mostrada(w);
    adicionar(w, {new Poligono("q", Cor(0, 0, 255),
                               {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(5, 5, 0), Coordenada(-5, 5, 0)}, true)});
    QCoreApplication::processEvents();
    QViewport* canvas = canvasDe(w);
    auto* acao = w.findChild<QAction*>(QStringLiteral("actionManterProporcao"));
    ASSERT_NE(acao, nullptr);
    EXPECT_TRUE(acao->isChecked());
    EXPECT_EQ(acao->text(), QStringLiteral("Manter Proporção"));

    const QWidget* espaco = canvas->parentWidget();
    EXPECT_GT(canvas->height(), 800) << "the canvas grows with the window " << espaco->width() << "x" << espaco->height() << " canvas " << canvas->width() << "x" << canvas->height() << " janela " << w.width() << "x" << w.height();
    EXPECT_EQ(canvas->width(), canvas->height()) << "a square camera window";
    EXPECT_LE(std::abs(canvas->geometry().center().x() - espaco->width() / 2), 1);
    const QRect quadrado = azulEm(canvas->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_LE(std::abs(quadrado.width() - quadrado.height()), 1) << quadrado.width() << " × " << quadrado.height();

    acao->setChecked(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas->size(), espaco->size()) << "unchecked, the canvas fills its space";
    const QRect esticado = azulEm(canvas->grab().toImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(esticado.width(), esticado.height() + 100);
}

} // namespace

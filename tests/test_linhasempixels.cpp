#include <random>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPen>

#include <gtest/gtest.h>

#include "linhasempixels.h"

namespace {

QImage branca(int largura, int altura)
{
    QImage imagem(largura, altura, QImage::Format_ARGB32_Premultiplied);
    imagem.fill(Qt::white);
    return imagem;
}

LinhasEmPixels sobre(QImage& imagem)
{
    return LinhasEmPixels(reinterpret_cast<QRgb*>(imagem.bits()), imagem.bytesPerLine() / 4, imagem.width(),
                          imagem.height());
}

// Ends of every kind: near the picture, on and past its edges, far away, on one row or column,
// diagonal, of length zero or one.
QPoint ponta(std::mt19937& motor, int largura, int altura, QPoint outra)
{
    const auto entre = [&motor](int a, int b) { return std::uniform_int_distribution<int>(a, b)(motor); };
    switch (entre(0, 7)) {
    case 0:
        return QPoint(entre(-(1 << 24), 1 << 24), entre(-(1 << 24), 1 << 24));
    case 1:
        return QPoint(entre(-60, largura + 60), entre(-60, altura + 60));
    case 2:
        return outra + QPoint(entre(-1, 1), entre(-1, 1));
    case 3:
        return entre(0, 1) ? QPoint(outra.x(), entre(-3, altura + 3)) : QPoint(entre(-3, largura + 3), outra.y());
    case 4: {
        const int d = entre(-40, 40);
        return outra + QPoint(d, entre(0, 1) ? d : -d);
    }
    default:
        return QPoint(entre(-3, largura + 3), entre(-3, altura + 3));
    }
}

} // namespace

// Every pixel where the raster engine puts it: sizes with odd and even sides, down to one pixel,
// and each line checked on its own colour, so that an extra or a missing pixel shows at once.
TEST(LinhasEmPixels, PoeCadaPixelOndeOQPainterPoe)
{
    std::mt19937 motor(20261207);
    for (const QSize tamanho : {QSize(1, 1), QSize(2, 7), QSize(9, 4), QSize(33, 20), QSize(120, 77)}) {
        QImage esperada = branca(tamanho.width(), tamanho.height());
        QImage obtida = esperada;
        QPainter pintor(&esperada);
        const LinhasEmPixels linhas = sobre(obtida);
        for (int i = 0; i < 40000; ++i) {
            const QRgb cor = qRgb(i % 251, (i / 251) % 253, i % 7 * 30);
            const QPoint a = ponta(motor, tamanho.width(), tamanho.height(), QPoint(tamanho.width() / 2, 3));
            const QLine linha(a, ponta(motor, tamanho.width(), tamanho.height(), a));
            pintor.setPen(QPen(QColor(cor)));
            pintor.drawLines(&linha, 1);
            linhas.tracar(&linha, 1, cor);
            ASSERT_EQ(esperada, obtida) << "linha (" << linha.x1() << ", " << linha.y1() << ") → (" << linha.x2()
                                        << ", " << linha.y2() << ") em " << tamanho.width() << " × "
                                        << tamanho.height();
        }
    }
}

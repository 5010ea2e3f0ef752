#include <algorithm>
#include <random>
#include <utility>
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

// A picture drawn in bands of rows, each band drawing every line but setting only its own rows, and
// edges drawn between their vertices' pixels must be the picture of the lines drawn whole.
// Mutations caught: a band that sets a row past its own or misses one (its limits, the rows skipped
// along a steep line, a line passed over as lying outside the band, a short line's table used across
// a band's edge), an edge drawn to a vertex with no pixel or past the last vertex.
TEST(LinhasEmPixels, FaixasEArestasPoemOsPixelsDasLinhasInteiras)
{
    std::mt19937 motor(20261208);
    const int largura = 97;
    const int altura = 61;
    std::vector<QPoint> vertices;
    std::vector<std::pair<int, int>> arestas;
    std::vector<QLine> linhas;
    for (int i = 0; i < 3000; ++i) {
        const QPoint a = ponta(motor, largura, altura, vertices.empty() ? QPoint(40, 30) : vertices.back());
        vertices.push_back(a);
        vertices.push_back(ponta(motor, largura, altura, a));
        arestas.emplace_back(2 * i, 2 * i + 1);
        linhas.emplace_back(vertices[2 * i], vertices[2 * i + 1]);
    }
    // Vertices with no pixel, and indices that name no vertex, draw nothing.
    vertices.push_back(LinhasEmPixels::semPixel);
    arestas.emplace_back(0, static_cast<int>(vertices.size()) - 1);
    arestas.emplace_back(static_cast<int>(vertices.size()) - 1, 3);
    arestas.emplace_back(2, static_cast<int>(vertices.size()));
    arestas.emplace_back(-1, 4);
    const QRgb cor = qRgb(10, 120, 230);

    QImage inteira = branca(largura, altura);
    sobre(inteira).tracar(linhas.data(), linhas.size(), cor);

    QImage porArestas = branca(largura, altura);
    sobre(porArestas).tracarArestas(vertices.data(), vertices.size(), arestas.data(), arestas.size(), cor);
    EXPECT_EQ(porArestas, inteira);

    for (const int faixa : {1, 2, 3, 7, 20, 60}) {
        QImage emFaixas = branca(largura, altura);
        for (int inicio = 0; inicio < altura; inicio += faixa)
            LinhasEmPixels(reinterpret_cast<QRgb*>(emFaixas.bits()), emFaixas.bytesPerLine() / 4, largura, altura,
                           inicio, std::min(altura, inicio + faixa))
                .tracar(linhas.data(), linhas.size(), cor);
        EXPECT_EQ(emFaixas, inteira) << "faixas de " << faixa << " linhas";
    }

}

// A model's many edges, shared out over the cores, set the pixels one thread sets.
// Mutations caught: a share of the edges drawn from the wrong place, cut short or run past its end.
TEST(LinhasEmPixels, ArestasNosNucleosPoemOsPixelsDeUmaThread)
{
    std::mt19937 motor(20261207);
    const int largura = 640;
    const int altura = 480;
    const auto entre = [&motor](int a, int b) { return std::uniform_int_distribution<int>(a, b)(motor); };
    std::vector<QPoint> vertices;
    for (int i = 0; i < 100000; ++i)
        vertices.emplace_back(entre(-2, largura + 1), entre(-2, altura + 1));
    // Short edges, as a scan's, and more of them than one share holds, so that a lost share shows.
    std::vector<std::pair<int, int>> arestas;
    for (int i = 0; i < 200000; ++i) {
        const int a = entre(0, static_cast<int>(vertices.size()) - 1);
        const QPoint perto = vertices[static_cast<std::size_t>(a)] + QPoint(entre(-2, 2), entre(-2, 2));
        vertices.push_back(perto);
        arestas.emplace_back(a, static_cast<int>(vertices.size()) - 1);
    }
    const QRgb cor = qRgb(200, 40, 90);

    QImage umaThread = branca(largura, altura);
    sobre(umaThread).tracarArestas(vertices.data(), vertices.size(), arestas.data(), arestas.size(), cor);
    QImage nosNucleos = branca(largura, altura);
    sobre(nosNucleos).tracarArestasNosNucleos(vertices.data(), vertices.size(), arestas.data(), arestas.size(), cor);
    EXPECT_EQ(nosNucleos, umaThread);
}

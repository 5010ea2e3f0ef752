#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "geometria.h"
#include "objeto.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "qviewport.h"
#include "window.h"

namespace {

// An object of any fill level, described as an open polyline.
class ObjetoDeNivel : public Objeto {
public:
    ObjetoDeNivel(std::string nome, Cor cor, std::vector<Coordenada> coordenadas, char nivel)
        : Objeto(std::move(nome), cor, std::move(coordenadas), nivel)
    {
    }
    Objeto* clone() const override { return new ObjetoDeNivel(*this); }
    void descreverGeometria(Geometria& g) const override { g.polilinha(_coordenadas, false); }
    std::string nomeDoTipo() const override { return "Teste"; }
};

const QRgb branco = qRgb(255, 255, 255);
const QRgb preto = qRgb(0, 0, 0);
const QRgb vermelho = qRgb(255, 0, 0);
// What the target held before the canvas painted on it.
const QColor fundoAnterior(255, 0, 255);

// The default window on the 600 × 600 canvas maps (x, y) to (28x + 300, 300 − 28y).
class Canvas : public ::testing::Test {
protected:
    Canvas() : canvas(nullptr) { canvas.resize(600, 600); }

    void adicionar(Objeto* objeto)
    {
        canvas.displayFile()->listaDeObjetos.push_back(objeto);
        canvas.janela()->atualizarCPP(*canvas.displayFile());
    }

    // The canvas painted over a magenta image, with no window background of Qt's own.
    QImage pintar()
    {
        QImage imagem(600, 600, QImage::Format_RGB32);
        imagem.fill(fundoAnterior);
        canvas.render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
        return imagem;
    }

    // What the canvas draws before and after any object, drawn by hand.
    QImage molde()
    {
        QImage imagem(600, 600, QImage::Format_RGB32);
        imagem.fill(fundoAnterior);
        QPainter p(&imagem);
        p.fillRect(0, 0, 599, 599, Qt::white);
        return imagem;
    }
    static void moldura(QImage& imagem)
    {
        QPainter p(&imagem);
        p.setPen(Qt::black);
        p.drawRect(20, 20, 560, 560);
    }
    QImage emBranco()
    {
        QImage imagem = molde();
        moldura(imagem);
        return imagem;
    }
    static void cruz(QPainter& p, int x, int y)
    {
        p.drawLine(x - 2, y + 2, x + 2, y - 2);
        p.drawLine(x + 2, y + 2, x - 2, y - 2);
    }
    void rotulo(QPainter& p, int x, int y, const char* texto)
    {
        p.setFont(canvas.font());
        p.setPen(QColor(0, 0, 0));
        p.drawText(x, y, QString::fromUtf8(texto));
    }

    static int contarDiferentesDeBranco(const QImage& imagem, QRect area)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += imagem.pixel(x, y) != branco;
        return n;
    }

    QViewport canvas;
};

TEST_F(Canvas, FundoBrancoUmPixelMenorEMolduraNaMargem)
{
    const QImage imagem = pintar();
    EXPECT_EQ(imagem.pixel(0, 0), branco);
    EXPECT_EQ(imagem.pixel(598, 598), branco);
    EXPECT_EQ(imagem.pixel(300, 300), branco);
    // The last column and row are not the canvas's.
    EXPECT_EQ(imagem.pixel(599, 300), fundoAnterior.rgb());
    EXPECT_EQ(imagem.pixel(300, 599), fundoAnterior.rgb());
    EXPECT_EQ(imagem.pixel(599, 599), fundoAnterior.rgb());
    for (int i = 20; i <= 580; ++i) {
        ASSERT_EQ(imagem.pixel(i, 20), preto) << "top, x = " << i;
        ASSERT_EQ(imagem.pixel(i, 580), preto) << "bottom, x = " << i;
        ASSERT_EQ(imagem.pixel(20, i), preto) << "left, y = " << i;
        ASSERT_EQ(imagem.pixel(580, i), preto) << "right, y = " << i;
    }
    for (const QPoint& fora : {QPoint(19, 300), QPoint(21, 300), QPoint(579, 300), QPoint(581, 300),
                               QPoint(300, 19), QPoint(300, 21), QPoint(300, 579), QPoint(300, 581)})
        EXPECT_EQ(imagem.pixel(fora), branco) << fora.x() << ", " << fora.y();
    EXPECT_EQ(imagem, emBranco()) << "nothing but background and frame expected";
    // The painter is ended after each paint: a second paint comes out the same.
    EXPECT_EQ(pintar(), imagem);
}

TEST_F(Canvas, PoligonoPreenchidoNaCorComContornoVermelho)
{
    const Cor azul(0, 128, 255);
    adicionar(new Poligono("q", azul,
                           {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(5, 5, 0), Coordenada(-5, 5, 0)},
                           true));
    const QImage imagem = pintar();
    // The square spans columns and rows 160 to 440.
    for (const QPoint& borda : {QPoint(160, 300), QPoint(440, 300), QPoint(300, 160), QPoint(300, 440),
                                QPoint(160, 160), QPoint(440, 440)})
        EXPECT_EQ(imagem.pixel(borda), vermelho) << borda.x() << ", " << borda.y();
    for (const QPoint& dentro : {QPoint(300, 300), QPoint(161, 161), QPoint(439, 439), QPoint(200, 400)})
        EXPECT_EQ(imagem.pixel(dentro), azul.qcolor().rgb()) << dentro.x() << ", " << dentro.y();
    for (const QPoint& fora : {QPoint(159, 300), QPoint(441, 300), QPoint(300, 159), QPoint(300, 441)})
        EXPECT_EQ(imagem.pixel(fora), branco) << fora.x() << ", " << fora.y();

    // A red polygon is outlined in the same red: the pen never takes the object's colour.
    QImage esperado = molde();
    {
        QPainter p(&esperado);
        p.setPen(QColor(255, 0, 0));
        p.setBrush(azul.qcolor());
        const QPointF pontos[] = {{160, 440}, {440, 440}, {440, 160}, {160, 160}};
        p.drawPolygon(pontos, 4, Qt::OddEvenFill);
    }
    moldura(esperado);
    EXPECT_EQ(imagem, esperado);
}

TEST_F(Canvas, PoligonoCruzadoPreencheParImpar)
{
    // A pentagram: its inner pentagon is wound twice, and the even-odd rule leaves it empty.
    const Cor verde(0, 160, 0);
    std::vector<Coordenada> estrela;
    for (int k = 0; k < 5; ++k) {
        const double angulo = (90 + 144 * k) * std::acos(-1.0) / 180;
        estrela.emplace_back(8 * std::cos(angulo), 8 * std::sin(angulo), 0);
    }
    adicionar(new Poligono("estrela", verde, estrela, true));
    const QImage imagem = pintar();
    EXPECT_EQ(imagem.pixel(300, 300), branco) << "centre, covered twice";
    EXPECT_EQ(imagem.pixel(300, 132), verde.qcolor().rgb()) << "top point (0, 6), covered once";
}

TEST_F(Canvas, PontoEUmaCruzDiagonalDeQuatroPixels)
{
    const Cor verde(0, 160, 0);
    adicionar(new Ponto("p", verde, Coordenada(-5, 5, 0))); // pixel (160, 160)
    const QImage imagem = pintar();
    const QRgb cor = verde.qcolor().rgb();
    for (const QPoint& ponta : {QPoint(158, 162), QPoint(162, 158), QPoint(162, 162), QPoint(158, 158),
                                QPoint(160, 160), QPoint(159, 161), QPoint(161, 161)})
        EXPECT_EQ(imagem.pixel(ponta), cor) << ponta.x() << ", " << ponta.y();
    for (const QPoint& alem : {QPoint(157, 163), QPoint(163, 157), QPoint(163, 163), QPoint(157, 157),
                               QPoint(160, 158), QPoint(158, 160)})
        EXPECT_EQ(imagem.pixel(alem), branco) << alem.x() << ", " << alem.y();
    // Nine pixels on each diagonal minus the shared centre: the cross and nothing else.
    EXPECT_EQ(contarDiferentesDeBranco(imagem, QRect(100, 100, 120, 120)), 9);
}

TEST_F(Canvas, PolilinhaQuebradaDesenhaSoOsPedacos)
{
    // Two edges, A–B and C–D: the drawing list is A, B, null, C, D, and nothing joins B to C.
    const Cor cor(200, 100, 0);
    adicionar(new Objeto3D("arestas", cor,
                           {Coordenada(-8, -4, 0), Coordenada(-2, -4, 0), Coordenada(2, 4, 0), Coordenada(8, 4, 0)},
                           {{0, 1}, {2, 3}}));
    const QImage imagem = pintar();

    QImage esperado = molde();
    {
        QPainter p(&esperado);
        p.setPen(cor.qcolor());
        p.drawLine(76, 412, 244, 412);
        p.drawLine(356, 188, 524, 188);
    }
    moldura(esperado);
    EXPECT_EQ(imagem, esperado);
    EXPECT_EQ(imagem.pixel(300, 300), branco) << "the gap B–C must stay empty";
}

TEST_F(Canvas, PolilinhaQuebradaComCoordenadasNaoMarcaOCentro)
{
    const Cor cor(200, 100, 0);
    adicionar(new Objeto3D("arestas", cor,
                           {Coordenada(-8, -4, 0), Coordenada(-2, -4, 0), Coordenada(2, 4, 0), Coordenada(8, 4, 0)},
                           {{0, 1}, {2, 3}}));
    canvas.showCoordinates(true);
    const QImage imagem = pintar();
    // The break maps to the centre of the canvas; no cross may appear there.
    EXPECT_EQ(contarDiferentesDeBranco(imagem, QRect(290, 290, 21, 21)), 0);
    // The four real points do get their crosses (lower-left ends, clear of the labels).
    for (const QPoint& p : {QPoint(76, 412), QPoint(244, 412), QPoint(356, 188), QPoint(524, 188)})
        EXPECT_EQ(imagem.pixel(p.x() - 2, p.y() + 2), cor.qcolor().rgb()) << p.x() << ", " << p.y();
}

TEST_F(Canvas, RotuloDeCadaCoordenadaComSeisAlgarismos)
{
    const Cor azul(0, 0, 255);
    adicionar(new Ponto("a", azul, Coordenada(1.5, -2, 0)));                 // pixel (342, 356)
    // At z = 100 the projection divides x and y by 11: (0.1234567, 1e-05, 100) on the plane.
    adicionar(new Ponto("b", azul, Coordenada(1.3580237, 0.00011, 100)));  // pixel (303, 300)
    canvas.showCoordinates(true);
    const QImage imagem = pintar();

    QImage esperado = molde();
    {
        QPainter p(&esperado);
        p.setPen(azul.qcolor());
        cruz(p, 342, 356);
        rotulo(p, 342, 356, "(1.5, -2, 0)");
        p.setPen(azul.qcolor());
        cruz(p, 342, 356);
        p.setPen(azul.qcolor());
        cruz(p, 303, 300);
        rotulo(p, 303, 300, "(0.123457, 1e-05, 100)");
        p.setPen(azul.qcolor());
        cruz(p, 303, 300);
    }
    moldura(esperado);
    EXPECT_EQ(imagem, esperado);
    // And the text is really there: black pixels to the right of the first point, above its baseline.
    int pretos = 0;
    for (int y = 340; y <= 356; ++y)
        for (int x = 345; x <= 420; ++x)
            pretos += imagem.pixel(x, y) == preto;
    EXPECT_GT(pretos, 20);
}

TEST_F(Canvas, PoligonoComRotulosDesenhaFormaRotulosEMarcasNessaOrdem)
{
    const Cor amarelo(230, 200, 0);
    adicionar(new Poligono("t", amarelo, {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(0, 5, 0)}, true));
    canvas.showCoordinates(true);
    const QImage imagem = pintar();

    QImage esperado = molde();
    {
        QPainter p(&esperado);
        p.setPen(QColor(255, 0, 0));
        p.setBrush(amarelo.qcolor());
        const QPointF pontos[] = {{160, 440}, {440, 440}, {300, 160}};
        p.drawPolygon(pontos, 3, Qt::OddEvenFill);
        p.setBrush(Qt::NoBrush);
        rotulo(p, 160, 440, "(-5, -5, 0)");
        rotulo(p, 440, 440, "(5, -5, 0)");
        rotulo(p, 300, 160, "(0, 5, 0)");
        p.setPen(amarelo.qcolor());
        cruz(p, 160, 440);
        cruz(p, 440, 440);
        cruz(p, 300, 160);
    }
    moldura(esperado);
    EXPECT_EQ(imagem, esperado);
}

TEST_F(Canvas, NivelDoisComDuasCoordenadasSoGanhaRotulosEMarcas)
{
    const Cor cor(0, 0, 200);
    adicionar(new ObjetoDeNivel("dois", cor, {Coordenada(-5, 0, 0), Coordenada(5, 0, 0)}, 2));
    EXPECT_EQ(pintar(), emBranco()) << "no polygon of two points";

    canvas.showCoordinates(true);
    const QImage imagem = pintar();
    EXPECT_EQ(imagem.pixel(300, 300), branco);
    EXPECT_EQ(imagem.pixel(158, 302), cor.qcolor().rgb());
    EXPECT_EQ(imagem.pixel(438, 302), cor.qcolor().rgb());
    EXPECT_GT(contarDiferentesDeBranco(imagem, QRect(163, 285, 80, 15)), 20) << "label of (-5, 0, 0)";
}

TEST_F(Canvas, DesligarCoordenadasTiraRotulosEMarcas)
{
    adicionar(new Poligono("t", Cor(230, 200, 0), {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(0, 5, 0)},
                           true));
    const QImage semCoordenadas = pintar();
    canvas.showCoordinates(true);
    EXPECT_NE(pintar(), semCoordenadas);
    canvas.showCoordinates(false);
    EXPECT_EQ(pintar(), semCoordenadas);
}

TEST_F(Canvas, CameraMuitoAproximadaNaoPoeRotulosDistantesNoCanvas)
{
    // 2e-6 wide: (10, 0) lands about 2.8e9 pixels to the right, beyond any int.
    canvas.janela()->escala(1e-7);
    adicionar(new Ponto("longe", Cor(0, 0, 200), Coordenada(10, 0, 0)));
    adicionar(new Ponto("longe", Cor(0, 0, 200), Coordenada(-10, -10, 0)));
    canvas.showCoordinates(true);
    EXPECT_EQ(pintar(), emBranco());
}

TEST_F(Canvas, PintaAoReceberOEventoDePintura)
{
    canvas.show();
    const QImage tela = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(tela.size(), QSize(600, 600));
    EXPECT_EQ(tela.pixel(300, 300), branco);
    EXPECT_EQ(tela.pixel(20, 300), preto);
}

} // namespace

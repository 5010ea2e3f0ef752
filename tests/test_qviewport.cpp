#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "bezier.h"
#include "displayfile.h"
#include "geometria.h"
#include "janelaprincipal.h"
#include "lencol.h"
#include "objeto.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "qviewport.h"
#include "reta.h"
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
    // Whenever labels are shown, which coordinates they write, in the margin under the frame.
    void legenda(QImage& imagem, bool mundo = false)
    {
        QPainter p(&imagem);
        p.setFont(canvas.font());
        p.setPen(QColor(0, 0, 0));
        p.drawText(QRect(20, 581, 560, 18), Qt::AlignLeft | Qt::AlignVCenter, QViewport::legendaDosRotulos(mundo));
    }
    static void cruz(QPainter& p, int x, int y)
    {
        p.drawLine(x - 2, y + 2, x + 2, y - 2);
        p.drawLine(x + 2, y + 2, x - 2, y - 2);
    }
    // Text with its baseline starting at (x, y), on the light box of the font's full height.
    void rotulo(QPainter& p, int x, int y, const char* texto)
    {
        p.setFont(canvas.font());
        const QString s = QString::fromUtf8(texto);
        const QFontMetrics medidas = p.fontMetrics();
        p.fillRect(QRect(x, y - medidas.ascent(), medidas.horizontalAdvance(s), medidas.height()),
                   QViewport::fundoDeRotulo);
        p.setPen(QColor(0, 0, 0));
        p.drawText(x, y, s);
    }
    // The picture of one point of this colour at pixel (x, y) with this label.
    QImage pontoComRotulo(const Cor& cor, int x, int y, const char* texto)
    {
        QImage imagem = molde();
        {
            QPainter p(&imagem);
            p.setPen(cor.qcolor());
            cruz(p, x, y);
            rotulo(p, x, y, texto);
            p.setPen(cor.qcolor());
            cruz(p, x, y);
        }
        moldura(imagem);
        legenda(imagem, canvas.coordenadasDoMundo());
        return imagem;
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

// Lines of consecutive objects of one colour are drawn in one call. Mutations caught: lines kept
// back past a filled polygon that comes after them (they would end on top of it), and lines of
// another colour joined to the waiting ones (they would take one pen, or the wrong order).
TEST_F(Canvas, LinhasJuntasPorCorGuardamAOrdemDaCena)
{
    const Cor vermelha(200, 0, 0);
    const Cor azul(0, 0, 200);
    const Cor verde(0, 160, 0);
    adicionar(new Reta("a", vermelha, Coordenada(-8, 0, 0), Coordenada(8, 0, 0)));
    adicionar(new Reta("b", azul, Coordenada(0, -8, 0), Coordenada(0, 8, 0)));
    adicionar(new Reta("c", vermelha, Coordenada(-8, -8, 0), Coordenada(8, 8, 0)));
    adicionar(new Poligono("q", verde,
                           {Coordenada(-4, -4, 0), Coordenada(4, -4, 0), Coordenada(4, 4, 0), Coordenada(-4, 4, 0)},
                           true));
    adicionar(new Reta("d", vermelha, Coordenada(-8, 2, 0), Coordenada(8, 2, 0)));
    const QImage imagem = pintar();

    QImage esperado = molde();
    {
        QPainter p(&esperado);
        p.setPen(vermelha.qcolor());
        p.drawLine(76, 300, 524, 300);
        p.setPen(azul.qcolor());
        p.drawLine(300, 524, 300, 76);
        p.setPen(vermelha.qcolor());
        p.drawLine(76, 524, 524, 76);
        p.setPen(QColor(255, 0, 0));
        p.setBrush(verde.qcolor());
        const QPointF quadrado[] = {{188, 412}, {412, 412}, {412, 188}, {188, 188}};
        p.drawPolygon(quadrado, 4, Qt::OddEvenFill);
        p.setPen(vermelha.qcolor());
        p.drawLine(76, 244, 524, 244);
    }
    moldura(esperado);
    EXPECT_EQ(imagem, esperado);
    EXPECT_EQ(imagem.pixel(350, 300), verde.qcolor().rgb()) << "a under the square";
    EXPECT_EQ(imagem.pixel(350, 244), vermelha.qcolor().rgb()) << "d over the square";
}

// A large wireframe is drawn by its vertices, in bands of rows on every core, straight into the
// kept picture, and through the painter's lines on any other surface: both must set the pixels of
// the segments of its drawing list, drawn after the object before it and before the one after it.
// Mutations caught: a vertex's pixel taken from the wrong own coordinate, a cut edge's piece left
// out or drawn between its vertices, an edge to a vertex outside the window drawn, a band boundary
// that drops or repeats rows, the lines waiting in the lot drawn after the wireframe.
TEST_F(Canvas, MalhaGrandeSaiComoOsSegmentosDoSeuDesenho)
{
    const Cor vermelha(200, 0, 0);
    const Cor azul(0, 0, 200);
    adicionar(new Reta("antes", vermelha, Coordenada(-8, -8, 0), Coordenada(8, 8, 0)));
    adicionar(lencol(Cor(0, 90, 0)));
    adicionar(new Reta("depois", azul, Coordenada(-8, 8, 0), Coordenada(8, -8, 0)));
    canvas.janela()->rodar(5, -20, 3);
    canvas.janela()->mover(0.05, 0, 0.1);

    QImage esperado = molde();
    {
        QPainter p(&esperado);
        const Viewport::Mapeamento mapa = canvas.mapeamento();
        const Window* janela = canvas.janela();
        const DisplayFile projecao = janela->coordenadasDePlanoDeProjecao();
        for (const Objeto* copia : projecao.listaDeObjetos) {
            p.setPen(copia->cor().qcolor());
            const std::vector<Coordenada> d(copia->inicioDoDesenho(janela), copia->fimDoDesenho(janela));
            for (std::size_t i = 0; i + 1 < d.size(); ++i) {
                if (d[i].isNull() || d[i + 1].isNull())
                    continue;
                const Coordenada a = mapa.aplicar(d[i]);
                const Coordenada b = mapa.aplicar(d[i + 1]);
                p.drawLine(static_cast<int>(a.x()), static_cast<int>(a.y()), static_cast<int>(b.x()),
                           static_cast<int>(b.y()));
            }
        }
    }
    moldura(esperado);
    EXPECT_EQ(pintar(), esperado);

    // Exported, the picture is drawn by the painter; the strip past the background keeps the
    // surface's own colour there.
    QImage exportada = canvas.imagem(QSize(600, 600));
    QImage esperadaExportada = esperado;
    {
        QPainter p(&esperadaExportada);
        p.fillRect(599, 0, 1, 600, canvas.palette().color(canvas.backgroundRole()));
        p.fillRect(0, 599, 600, 1, canvas.palette().color(canvas.backgroundRole()));
    }
    EXPECT_EQ(exportada.convertToFormat(QImage::Format_RGB32), esperadaExportada);
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
    // At z = 100 the projection divides x and y by 11: (0.1234567, 3e-05, 100) on the plane, where
    // 3e-05 is above the noise of a window 20 wide.
    adicionar(new Ponto("b", azul, Coordenada(1.3580237, 0.00033, 100)));  // pixel (303, 300)
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
        rotulo(p, 303, 300, "(0.123457, 3e-05, 100)");
        p.setPen(azul.qcolor());
        cruz(p, 303, 300);
    }
    moldura(esperado);
    legenda(esperado);
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
    legenda(esperado);
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
    QImage esperado = emBranco();
    legenda(esperado);
    EXPECT_EQ(pintar(), esperado);
}

TEST_F(Canvas, RuidoDeArredondamentoSaiComoZero)
{
    const Cor azul(0, 0, 255);
    // x as a turn there and back leaves 0.
    adicionar(new Ponto("p", azul, Coordenada(2.13163e-14, 4, 0))); // pixel (300, 188)
    canvas.showCoordinates(true);
    EXPECT_EQ(pintar(), pontoComRotulo(azul, 300, 188, "(0, 4, 0)"));
    // The window is 20 wide: noise ends at 2e-05.
    EXPECT_EQ(canvas.numero(-1.9e-5), "0");
    EXPECT_EQ(canvas.numero(2.1e-5), "2.1e-05");
    ASSERT_TRUE(canvas.janela()->escala(1000));
    EXPECT_EQ(canvas.numero(0.019), "0");
}

TEST_F(Canvas, RotuloSobreOutroJaDesenhadoEPulado)
{
    const Cor azul(0, 0, 255);
    adicionar(new Ponto("perto", azul, Coordenada(1, 1, 0)));
    // At z = 100 the projection divides by 11: the same pixel (328, 272), a longer label.
    adicionar(new Ponto("longe", azul, Coordenada(11, 11, 100)));
    canvas.showCoordinates(true);
    EXPECT_EQ(pintar(), pontoComRotulo(azul, 328, 272, "(1, 1, 0)"));
}

// Mutations caught: world-coordinate labels that write the projected point (the far point of the
// same pixel would read (1, 1, 100)), or a legend that does not follow the switch.
TEST_F(Canvas, RotuloEmCoordenadasDoMundoDesfazAProjecao)
{
    const Cor azul(0, 0, 255);
    adicionar(new Ponto("longe", azul, Coordenada(11, 11, 100)));
    canvas.showCoordinates(true);
    canvas.mostrarCoordenadasDoMundo(true);
    EXPECT_EQ(pintar(), pontoComRotulo(azul, 328, 272, "(11, 11, 100)"));
    canvas.mostrarCoordenadasDoMundo(false);
    EXPECT_EQ(pintar(), pontoComRotulo(azul, 328, 272, "(1, 1, 100)"));
}

TEST_F(Canvas, RotuloLegivelSobrePreenchimentoEscuroDesenhadoDepois)
{
    adicionar(new Ponto("dentro", Cor(0, 0, 0), Coordenada(0, 0, 0))); // pixel (300, 300)
    adicionar(new Poligono("breu", Cor(0, 0, 0),
                           {Coordenada(-8, -8, 0), Coordenada(8, -8, 0), Coordenada(8, 8, 0), Coordenada(-8, 8, 0)},
                           true));
    canvas.showCoordinates(true);
    const QImage imagem = pintar();
    // Behind "(0, 0, 0)", above its baseline: light where the text is not, dark where it is.
    const int largura = QFontMetrics(canvas.font()).horizontalAdvance(QStringLiteral("(0, 0, 0)"));
    int claros = 0;
    int escuros = 0;
    for (int y = 300 - QFontMetrics(canvas.font()).ascent(); y < 300; ++y)
        for (int x = 306; x < 300 + largura; ++x) {
            claros += qGray(imagem.pixel(x, y)) >= 200;
            escuros += qGray(imagem.pixel(x, y)) < 60;
        }
    EXPECT_GT(claros, 3 * escuros);
    EXPECT_GT(escuros, 10);
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

namespace {

// The canvas alone, shown, driven by real mouse and wheel events.
class MouseNoCanvas : public Canvas {
protected:
    void SetUp() override
    {
        canvas.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    }

    // Where a world point is drawn now, in pixels.
    QPointF pixelDe(const Coordenada& mundo)
    {
        DisplayFile cena;
        cena.listaDeObjetos.push_back(new Ponto("p", Cor(), mundo));
        Window camera = *canvas.janela();
        camera.atualizarCPP(cena);
        const DisplayFile projecao = camera.coordenadasDePlanoDeProjecao();
        const Coordenada p = canvas.windowToViewport(*projecao.listaDeObjetos.at(0)->inicioDasCoordenadas());
        return QPointF(p.x(), p.y());
    }

    void arrastar(Qt::MouseButton botao, QPoint de, QPoint ate)
    {
        QTest::mousePress(&canvas, botao, {}, de);
        // In steps, as a hand moves: the camera follows each one.
        QTest::mouseMove(&canvas, de + (ate - de) / 3);
        QTest::mouseMove(&canvas, ate);
        QTest::mouseRelease(&canvas, botao, {}, ate);
    }

    void rodaDoMouse(QPoint onde, int angulo, Qt::KeyboardModifiers modificadores = {})
    {
        QWheelEvent evento(QPointF(onde), canvas.mapToGlobal(QPointF(onde)), QPoint(), QPoint(0, angulo), Qt::NoButton,
                           modificadores, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &evento);
    }
};

TEST_F(MouseNoCanvas, ArrastarComOBotaoEsquerdoLevaAFiguraComOCursor)
{
    const Coordenada ponto(5, 5, 0); // pixel (440, 160)
    ASSERT_EQ(pixelDe(ponto), QPointF(440, 160));
    arrastar(Qt::LeftButton, QPoint(300, 300), QPoint(347, 271));
    EXPECT_EQ(pixelDe(ponto), QPointF(487, 131));
    // A point off the window plane moves too, in the same direction.
    EXPECT_GT(pixelDe(Coordenada(0, 0, 10)).x(), 300);
}

TEST_F(MouseNoCanvas, RodaAproximaEmTornoDoPontoSobOCursor)
{
    const Coordenada ponto(5, 5, 0);
    rodaDoMouse(QPoint(440, 160), 120);
    EXPECT_TRUE(pertoDe(canvas.janela()->viewRightVector().modulo(), 18));
    EXPECT_EQ(pixelDe(ponto), QPointF(440, 160));
    // Elsewhere the picture grows away from the cursor.
    EXPECT_LT(pixelDe(Coordenada(0, 0, 0)).x(), 300);
    // A notch back undoes it.
    rodaDoMouse(QPoint(440, 160), -120);
    EXPECT_TRUE(pertoDe(canvas.janela()->viewRightVector().modulo(), 20, 1e-12));
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, 0, 1e-12));
}

TEST_F(MouseNoCanvas, ShiftRodaDaUmPassoComoIEO)
{
    rodaDoMouse(QPoint(440, 160), 120, Qt::ShiftModifier);
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, 2));
    EXPECT_TRUE(pertoDe(canvas.janela()->viewRightVector().modulo(), 20));
    rodaDoMouse(QPoint(100, 100), -240, Qt::ShiftModifier);
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, -2));
}

TEST_F(MouseNoCanvas, ArrastarComOBotaoDireitoGiraACamera)
{
    // 40 pixels to the right turn about v̂ by 40 steps of the fixed fraction of a degree.
    arrastar(Qt::RightButton, QPoint(300, 300), QPoint(340, 300));
    Window esperada(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    esperada.rodar(0, 40 * QViewport::grausPorPixel, 0);
    EXPECT_TRUE(mesmoVetor(canvas.janela()->direcaoDeVisao(), esperada.direcaoDeVisao().x(),
                           esperada.direcaoDeVisao().y(), esperada.direcaoDeVisao().z(), 1e-12));
    EXPECT_GT(canvas.janela()->direcaoDeVisao().x(), 0) << "dragging right turns n toward û";
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, 0));

    // Downwards turns about û, v̂ toward n.
    arrastar(Qt::RightButton, QPoint(300, 300), QPoint(300, 340));
    EXPECT_LT(canvas.janela()->direcaoDeVisao().y(), 0);
    EXPECT_GT(canvas.janela()->viewUpVector().z(), 0);
}

TEST_F(MouseNoCanvas, CliqueSemArrastarNaoMexeNaCamera)
{
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(&canvas, QPoint(301, 301));
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(301, 301));
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, 0, 0));
}

} // namespace

namespace {

// A point, a segment, a curve and a filled square with a segment drawn over it.
class EscolhaNoCanvas : public MouseNoCanvas {
protected:
    void SetUp() override
    {
        MouseNoCanvas::SetUp();
        adicionar(ponto = new Ponto("p", Cor(0, 0, 200), Coordenada(-5, 5, 0)));             // (160, 160)
        adicionar(reta = new Reta("r", Cor(0, 0, 200), Coordenada(-8, -4, 0), Coordenada(8, -4, 0))); // row 412
        // Apex (0, 6): pixel (300, 132).
        adicionar(curva = new Bezier("c", Cor(0, 0, 200), {Coordenada(-8, 0, 0), Coordenada(-4, 8, 0),
                                                           Coordenada(4, 8, 0), Coordenada(8, 0, 0)}));
        // Columns and rows 356 to 468 on x, 300 to 412 on y.
        adicionar(quadrado = new Poligono("q", Cor(0, 200, 0), {Coordenada(2, -4, 0), Coordenada(6, -4, 0),
                                                                Coordenada(6, 0, 0), Coordenada(2, 0, 0)},
                                          true));
        // Column 440, across the square.
        adicionar(porCima = new Reta("s", Cor(0, 0, 200), Coordenada(5, -6, 0), Coordenada(5, 2, 0)));
        QObject::connect(&canvas, &QViewport::objetoClicado, [this](Objeto* o) {
            clicado = o;
            ++cliques;
        });
    }

    Objeto* clicar(QPoint onde)
    {
        clicado = reinterpret_cast<Objeto*>(&cliques);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, onde);
        return clicado;
    }

    Objeto* ponto = nullptr;
    Objeto* reta = nullptr;
    Objeto* curva = nullptr;
    Objeto* quadrado = nullptr;
    Objeto* porCima = nullptr;
    Objeto* clicado = nullptr;
    int cliques = 0;
};

TEST_F(EscolhaNoCanvas, CliqueEscolheODesenhadoACincoPixelsOuMenos)
{
    EXPECT_EQ(clicar(QPoint(164, 163)), ponto) << "5 pixels from the marker";
    EXPECT_EQ(clicar(QPoint(160, 167)), nullptr) << "7 pixels from the marker";
    EXPECT_EQ(clicar(QPoint(200, 416)), reta);
    EXPECT_EQ(clicar(QPoint(300, 135)), curva) << "near the curve's apex, far from its control points";
    EXPECT_EQ(clicar(QPoint(300, 200)), nullptr) << "inside the curve's bow, which is not filled";
    EXPECT_EQ(clicar(QPoint(380, 330)), quadrado) << "inside the filled square";
    EXPECT_EQ(clicar(QPoint(441, 350)), porCima) << "on the segment drawn over the square";
    EXPECT_EQ(clicar(QPoint(444, 350)), quadrado) << "beside that segment, inside the square";
    EXPECT_EQ(clicar(QPoint(473, 350)), quadrado) << "5 pixels right of the square";
    EXPECT_EQ(clicar(QPoint(300, 300)), nullptr);
    EXPECT_EQ(cliques, 10);
    EXPECT_TRUE(mesmoPonto(canvas.janela()->centro(), 0, 0, 0, 0)) << "clicks do not move the camera";
}

TEST_F(EscolhaNoCanvas, SelecionadoApareceDestacadoEDeixaDeAparecer)
{
    const QImage antes = pintar();
    ASSERT_EQ(antes.pixel(200, 413), branco);
    canvas.selecionar(reta);
    const QImage destacada = pintar();
    // A wider line, and a square with a black edge on each end.
    EXPECT_EQ(destacada.pixel(200, 413), Cor(0, 0, 200).qcolor().rgb());
    EXPECT_EQ(destacada.pixel(200, 411), Cor(0, 0, 200).qcolor().rgb());
    const auto pretos = [](const QImage& imagem) {
        int n = 0;
        for (int y = 406; y <= 418; ++y)
            for (int x = 70; x <= 82; ++x)
                n += imagem.pixel(x, y) == preto;
        return n;
    };
    EXPECT_GT(pretos(destacada), 0) << "square at (76, 412)";
    EXPECT_EQ(pretos(antes), 0);
    // Other objects are drawn as before.
    EXPECT_EQ(destacada.copy(140, 140, 40, 40), antes.copy(140, 140, 40, 40));

    canvas.selecionar(quadrado);
    EXPECT_NE(pintar(), destacada);
    canvas.selecionar(nullptr);
    EXPECT_EQ(pintar(), antes);
}

} // namespace

#include <cmath>
#include <cstdlib>
#include <vector>

#include <QAction>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include "arquivodecena.h"
#include "displayfile.h"
#include "disposicaoderotulos.h"
#include "janelaprincipal.h"
#include "poligono.h"
#include "ponto.h"
#include "projetor.h"
#include "qviewport.h"
#include "projecao.h"
#include "reta.h"
#include "vistaexterna.h"
#include "vetor.h"
#include "window.h"

namespace {

// Where the outside view puts a world point.
QPoint pixelDe(const VistaExterna& vista, const Coordenada& p)
{
    std::vector<Coordenada> ppc;
    vista.janela()->projetor().projetarCoordenadas({p}, ppc);
    EXPECT_EQ(ppc.size(), 1u);
    if (ppc.empty())
        return QPoint(-1, -1);
    const Coordenada pixel = vista.mapeamento().aplicar(ppc[0]);
    return QPoint(static_cast<int>(pixel.x()), static_cast<int>(pixel.y()));
}

// Whether a pixel of that colour lies within raio pixels of centro.
bool temCorPerto(const QImage& imagem, QPoint centro, QColor cor, int raio)
{
    for (int dy = -raio; dy <= raio; ++dy)
        for (int dx = -raio; dx <= raio; ++dx) {
            const QPoint p = centro + QPoint(dx, dy);
            if (imagem.rect().contains(p) && imagem.pixelColor(p) == cor)
                return true;
        }
    return false;
}

// Shows the window and its outside view, as the user does with the menu.
VistaExterna* mostrarVistaExterna(MainWindow& w)
{
    mostrada(w);
    filho<QAction>(w, "actionVistaExterna")->trigger();
    QCoreApplication::processEvents();
    return w.findChild<VistaExterna*>(QStringLiteral("vistaExterna"));
}

// Whether the labels vista wrote last are the ones named, each inside the view, and no two overlap.
::testing::AssertionResult rotulosSeparados(const VistaExterna& vista, const QStringList& nomes)
{
    QStringList escritos;
    QString caixas;
    bool separados = true;
    const std::vector<RotuloNaTela>& rotulos = vista.rotulos();
    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        const QRect& a = rotulos[i].caixa;
        if (!a.isEmpty() && vista.rect().contains(a))
            escritos << rotulos[i].texto;
        caixas += QStringLiteral(" %1 (%2, %3, %4 × %5)").arg(rotulos[i].texto).arg(a.x()).arg(a.y()).arg(a.width()).arg(a.height());
        for (std::size_t j = i + 1; j < rotulos.size(); ++j)
            separados = separados && !a.intersects(rotulos[j].caixa);
    }
    escritos.sort();
    QStringList esperados = nomes;
    esperados.sort();
    if (separados && escritos == esperados)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << qPrintable(caixas);
}

const QColor vermelho(255, 0, 0);
const QColor verde(0, 160, 0);
const QColor cinza(190, 190, 190);

} // namespace

TEST(VistaExterna, AcaoETeclaVMostramEEscondem)
{
    MainWindow w;
    mostrada(w);
    auto* acao = filho<QAction>(w, "actionVistaExterna");
    auto* vista = w.findChild<VistaExterna*>(QStringLiteral("vistaExterna"));
    ASSERT_NE(acao, nullptr);
    ASSERT_NE(vista, nullptr);
    EXPECT_TRUE(filho<QMenu>(w, "menuVista")->actions().contains(acao));
    EXPECT_TRUE(acao->isCheckable());
    EXPECT_FALSE(acao->isChecked());
    EXPECT_FALSE(vista->isVisible());
    QTest::keyClick(&w, Qt::Key_V);
    EXPECT_TRUE(acao->isChecked());
    EXPECT_TRUE(vista->isVisible());
    QTest::keyClick(&w, Qt::Key_V);
    EXPECT_FALSE(vista->isVisible());
}

// Catches a view that opens at its minimum width, one that takes its width from the side panel
// too, and one that keeps the canvas's half once hidden.
TEST(VistaExterna, AbreComMetadeDoLugarDoCanvasSemApertarOPainel)
{
    MainWindow w;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1600, 1000);
    mostrada(w);
    const QWidget* lado = canvasDe(w)->parentWidget();
    const QWidget* painel = filho<QWidget>(w, "splitter");
    const int painelAntes = painel->width();
    const int ladoAntes = lado->width();
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    EXPECT_EQ(painel->width(), painelAntes);
    EXPECT_LE(std::abs(vista->width() - lado->width()), 2) << vista->width() << " beside " << lado->width();
    EXPECT_GE(vista->width() + lado->width(), ladoAntes - 10);

    filho<QAction>(w, "actionVistaExterna")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(painel->width(), painelAntes);
    EXPECT_EQ(lado->width(), ladoAntes);
}

// Catches a canvas that holds on to more width than the outside view leaves it: with the view and
// the inspector shown in a window 1366 pixels wide (a common laptop screen), the side panel would
// be squeezed and the view kept at its least width, or the window made wider than the screen; and
// a canvas that stays that narrow once the view is hidden.
TEST(VistaExterna, CabeComOInspetorNumaJanelaDe1366)
{
    MainWindow w;
    w.setWindowState(Qt::WindowNoState);
    w.resize(1366, 740);
    mostrada(w);
    const QWidget* painel = filho<QWidget>(w, "splitter");
    const int painelAntes = painel->width();
    QTest::keyClick(&w, Qt::Key_P);
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    ASSERT_TRUE(filho<QWidget>(w, "inspetor")->isVisible());
    const QWidget* lado = canvasDe(w)->parentWidget();
    EXPECT_EQ(painel->width(), painelAntes);
    EXPECT_LE(std::abs(vista->width() - lado->width()), 2) << vista->width() << " beside " << lado->width();
    EXPECT_LE(w.minimumSizeHint().width(), 1366);

    // Hidden, the canvas keeps its usual least width again, however narrow the window.
    filho<QAction>(w, "actionVistaExterna")->trigger();
    QTest::keyClick(&w, Qt::Key_P);
    QCoreApplication::processEvents();
    w.resize(w.minimumSizeHint().width(), 740);
    QCoreApplication::processEvents();
    EXPECT_GE(lado->width(), 600);
}

// Only the main canvas is told that its camera moved (as a mouse drag on it does): the outside view
// repaints too.
TEST(VistaExterna, RepintaQuandoACameraPrincipalMuda)
{
    MainWindow w;
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    ContadorDePinturas contador(vista);
    QViewport* canvas = canvasDe(w);
    ASSERT_TRUE(canvas->janela()->mover(0.1, 0, 0));
    canvas->update();
    // The view's repaint is asked for while the canvas paints, in another pane: the next pass paints it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_GT(contador.pinturas, 0);
}

// The default camera: window [-10, 10]² on z = 0, COP (0, 0, -10), near plane at depth 0.1.
TEST(VistaExterna, DesenhaACameraECinzaOQueElaCorta)
{
    QViewport principal(nullptr);
    principal.resize(600, 600);
    // Seen from the camera it runs from x = -5 to x = 30: the window keeps it up to x = 10.
    principal.displayFile()->listaDeObjetos.push_back(
        new Reta("metade fora", Cor(255, 0, 0), Coordenada(-5, 0, 0), Coordenada(30, 0, 0)));
    // From behind the eye to depth 15: the near plane cuts it at z = -9.9 and the window, which it
    // enters at depth 5, up to z = -5.
    principal.displayFile()->listaDeObjetos.push_back(
        new Reta("atravessa o plano próximo", Cor(0, 160, 0), Coordenada(0, 5, -15), Coordenada(0, 5, 5)));
    principal.janela()->atualizarCPP(*principal.displayFile());

    VistaExterna vista(nullptr);
    vista.resize(600, 600);
    vista.observar(principal);
    const QImage imagem = vista.grab().toImage();

    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(0, 0, 0)), vermelho, 1));
    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(20, 0, 0)), cinza, 3));
    EXPECT_FALSE(temCorPerto(imagem, pixelDe(vista, Coordenada(20, 0, 0)), vermelho, 2));
    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(0, 5, 2)), verde, 1));
    for (double z : {-12.0, -7.0}) {
        EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(0, 5, z)), cinza, 3)) << z;
        EXPECT_FALSE(temCorPerto(imagem, pixelDe(vista, Coordenada(0, 5, z)), verde, 2)) << z;
    }

    // The window's edge, a pyramid edge past the window (COP + 1.4·(corner − COP)) and the COP.
    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(-10, -4, 0)), QColor(0, 0, 230), 1));
    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(-14, 14, 4)), QColor(230, 140, 0), 1));
    EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(0, 0, -10)), QColor(0, 0, 0), 1));
}

// The default camera (window [−10, 10]² on z = 0, COP (0, 0, −10), near plane at depth 0.1) in each
// projection, with the point (4, 2, 6) marked. Mutations caught: a pyramid or the COP's mark drawn
// for a parallel projection; projectors along n under the oblique projection, or with its shift
// turned; no arrow; the marked vertex's projector missing, or drawn from the COP in a parallel
// projection.
TEST(VistaExterna, ProjecaoParalelaMostraCaixaDeProjetoresESetaDaDirecao)
{
    QViewport principal(nullptr);
    principal.resize(600, 600);
    auto* ponto = new Ponto("p", Cor(0, 0, 200), Coordenada(4, 2, 6));
    principal.displayFile()->listaDeObjetos.push_back(ponto);
    principal.janela()->atualizarCPP(*principal.displayFile());
    principal.marcarVertice(ponto, 0);
    VistaExterna vista(nullptr);
    vista.resize(600, 600);
    vista.observar(principal);
    const QColor laranja(230, 140, 0);
    const auto perto = [&vista](const QImage& imagem, Coordenada p, QColor cor) {
        return temCorPerto(imagem, pixelDe(vista, p), cor, 1);
    };

    QImage imagem = vista.grab().toImage();
    EXPECT_TRUE(perto(imagem, Coordenada(5, 5, -5), laranja)) << "pyramid edge";
    EXPECT_TRUE(perto(imagem, Coordenada(0, 0, -10), QColor(0, 0, 0))) << "COP";
    EXPECT_TRUE(perto(imagem, Coordenada(2, 1, -2), QViewport::corDaMarca)) << "projector from the COP";

    principal.janela()->definirProjecao(Projecao::ortogonal);
    imagem = vista.grab().toImage();
    EXPECT_TRUE(perto(imagem, Coordenada(10, 10, -5), laranja)) << "box edge";
    EXPECT_FALSE(perto(imagem, Coordenada(5, 5, -5), laranja)) << "no pyramid";
    EXPECT_TRUE(perto(imagem, Coordenada(0, 0, -5), laranja)) << "arrow";
    EXPECT_FALSE(perto(imagem, Coordenada(0, 0, -10), QColor(0, 0, 0))) << "no COP";
    EXPECT_TRUE(perto(imagem, Coordenada(4, 2, -2), QViewport::corDaMarca)) << "projector along n";
    EXPECT_FALSE(perto(imagem, Coordenada(2, 1, -2), QViewport::corDaMarca));

    // Cabinet: a point at depth z beyond the window projects ½·z·cos 45° further along x and y, so
    // the projector through a corner runs back against that shift.
    principal.janela()->definirProjecao(Projecao::obliqua);
    imagem = vista.grab().toImage();
    const double k = 0.5 * std::sqrt(0.5);
    EXPECT_TRUE(perto(imagem, Coordenada(10 + 5 * k, 10 + 5 * k, -5), laranja)) << "oblique box edge";
    EXPECT_FALSE(perto(imagem, Coordenada(10, 10, -5), laranja));
    EXPECT_TRUE(perto(imagem, Coordenada(4 + 8 * k, 2 + 8 * k, -2), QViewport::corDaMarca)) << "oblique projector";
}

// The view's picture follows its own camera and the scene it shares, which it does not project
// through its own camera as the main canvas does.
TEST(VistaExterna, RepintaQuandoOObservadorOuACenaMudam)
{
    QViewport principal(nullptr);
    principal.resize(400, 400);
    principal.displayFile()->listaDeObjetos.push_back(
        new Reta("linha", Cor(255, 0, 0), Coordenada(-5, 0, 0), Coordenada(5, 0, 0)));
    principal.janela()->atualizarCPP(*principal.displayFile());
    VistaExterna vista(nullptr);
    vista.resize(400, 400);
    vista.observar(principal);

    const QImage antes = vista.grab().toImage();
    ASSERT_TRUE(vista.janela()->mover(0.2, 0, 0));
    const QImage movida = vista.grab().toImage();
    EXPECT_NE(movida, antes);
    EXPECT_TRUE(temCorPerto(movida, pixelDe(vista, Coordenada(0, 0, 0)), vermelho, 1));

    principal.displayFile()->listaDeObjetos.push_back(
        new Reta("nova", Cor(0, 160, 0), Coordenada(0, -5, 0), Coordenada(0, -2, 0)));
    const QImage comNova = vista.grab().toImage();
    EXPECT_TRUE(temCorPerto(comNova, pixelDe(vista, Coordenada(0, -4, 0)), verde, 1));
}

// A filled square from x = -5 to x = 15 on the window's plane: the window keeps it up to x = 10.
// The kept part is filled in its colour, the rest in a faded one.
TEST(VistaExterna, PreencheAParteQueACameraMantem)
{
    QViewport principal(nullptr);
    principal.resize(600, 600);
    const QColor azul(0, 0, 200);
    principal.displayFile()->listaDeObjetos.push_back(new Poligono(
        "meio fora", Cor(0, 0, 200),
        {Coordenada(-5, -3, 0), Coordenada(15, -3, 0), Coordenada(15, 3, 0), Coordenada(-5, 3, 0)}, true));
    principal.janela()->atualizarCPP(*principal.displayFile());

    VistaExterna vista(nullptr);
    vista.resize(600, 600);
    vista.observar(principal);
    const QImage imagem = vista.grab().toImage();

    for (double x : {-3.0, 0.0, 7.0})
        EXPECT_TRUE(temCorPerto(imagem, pixelDe(vista, Coordenada(x, 1, 0)), azul, 1)) << x;
    for (double x : {12.0, 14.0}) {
        EXPECT_FALSE(temCorPerto(imagem, pixelDe(vista, Coordenada(x, 1, 0)), azul, 2)) << x;
        const QColor faded = imagem.pixelColor(pixelDe(vista, Coordenada(x, 1, 0)));
        EXPECT_NE(faded, QColor(Qt::white)) << x;
        EXPECT_GT(faded.blue(), faded.red()) << x;
    }
}

// The picture the view keeps on screen is made again when the main camera moves: its COP is drawn
// where the camera now is.
TEST(VistaExterna, SegueACameraPrincipalNaTela)
{
    MainWindow w;
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    QViewport* canvas = canvasDe(w);
    const QColor preto(0, 0, 0);
    EXPECT_TRUE(temCorPerto(vista->grab().toImage(), pixelDe(*vista, canvas->janela()->centroDeProjecao()), preto, 1));

    ASSERT_TRUE(canvas->janela()->mover(0.5, 0.5, 0));
    canvas->update();
    QCoreApplication::processEvents();
    EXPECT_TRUE(temCorPerto(vista->grab().toImage(), pixelDe(*vista, canvas->janela()->centroDeProjecao()), preto, 1));
}

// A scene large enough to be shared among the cores, drawn again after each move of the main camera
// with the blocks and tools the view keeps, comes out as a new view draws it. Mutations caught: two
// threads that share one set of tools or one block (built with ThreadSanitizer, the race is
// reported), pixels kept for a camera that moved.
TEST(VistaExterna, CenaRepartidaEntreOsNucleosSaiComoNumaVistaNova)
{
    MainWindow w;
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    QViewport* canvas = canvasDe(w);
    std::vector<Objeto*>& objetos = canvas->displayFile()->listaDeObjetos;
    for (double z : {-12.0, -5.0, 3.0, 20.0})
        for (double y = -24; y <= 24; y += 2)
            for (double x = -24; x <= 24; x += 2) {
                const Cor cor(static_cast<int>(x + 24) * 5, static_cast<int>(y + 24) * 5, 100);
                if (static_cast<int>(x + y) % 4 == 0)
                    objetos.push_back(new Poligono("p", cor,
                                                   {Coordenada(x, y, z), Coordenada(x + 1.5, y, z + 1),
                                                    Coordenada(x + 0.5, y + 1.5, z - 1)},
                                                   true));
                else
                    objetos.push_back(new Reta("r", cor, Coordenada(x, y, z), Coordenada(x + 1.2, y + 0.7, z + 2)));
            }
    ASSERT_GT(objetos.size(), 2000u);
    for (int vez = 0; vez < 4; ++vez) {
        ASSERT_TRUE(canvas->janela()->mover(0.2, -0.1, 0.05));
        canvas->update();
        QCoreApplication::processEvents();
    }
    const QImage feita = vista->grab().toImage().convertToFormat(QImage::Format_RGB32);

    VistaExterna nova(nullptr);
    nova.resize(vista->size());
    nova.observar(*canvas);
    *nova.janela() = *vista->janela();
    nova.janela()->atualizarCPP(*nova.displayFile());
    EXPECT_EQ(nova.grab().toImage().convertToFormat(QImage::Format_RGB32), feita);
    // On screen the lines are set straight into the kept picture; an export draws them with QPainter.
    EXPECT_EQ(vista->imagem(vista->size()).convertToFormat(QImage::Format_RGB32), feita);
}

// A scene changed straight through the display file and announced with atualizarCpp() alone, as
// callers of the window's public accessors do: both views repaint on their own, and the outside view shows
// the new object. Mutations caught: an outside view that hears only of its own camera or of the main
// canvas's paints, an atualizarCpp() that tells no view.
TEST(VistaExterna, SegueACenaMudadaPorAtualizarCpp)
{
    MainWindow w;
    VistaExterna* vista = mostrarVistaExterna(w);
    ASSERT_NE(vista, nullptr);
    QCoreApplication::processEvents();
    ContadorDePinturas daVista(vista);
    ContadorDePinturas doCanvas(canvasDe(w));
    w.viewport().displayFile()->listaDeObjetos.push_back(
        new Reta("nova", Cor(0, 160, 0), Coordenada(-4, -4, 0), Coordenada(4, -4, 0)));
    w.atualizarCpp();
    QCoreApplication::processEvents();
    EXPECT_GT(doCanvas.pinturas, 0);
    EXPECT_GT(daVista.pinturas, 0);
    EXPECT_TRUE(temCorPerto(vista->grab().toImage(), pixelDe(*vista, Coordenada(0, -4, 0)), verde, 1));
}

// casa3d as it opens, then the observer looking down the line from the window's corner through the
// COP, where "Window" and "COP" fall on one pixel, then a parallel projection. Catches labels put at
// fixed offsets from their points (written over each other), a label dropped, and a near plane
// that is not drawn where it can be seen: in the inset, in its colour.
TEST(VistaExterna, RotulosSeparadosEPlanoProximoNaLupa)
{
    QViewport principal(nullptr);
    principal.resize(600, 600);
    ArquivoDeCena::carregar(QStringLiteral(VELK_EXEMPLOS "/casa3d.xml"), principal);
    VistaExterna vista(nullptr);
    vista.resize(600, 600);
    vista.observar(principal);
    const QStringList perspectiva{QStringLiteral("COP"), QStringLiteral("Window"), QStringLiteral("Plano próximo")};

    QImage imagem = vista.grab().toImage();
    EXPECT_TRUE(rotulosSeparados(vista, perspectiva));
    ASSERT_FALSE(vista.lupa().isEmpty());
    EXPECT_TRUE(temCorPerto(imagem, vista.lupa().center(), QColor(200, 0, 200), vista.lupa().width() / 2));
    // At its narrowest the inset still has room for its label.
    vista.resize(300, 600);
    vista.enquadrar();
    imagem = vista.grab().toImage();
    EXPECT_TRUE(rotulosSeparados(vista, perspectiva)) << "300 wide";
    vista.resize(600, 600);

    const Window& camera = *principal.janela();
    const Coordenada cop = camera.centroDeProjecao();
    const Coordenada canto = camera.centro() - camera.viewRightVector() * 0.5 + camera.viewUpVector() * 0.5;
    const auto ancora = [&vista](const QString& texto) {
        for (const RotuloNaTela& r : vista.rotulos())
            if (r.texto == texto)
                return r.ancora;
        return QPoint(-100, -100);
    };
    // Upright and upside down: the window lies on the COP's left in one and on its right in the
    // other, so that "COP" is meant for the side of "Window" in one of them.
    for (const double giro : {0.0, 180.0}) {
        *vista.janela() = Window(cop - Vetor(20, 20, 0), cop + Vetor(20, 20, 0), cop + Vetor(canto, cop) * 2);
        ASSERT_TRUE(vista.janela()->rodar(0, 0, giro));
        imagem = vista.grab().toImage();
        EXPECT_LE((ancora(QStringLiteral("COP")) - ancora(QStringLiteral("Window"))).manhattanLength(), 2) << giro;
        EXPECT_TRUE(rotulosSeparados(vista, perspectiva)) << giro;
    }

    principal.janela()->definirProjecao(Projecao::ortogonal);
    vista.enquadrar();
    imagem = vista.grab().toImage();
    EXPECT_TRUE(rotulosSeparados(vista, {QStringLiteral("DOP"), QStringLiteral("Window"), QStringLiteral("Plano próximo")}));
    EXPECT_TRUE(vista.lupa().isEmpty()) << "the near plane is as large as the window";
}

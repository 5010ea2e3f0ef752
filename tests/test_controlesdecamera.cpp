// The camera controls and the keyboard, through real clicks and key presses on the main window.

#include <cmath>
#include <cstring>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDial>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <tinyxml.h>

#include "janelaprincipal.h"
#include "ponto.h"
#include "reta.h"
#include "vetor.h"

namespace {

constexpr double grau = 3.14159265358979323846 / 180.0;

// The camera the canvas starts with: centre at the origin, 20 × 20, looking along +z.
Window cameraInicial()
{
    return Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
}

class ControlesDeCamera : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        canvas = canvasDe(w);
        ASSERT_NE(canvas, nullptr);
        camera = canvas->janela();
    }

    // Moves a dial by pressing its own keys: PageUp/PageDown step 10, Up/Down step 1.
    void girar(const char* nome, int teclasDePagina, int teclasSimples = 0)
    {
        QDial* d = filho<QDial>(w, nome);
        for (int i = 0; i < std::abs(teclasDePagina); ++i)
            QTest::keyClick(d, teclasDePagina > 0 ? Qt::Key_PageUp : Qt::Key_PageDown);
        for (int i = 0; i < std::abs(teclasSimples); ++i)
            QTest::keyClick(d, teclasSimples > 0 ? Qt::Key_Up : Qt::Key_Down);
    }

    // Each dial remembers its last value for the whole process; start every dial case from a known
    // value and a fresh camera.
    void alinharDial(const char* nome, int valor)
    {
        QDial* d = filho<QDial>(w, nome);
        if (d->value() == valor)
            d->setValue(valor == 0 ? 1 : valor - 1);
        d->setValue(valor);
        *camera = cameraInicial();
    }

    MainWindow w;
    QViewport* canvas = nullptr;
    Window* camera = nullptr;
};

bool mesmosBits(const Matriz<1, 4>& a, const Matriz<1, 4>& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Saves the camera and reads it into another: the same bits, or a failure naming what was lost.
::testing::AssertionResult salvaELeDeVolta(const Window& camera)
{
    TiXmlDocument doc;
    auto* elemento = new TiXmlElement("window");
    doc.LinkEndChild(elemento);
    Window lida = cameraInicial();
    try {
        camera.persist(elemento);
        TiXmlPrinter impressor;
        doc.Accept(&impressor);
        TiXmlDocument relido;
        relido.Parse(impressor.CStr());
        lida.restore(relido.FirstChildElement("window"));
    } catch (const std::string& erro) {
        return ::testing::AssertionFailure() << erro;
    }
    const double d = camera.distanciaFocal();
    const double e = lida.distanciaFocal();
    if (mesmosBits(camera.centro(), lida.centro()) && mesmosBits(camera.viewRightVector(), lida.viewRightVector())
        && mesmosBits(camera.viewUpVector(), lida.viewUpVector()) && std::memcmp(&d, &e, sizeof d) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "a câmera lida não é a salva";
}

} // namespace

TEST_F(ControlesDeCamera, ZoomParaAntesDoQueNaoSePodeSalvar)
{
    // Past the limit each press does nothing and says so; the camera at the limit still saves and
    // reads back bit for bit. (Zooming in used to stop saving after 1,768 presses, out after 1,831.)
    QStatusBar* barra = w.statusBar();
    for (const Qt::Key tecla : {Qt::Key_Plus, Qt::Key_Minus}) {
        SCOPED_TRACE(tecla);
        *camera = cameraInicial();
        barra->clearMessage();
        int vezes = 0;
        while (barra->currentMessage().isEmpty() && vezes < 20000) {
            QTest::keyClick(&w, tecla);
            ++vezes;
        }
        EXPECT_FALSE(barra->currentMessage().isEmpty());
        const Window noLimite = *camera;
        QTest::keyClick(&w, tecla);
        EXPECT_TRUE(mesmosBits(camera->viewRightVector(), noLimite.viewRightVector()));
        EXPECT_GT(vezes, 3000);
        EXPECT_TRUE(salvaELeDeVolta(*camera));
    }
}

// Catches a mouse zoom whose refusal is dropped (the bool ignored, the signal not connected) or told
// in other words than the keys' refusal.
TEST_F(ControlesDeCamera, RodaDoMouseRecusadaAvisaComoAsTeclas)
{
    QStatusBar* barra = w.statusBar();
    *camera = cameraInicial();
    barra->clearMessage();
    // So many notches at once that the window would shrink to nothing.
    const QPointF meio(canvas->width() / 2.0, canvas->height() / 2.0);
    QWheelEvent roda(meio, canvas->mapToGlobal(meio), QPoint(), QPoint(0, 120 * 20000), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &roda);
    const QString pelaRoda = barra->currentMessage();
    EXPECT_FALSE(pelaRoda.isEmpty());
    EXPECT_TRUE(mesmosBits(camera->viewRightVector(), cameraInicial().viewRightVector()));

    barra->clearMessage();
    int vezes = 0;
    while (barra->currentMessage().isEmpty() && vezes < 20000) {
        QTest::keyClick(&w, Qt::Key_Plus);
        ++vezes;
    }
    EXPECT_EQ(barra->currentMessage(), pelaRoda) << vezes;
}

TEST_F(ControlesDeCamera, BotoesETeclasDeSetaMovemUmDecimoDaWindow)
{
    QTest::mouseClick(filho<QToolButton>(w, "windowCima"), Qt::LeftButton);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 2, 0));
    QTest::mouseClick(filho<QToolButton>(w, "windowDireito"), Qt::LeftButton);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 2, 2, 0));
    QTest::mouseClick(filho<QToolButton>(w, "windowBaixo"), Qt::LeftButton);
    QTest::mouseClick(filho<QToolButton>(w, "windowBaixo"), Qt::LeftButton);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 2, -2, 0));
    QTest::mouseClick(filho<QToolButton>(w, "windowEsquerda"), Qt::LeftButton);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, -2, 0));

    QTest::keyClick(&w, Qt::Key_Left);
    EXPECT_TRUE(mesmoPonto(camera->centro(), -2, -2, 0));
    QTest::keyClick(&w, Qt::Key_Up);
    EXPECT_TRUE(mesmoPonto(camera->centro(), -2, 0, 0));
    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, Qt::Key_Right);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 2, 0, 0));
    QTest::keyClick(&w, Qt::Key_Down);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 2, -2, 0));

    // Panning neither turns nor resizes the window.
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
    EXPECT_TRUE(mesmoPonto(camera->centroDeProjecao(), 2, -2, -10));
}

TEST_F(ControlesDeCamera, StepIEO)
{
    QTest::keyClick(&w, Qt::Key_I);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 2));
    EXPECT_TRUE(mesmoPonto(camera->centroDeProjecao(), 0, 0, -8));
    QTest::keyClick(&w, Qt::Key_O);
    QTest::keyClick(&w, Qt::Key_O);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, -2));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    EXPECT_NEAR(camera->distanciaFocal(), 10, 1e-12);
}

TEST_F(ControlesDeCamera, ZoomNaoEhReciproco)
{
    QTest::keyClick(&w, Qt::Key_Plus);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 18, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 18, 0));
    QTest::keyClick(&w, Qt::Key_Minus);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 19.8, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 19.8, 0));
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));

    // The keypad's plus is the same key.
    QTest::keyClick(&w, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 19.8 * 0.9, 0, 0));
}

TEST_F(ControlesDeCamera, DialXGiraEmTornoDaDireita)
{
    alinharDial("windowRotacaoXDisplay", 100);
    girar("windowRotacaoXDisplay", 3);
    ASSERT_EQ(filho<QDial>(w, "windowRotacaoXDisplay")->value(), 130);
    // About û by 30: v̂ turns toward n.
    const double c = std::cos(30 * grau), s = std::sin(30 * grau);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20 * c, 20 * s));
    EXPECT_TRUE(mesmoVetor(camera->direcaoDeVisao(), 0, -s, c));
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));

    // Back to where it was: the change is negative and undoes the turn.
    girar("windowRotacaoXDisplay", -3);
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
    EXPECT_TRUE(mesmoVetor(camera->direcaoDeVisao(), 0, 0, 1));
}

TEST_F(ControlesDeCamera, DialYGiraEmTornoDoAlto)
{
    alinharDial("windowRotacaoYDisplay", 200);
    girar("windowRotacaoYDisplay", 9);
    // About v̂ by 90: n turns toward û; the centre of projection swings to the −x side.
    EXPECT_TRUE(mesmoVetor(camera->direcaoDeVisao(), 1, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 0, 0, -20));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
    EXPECT_TRUE(mesmoPonto(camera->centroDeProjecao(), -10, 0, 0));
}

TEST_F(ControlesDeCamera, DialZGiraEmTornoDaDirecaoDeVisao)
{
    alinharDial("windowRotacaoZDisplay", 50);
    girar("windowRotacaoZDisplay", 0, 7);
    // About n by 7: û turns toward v̂.
    const double c = std::cos(7 * grau), s = std::sin(7 * grau);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20 * c, 20 * s, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), -20 * s, 20 * c, 0));
    EXPECT_TRUE(mesmoVetor(camera->direcaoDeVisao(), 0, 0, 1));
}

TEST_F(ControlesDeCamera, DialAtravessando360)
{
    // 355 → 5 passes −350 to the camera: the same orientation as +10.
    alinharDial("windowRotacaoXDisplay", 355);
    girar("windowRotacaoXDisplay", 1);
    ASSERT_EQ(filho<QDial>(w, "windowRotacaoXDisplay")->value(), 5);
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20 * std::cos(10 * grau), 20 * std::sin(10 * grau)));

    // 0 → 359 going down passes +359, the same orientation as −1.
    alinharDial("windowRotacaoZDisplay", 0);
    girar("windowRotacaoZDisplay", 0, -1);
    ASSERT_EQ(filho<QDial>(w, "windowRotacaoZDisplay")->value(), 359);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20 * std::cos(grau), -20 * std::sin(grau), 0));
}

TEST_F(ControlesDeCamera, CadaDialLembraSeuProprioValor)
{
    alinharDial("windowRotacaoYDisplay", 40);
    alinharDial("windowRotacaoXDisplay", 10);
    girar("windowRotacaoXDisplay", 5);
    *camera = cameraInicial();
    // Y still remembers 40: one page up turns by 10, not by 50 − 60.
    girar("windowRotacaoYDisplay", 1);
    const double c = std::cos(10 * grau), s = std::sin(10 * grau);
    EXPECT_TRUE(mesmoVetor(camera->direcaoDeVisao(), s, 0, c));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
}

TEST_F(ControlesDeCamera, MostrarCoordenadasSoLigaOsRotulos)
{
    auto* caixa = filho<QCheckBox>(w, "mostrarCoordenadas");
    clicarEm(caixa);
    EXPECT_TRUE(caixa->isChecked());
    EXPECT_TRUE(canvas->showingCoordinates());
    clicarEm(caixa);
    EXPECT_FALSE(canvas->showingCoordinates());
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
}

TEST_F(ControlesDeCamera, OrbitarLigaEDesligaOsCamposDoCentro)
{
    auto* orbitar = filho<QRadioButton>(w, "orbitar");
    auto* x = filho<QSpinBox>(w, "orbitarX");
    auto* y = filho<QSpinBox>(w, "orbitarY");
    clicarEm(orbitar);
    EXPECT_TRUE(orbitar->isChecked());
    EXPECT_TRUE(x->isEnabled());
    EXPECT_TRUE(y->isEnabled());
    x->setValue(7);
    y->setValue(-3);

    // A second click unchecks it: the lone radio button is not auto-exclusive.
    clicarEm(orbitar);
    EXPECT_FALSE(orbitar->isChecked());
    EXPECT_FALSE(x->isEnabled());
    EXPECT_FALSE(y->isEnabled());
    EXPECT_EQ(x->value(), 7);
    EXPECT_EQ(y->value(), -3);

    clicarEm(orbitar);
    EXPECT_TRUE(x->isEnabled());
    EXPECT_EQ(x->value(), 7);
}

TEST_F(ControlesDeCamera, ModificadoresNaoMudamATecla)
{
    QTest::keyClick(&w, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 2, 0));
    QTest::keyClick(&w, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 4, 0));
    QTest::keyClick(&w, Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 4, 2));
    // Lower- and upper-case letters carry the same key code.
    QTest::keyClick(&w, 'o');
    QTest::keyClick(&w, 'O');
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 4, -2));

    // Shift+S and s move the selected object down, as S does (Control+S saves: test_alteracoes).
    auto* p = new Ponto("p", Cor(), Coordenada(1, 1, 0));
    adicionar(w, {p});
    clicarNaLinha(filho<QListWidget>(w, "objetos"), 0);
    QTest::keyClick(&w, Qt::Key_S, Qt::ShiftModifier);
    EXPECT_TRUE(mesmoPonto(p->centro(), 1, 0, 0));
    QTest::keyClick(&w, 's');
    EXPECT_TRUE(mesmoPonto(p->centro(), 1, -1, 0));
}

TEST_F(ControlesDeCamera, TeclasForaDaTabelaNaoFazemNada)
{
    auto* r = new Reta("r", Cor(), Coordenada(0, 0, 0), Coordenada(2, 0, 0));
    adicionar(w, {r});
    clicarNaLinha(filho<QListWidget>(w, "objetos"), 0);
    for (Qt::Key tecla : {Qt::Key_Q, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Equal, Qt::Key_F1,
                          Qt::Key_PageUp, Qt::Key_B})
        QTest::keyClick(&w, tecla);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
    EXPECT_TRUE(mesmoPonto(r->centro(), 1, 0, 0));
    EXPECT_EQ(filho<QListWidget>(w, "objetos")->count(), 1);
}

TEST_F(ControlesDeCamera, TeclasQueUmFilhoUsaNaoChegamAJanela)
{
    auto* a = new Ponto("a", Cor(), Coordenada(0, 0, 0));
    auto* b = new Ponto("b", Cor(), Coordenada(5, 0, 0));
    adicionar(w, {a, b});
    auto* lista = filho<QListWidget>(w, "objetos");
    clicarNaLinha(lista, 0);

    // Arrows in the list move its current row, not the camera.
    QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(lista->currentRow(), 1);
    QTest::keyClick(lista, Qt::Key_Up);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));

    // Letters typed in a text field stay there.
    auto* fator = filho<QLineEdit>(w, "fatorEscalaDisplay");
    QTest::keyClicks(fator, "wasd");
    EXPECT_EQ(fator->text(), "wasd");
    EXPECT_TRUE(mesmoPonto(a->centro(), 0, 0, 0));

    // An arrow on a dial turns the dial (and the camera), it does not pan.
    alinharDial("windowRotacaoZDisplay", 20);
    QTest::keyClick(filho<QDial>(w, "windowRotacaoZDisplay"), Qt::Key_Left);
    EXPECT_EQ(filho<QDial>(w, "windowRotacaoZDisplay")->value(), 19);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20 * std::cos(grau), -20 * std::sin(grau), 0));

    // A key the focused child leaves alone goes on to the window.
    QTest::keyClick(filho<QToolButton>(w, "windowCima"), Qt::Key_Plus);
    EXPECT_TRUE(pertoDe(camera->viewRightVector().modulo(), 18));
}

TEST_F(ControlesDeCamera, CadaComandoRepintaOCanvas)
{
    const std::pair<const char*, Qt::Key> teclas[] = {
        {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down},
        {"+", Qt::Key_Plus},    {"-", Qt::Key_Minus},     {"I", Qt::Key_I},   {"O", Qt::Key_O},
    };
    for (const auto& [nome, tecla] : teclas)
        EXPECT_TRUE(repintaOCanvas(w, nome, [&] { QTest::keyClick(&w, tecla); }));
    for (const char* dial : {"windowRotacaoXDisplay", "windowRotacaoYDisplay", "windowRotacaoZDisplay"}) {
        QDial* d = filho<QDial>(w, dial);
        EXPECT_TRUE(repintaOCanvas(w, dial, [&] { d->setValue(d->value() + 10); }));
    }
    auto* caixa = filho<QCheckBox>(w, "mostrarCoordenadas");
    EXPECT_TRUE(repintaOCanvas(w, "mostrarCoordenadas", [&] { caixa->toggle(); }));
    EXPECT_TRUE(repintaOCanvas(w, "mostrarCoordenadas", [&] { caixa->toggle(); }));

    // The mouse moves the camera from the canvas itself, past the window's handlers.
    const auto arrastar = [this](Qt::MouseButton botao) {
        QTest::mousePress(canvas, botao, {}, QPoint(300, 300));
        QTest::mouseMove(canvas, QPoint(330, 280));
        QTest::mouseRelease(canvas, botao, {}, QPoint(330, 280));
    };
    const auto rodar = [this](Qt::KeyboardModifiers modificadores) {
        const QPointF onde(200, 250);
        QWheelEvent roda(onde, canvas->mapToGlobal(onde), QPoint(), QPoint(0, 120), Qt::NoButton, modificadores,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &roda);
    };
    EXPECT_TRUE(repintaOCanvas(w, "arrastar", [&] { arrastar(Qt::LeftButton); }));
    EXPECT_TRUE(repintaOCanvas(w, "girar", [&] { arrastar(Qt::RightButton); }));
    EXPECT_TRUE(repintaOCanvas(w, "roda", [&] { rodar(Qt::NoModifier); }));
    EXPECT_TRUE(repintaOCanvas(w, "Shift+roda", [&] { rodar(Qt::ShiftModifier); }));
    EXPECT_TRUE(repintaOCanvas(w, "Vista Inicial", [&] { filho<QAction>(w, "actionVistaInicial")->trigger(); }));
    adicionar(w, {new Ponto("longe", Cor(), Coordenada(300, 400, 50))});
    EXPECT_TRUE(repintaOCanvas(w, "Enquadrar", [&] { filho<QAction>(w, "actionEnquadrar")->trigger(); }));
}

TEST_F(ControlesDeCamera, FEnquadraUmaCenaForaDaTelaEHomeVoltaAVistaInicial)
{
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // Far off to the upper right and deeper than the window plane: nothing of it is on the canvas.
    Objeto* reta = new Reta("longe", Cor(), Coordenada(300, 400, 50), Coordenada(340, 380, 90));
    Objeto* ponto = new Ponto("mais longe", Cor(), Coordenada(360, 420, 20));
    adicionar(w, {reta, ponto});
    camera->rodar(0, 0, 30);
    const Vetor direita = camera->viewRightVector().normalizado();
    const auto desenhado = [this](const Objeto* o) {
        const DisplayFile projecao = camera->coordenadasDePlanoDeProjecao();
        for (const Objeto* copia : projecao.listaDeObjetos)
            if (copia->nome() == o->nome())
                return copia->tamanhoDoDesenho(camera);
        return -1;
    };
    ASSERT_EQ(desenhado(reta), 0);
    ASSERT_EQ(desenhado(ponto), 0);

    QTest::keyClick(&w, Qt::Key_F);
    // The whole segment (two ends, no cut) and the point are drawn, seen the same way as before.
    EXPECT_EQ(desenhado(reta), 2);
    EXPECT_EQ(desenhado(ponto), 1);
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector().normalizado(), direita.x(), direita.y(), direita.z()));
    EXPECT_TRUE(pertoDe(camera->distanciaFocal(), 10));

    // Dragged and turned by the mouse, Home brings back the first camera.
    QTest::mousePress(canvas, Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(160, 130));
    QTest::mouseRelease(canvas, Qt::RightButton, {}, QPoint(160, 130));
    QTest::keyClick(&w, Qt::Key_Home);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0, 0));
    EXPECT_EQ(camera->distanciaFocal(), 10);
    EXPECT_EQ(desenhado(reta), 0) << "the scene is still there, off the canvas again";
}

// Catches a label that is not kept in step with its dial (or names another axis), and a dial that
// jumps to the angle under the cursor: a press away from the needle, or a short drag across the
// centre, turned the camera by up to half a turn.
TEST_F(ControlesDeCamera, DialsDizemSeuEixoEAnguloEUmArrastoCurtoGiraPouco)
{
    QDial* x = filho<QDial>(w, "windowRotacaoXDisplay");
    QLabel* rotuloX = filho<QLabel>(w, "rotuloRotacaoX");
    EXPECT_EQ(rotuloX->text(), QString::fromUtf8("X: 0°"));
    girar("windowRotacaoXDisplay", 3);
    EXPECT_EQ(rotuloX->text(), QString::fromUtf8("X: 30°"));
    girar("windowRotacaoZDisplay", 0, -2);
    EXPECT_EQ(filho<QLabel>(w, "rotuloRotacaoZ")->text(), QString::fromUtf8("Z: 358°"));
    EXPECT_EQ(filho<QLabel>(w, "rotuloRotacaoY")->text(), QString::fromUtf8("Y: 0°"));
    EXPECT_EQ(rotuloX->text(), QString::fromUtf8("X: 30°"));

    // A press alone: QDial would read 180 at the top.
    const Window antes = *camera;
    const QPoint meio = x->rect().center();
    QTest::mousePress(x, Qt::LeftButton, {}, QPoint(meio.x(), 1));
    QTest::mouseRelease(x, Qt::LeftButton, {}, QPoint(meio.x(), 1));
    EXPECT_EQ(x->value(), 30);
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), antes.viewUpVector().x(), antes.viewUpVector().y(),
                           antes.viewUpVector().z()));
    // Across the whole dial through the centre, where QDial goes from 90 to 270: little goes round.
    QTest::mousePress(x, Qt::LeftButton, {}, QPoint(1, meio.y()));
    for (int coluna = 3; coluna < x->width() - 1; coluna += 2)
        QTest::mouseMove(x, QPoint(coluna, meio.y()));
    QTest::mouseRelease(x, Qt::LeftButton, {}, QPoint(x->width() - 2, meio.y()));
    EXPECT_LE(std::abs(x->value() - 30), 10);

    // Four pixels along the rim, clockwise from the top: about 4 / 20 of a radian, 11 degrees.
    const int antesDoArrasto = x->value();
    QTest::mousePress(x, Qt::LeftButton, {}, QPoint(meio.x(), 1));
    QTest::mouseMove(x, QPoint(meio.x() + 2, 1));
    QTest::mouseMove(x, QPoint(meio.x() + 4, 1));
    QTest::mouseRelease(x, Qt::LeftButton, {}, QPoint(meio.x() + 4, 1));
    EXPECT_GE(x->value() - antesDoArrasto, 9);
    EXPECT_LE(x->value() - antesDoArrasto, 13);
    EXPECT_EQ(rotuloX->text(), QString::fromUtf8("X: %1°").arg(x->value()));
}

// Catches Vista Inicial going to the program's first camera instead of the scene's, a load's undo
// that keeps the undone scene's camera for it, and dials that go on telling the angles of a camera
// that is gone.
TEST_F(ControlesDeCamera, VistaInicialVoltaACameraComQueACenaAbriu)
{
    w.abrir(QStringLiteral(VELK_TEST_DATA "/cena-completa.xml"));
    const Window doArquivo = *camera;
    ASSERT_TRUE(mesmoPonto(doArquivo.centro(), 1, -2, 0.5));
    const auto naCameraDoArquivo = [&] {
        return mesmoPonto(camera->centro(), 1, -2, 0.5) && mesmoVetor(camera->viewRightVector(), 0, 0, -40)
               && mesmoVetor(camera->viewUpVector(), 0, 30, 0) && pertoDe(camera->distanciaFocal(), 25.5);
    };
    girar("windowRotacaoYDisplay", 2);
    QTest::keyClick(&w, Qt::Key_Left);
    QTest::keyClick(&w, Qt::Key_Plus);
    ASSERT_FALSE(naCameraDoArquivo());
    QTest::keyClick(&w, Qt::Key_Home);
    EXPECT_TRUE(naCameraDoArquivo());
    EXPECT_EQ(filho<QDial>(w, "windowRotacaoYDisplay")->value(), 0);
    EXPECT_EQ(filho<QLabel>(w, "rotuloRotacaoY")->text(), QString::fromUtf8("Y: 0°"));

    // A new scene opens with the program's first camera, and undoing it brings back the file's
    // scene with the file's camera as its own.
    girar("windowRotacaoXDisplay", 1);
    w.trocarCena(DisplayFile(), Viewport::cameraInicial(), QString(), QStringLiteral("Nova Cena"));
    EXPECT_EQ(filho<QLabel>(w, "rotuloRotacaoX")->text(), QString::fromUtf8("X: 0°"));
    QTest::keyClick(&w, Qt::Key_Right);
    QTest::keyClick(&w, Qt::Key_Home);
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    w.pilhaDeDesfazer()->undo();
    QTest::keyClick(&w, Qt::Key_Up);
    QTest::keyClick(&w, Qt::Key_Home);
    EXPECT_TRUE(naCameraDoArquivo());
}

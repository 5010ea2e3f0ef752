// The canvas keeps its last picture and its projected scene between paints: every change of the
// scene, the camera or what is shown must still reach the screen. A stale picture is the fault
// these tests look for: after each command the canvas must paint what a new canvas paints for the
// same scene and camera.

#include <QDial>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bezier.h"
#include "geometria.h"
#include "janelaprincipal.h"
#include "objeto3d.h"
#include "poligono.h"
#include "projetor.h"
#include "reta.h"
#include "transformacao.h"

namespace {

QImage pintura(QViewport& canvas)
{
    QImage imagem(canvas.size(), QImage::Format_RGB32);
    imagem.fill(Qt::magenta);
    canvas.render(&imagem, QPoint(), QRegion(), QWidget::DrawChildren);
    return imagem;
}

// What a canvas that never painted before paints for the same scene, camera, size and labels.
QImage pinturaNova(const QViewport& canvas)
{
    QViewport novo(nullptr);
    novo.resize(canvas.size());
    *novo.displayFile() = *canvas.displayFile();
    *novo.janela() = *canvas.janela();
    novo.janela()->atualizarCPP(*novo.displayFile());
    novo.showCoordinates(canvas.showingCoordinates());
    const std::vector<Objeto*>& antigos = canvas.displayFile()->listaDeObjetos;
    for (std::size_t i = 0; i < antigos.size(); ++i)
        if (antigos[i] == canvas.selecionado())
            novo.selecionar(novo.displayFile()->listaDeObjetos[i]);
    return pintura(novo);
}

Objeto* cubo()
{
    std::vector<Coordenada> v;
    for (int k = 0; k < 8; ++k)
        v.emplace_back(k & 1 ? 3 : 1, k & 2 ? 3 : 1, k & 4 ? 2 : 0);
    std::vector<std::pair<int, int>> arestas;
    for (int k = 0; k < 8; ++k)
        for (int bit : {1, 2, 4})
            if ((k & bit) == 0)
                arestas.emplace_back(k, k | bit);
    return new Objeto3D("cubo", Cor(0, 0, 200), v, arestas);
}

class Repintura : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        canvas = canvasDe(w);
        ASSERT_NE(canvas, nullptr);
        adicionar(w, {new Reta("r", Cor(0, 150, 0), Coordenada(-6, -5, 0), Coordenada(-1, 4, 1)),
                      new Poligono("p", Cor(200, 200, 0),
                                   {Coordenada(-3, 2, 0), Coordenada(-1, 6, 0), Coordenada(2, 3, 0)}, true),
                      cubo()});
        clicarNaLinha(filho<QListWidget>(w, "objetos"), 1);
        w.setFocus();
    }

    // Paints (so that the canvas keeps a picture), runs the command, and checks that the canvas then
    // paints the new picture: different from the old one, the same as a new canvas's.
    void mudaAPintura(const char* nome, const std::function<void()>& comando)
    {
        const QImage antes = pintura(*canvas);
        ASSERT_EQ(pintura(*canvas), antes) << nome;
        comando();
        QCoreApplication::processEvents();
        const QImage depois = pintura(*canvas);
        EXPECT_NE(depois, antes) << nome << ": nothing changed on the canvas";
        EXPECT_EQ(depois, pinturaNova(*canvas)) << nome << ": the canvas kept an old picture";
    }

    void tecla(Qt::Key k) { QTest::keyClick(&w, k); }

    MainWindow w;
    QViewport* canvas = nullptr;
};

} // namespace

// Mutation caught by each: a command whose change the canvas does not notice (for one, an object
// whose version does not change when it is transformed, or a camera left out of what the canvas
// compares) keeps the old picture.
TEST_F(Repintura, CadaComandoQueMudaACenaOuACameraMudaAPintura)
{
    mudaAPintura("pan ←", [this] { tecla(Qt::Key_Left); });
    mudaAPintura("pan ↑", [this] { tecla(Qt::Key_Up); });
    mudaAPintura("pan →", [this] { tecla(Qt::Key_Right); });
    mudaAPintura("pan ↓", [this] { tecla(Qt::Key_Down); });
    mudaAPintura("zoom +", [this] { tecla(Qt::Key_Plus); });
    mudaAPintura("zoom −", [this] { tecla(Qt::Key_Minus); });
    mudaAPintura("step I", [this] { tecla(Qt::Key_I); });
    mudaAPintura("step O", [this] { tecla(Qt::Key_O); });
    mudaAPintura("objeto A", [this] { tecla(Qt::Key_A); });
    mudaAPintura("objeto D", [this] { tecla(Qt::Key_D); });
    mudaAPintura("objeto W", [this] { tecla(Qt::Key_W); });
    mudaAPintura("objeto S", [this] { tecla(Qt::Key_S); });
    auto* angulo = filho<QLineEdit>(w, "objetoRotacaoDisplay");
    angulo->setText(QStringLiteral("30"));
    mudaAPintura("rotação R", [this] { tecla(Qt::Key_R); });
    mudaAPintura("rotação X", [this] { tecla(Qt::Key_X); });
    mudaAPintura("rotação Y", [this] { tecla(Qt::Key_Y); });
    mudaAPintura("rotação Z", [this] { tecla(Qt::Key_Z); });
    mudaAPintura("escala", [this] {
        filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
        filho<QLineEdit>(w, "fatorEscalaDisplay")->setText(QStringLiteral("1.5"));
        QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
    });
    for (const char* dial : {"windowRotacaoXDisplay", "windowRotacaoYDisplay", "windowRotacaoZDisplay"})
        mudaAPintura(dial, [this, dial] { filho<QDial>(w, dial)->setValue(20); });
    mudaAPintura("seleção", [this] { canvas->selecionar(canvas->displayFile()->listaDeObjetos[2]); });
    mudaAPintura("sem seleção", [this] { canvas->selecionar(nullptr); });
    mudaAPintura("coordenadas", [this] { clicarEm(filho<QWidget>(w, "mostrarCoordenadas")); });
    mudaAPintura("sem coordenadas", [this] { clicarEm(filho<QWidget>(w, "mostrarCoordenadas")); });
}

// Mutations caught: a canvas that compares only the number of objects, or their addresses, keeps
// the old picture when the list changes under it; one that ignores its size keeps the old one when
// resized.
TEST_F(Repintura, MudancasPelosPonteirosDaCenaETamanho)
{
    std::vector<Objeto*>& cena = canvas->displayFile()->listaDeObjetos;
    mudaAPintura("objeto novo", [&] { cena.push_back(new Reta("nova", Cor(), Coordenada(0, 0, 0), Coordenada(5, 5, 0))); });
    mudaAPintura("objeto trocado no mesmo lugar", [&] {
        delete cena.back();
        cena.back() = new Reta("outra", Cor(200, 0, 0), Coordenada(0, 0, 0), Coordenada(5, 5, 0));
    });
    mudaAPintura("transformado pelo ponteiro", [&] { cena[2]->transformar(Transformacao::translacao(1, 0, 0)); });
    mudaAPintura("ordem trocada", [&] { std::swap(cena[0], cena[1]); });
    mudaAPintura("objeto removido", [&] {
        delete cena.back();
        cena.pop_back();
    });
    mudaAPintura("tamanho", [this] { canvas->resize(canvas->width() - 50, canvas->height() - 30); });
}

namespace {

std::vector<Coordenada> desenho(const Objeto* o, const Window& w)
{
    return std::vector<Coordenada>(o->inicioDoDesenho(&w), o->fimDoDesenho(&w));
}

std::vector<Coordenada> coordenadas(const Objeto* o)
{
    return std::vector<Coordenada>(o->inicioDasCoordenadas(), o->fimDasCoordenadas());
}

// Small objects of every kind on a grid that runs past each side of the view, at depths from behind
// the eye to far away, some crossing the near plane.
DisplayFile grade()
{
    DisplayFile cena;
    int i = 0;
    for (double z : {-12.0, -10.3, -9.95, -9.0, -5.0, 0.0, 10.0, 60.0})
        for (double y = -30; y <= 30; y += 1.3)
            for (double x = -30; x <= 30; x += 1.1, ++i) {
                const std::string nome = std::to_string(i);
                const Coordenada a(x, y, z), b(x + 0.6, y + 0.2, z + 0.4), c(x + 0.1, y + 0.7, z - 0.3);
                switch (i % 4) {
                case 0:
                    cena.listaDeObjetos.push_back(new Reta(nome, Cor(), a, b));
                    break;
                case 1:
                    cena.listaDeObjetos.push_back(new Poligono(nome, Cor(), {a, b, c}, true));
                    break;
                case 2:
                    cena.listaDeObjetos.push_back(new Poligono(nome, Cor(), {a, b, c}, false));
                    break;
                default:
                    cena.listaDeObjetos.push_back(new Bezier(nome, Cor(), {a, c, b, Coordenada(x + 0.5, y - 0.4, z)}));
                }
            }
    return cena;
}

} // namespace

// Mutation caught: any wrong side, sign or distance in the test that skips whole objects out of
// view (it would drop something that shows), or one that skips an object crossing the near plane.
TEST(ProjecaoDeObjetosInteiros, ObjetoForaDeVistaNaoMudaNadaDoQueOPipelineDaria)
{
    DisplayFile cena = grade();
    Window janela(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    for (int giro = 0; giro < 3; ++giro) {
        janela.rodar(giro * 7.0, giro * 11.0, giro * 5.0);
        janela.atualizarCPP(cena);
        const DisplayFile projecao = janela.coordenadasDePlanoDeProjecao();
        ASSERT_EQ(projecao.listaDeObjetos.size(), cena.listaDeObjetos.size());
        Projetor projetor(janela.centroDeProjecao(), janela.viewRightVector().normalizado(),
                          janela.viewUpVector().normalizado(), janela.direcaoDeVisao(), janela.distanciaFocal(),
                          janela.viewRightVector().modulo(), janela.viewUpVector().modulo());
        int desenhados = 0;
        for (std::size_t i = 0; i < cena.listaDeObjetos.size(); ++i) {
            const Objeto* original = cena.listaDeObjetos[i];
            projetor.iniciar();
            original->descreverGeometria(projetor);
            std::vector<Coordenada> proprias;
            if (projetor.temVerticesRecortados())
                proprias = projetor.verticesRecortados();
            else
                projetor.projetarCoordenadas(original->coordenadas(), proprias);
            const Objeto* copia = projecao.listaDeObjetos[i];
            ASSERT_EQ(desenho(copia, janela), projetor.desenho()) << original->nome() << " no giro " << giro;
            ASSERT_EQ(coordenadas(copia), proprias) << original->nome() << " no giro " << giro;
            desenhados += projetor.desenho().empty() ? 0 : 1;
        }
        // The grid must reach past the view, or the comparison says nothing.
        EXPECT_GT(desenhados, 100);
        EXPECT_LT(desenhados, static_cast<int>(cena.listaDeObjetos.size()) / 2);
    }
}

// Mutations caught: a copy kept for an object whose version changed, a slot skipped or taken twice
// when the objects are shared among threads, copies left over when the scene shrinks.
TEST(ProjecaoDeObjetosInteiros, ProjecaoMantidaEhAMesmaQueUmaNova)
{
    DisplayFile cena = grade();
    Window janela(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    janela.atualizarCPP(cena);
    DisplayFile mantida;
    const auto igual = [&](const char* quando) {
        janela.atualizarProjecao(mantida);
        const DisplayFile nova = janela.coordenadasDePlanoDeProjecao();
        ASSERT_EQ(mantida.listaDeObjetos.size(), nova.listaDeObjetos.size()) << quando;
        for (std::size_t i = 0; i < nova.listaDeObjetos.size(); ++i) {
            const Objeto* a = mantida.listaDeObjetos[i];
            const Objeto* b = nova.listaDeObjetos[i];
            ASSERT_EQ(a->nome(), b->nome()) << quando;
            ASSERT_EQ(a->cor().qcolor(), b->cor().qcolor()) << quando;
            ASSERT_EQ(a->nomeDoTipo(), b->nomeDoTipo()) << quando;
            ASSERT_EQ(desenho(a, janela), desenho(b, janela)) << quando << " " << b->nome();
            ASSERT_EQ(coordenadas(a), coordenadas(b)) << quando << " " << b->nome();
        }
    };
    igual("primeira");
    janela.mover(0.3, -0.2, 0.1);
    igual("câmera movida");
    std::vector<Objeto*>& objetos = cena.listaDeObjetos;
    ASSERT_GT(objetos.size(), 3000u);
    objetos[1000]->transformar(Transformacao::translacao(0.5, 0, 0));
    delete objetos[2000];
    objetos[2000] = new Reta("trocada", Cor(255, 0, 0), Coordenada(-1, -1, 0), Coordenada(1, 1, 0));
    igual("objetos mudados");
    for (int k = 0; k < 700; ++k) {
        delete objetos.back();
        objetos.pop_back();
    }
    igual("cena menor");
}

// Mutations caught: a copy handed over before it is written (the count of blocks finished anywhere
// instead of the finished run at the head of the list), a count that falls back or stops short.
TEST(ProjecaoDeObjetosInteiros, CopiasEntreguesDuranteAProjecaoJaEstaoFeitas)
{
    DisplayFile cena = grade();
    Window janela(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    janela.atualizarCPP(cena);
    const DisplayFile nova = janela.coordenadasDePlanoDeProjecao();
    DisplayFile mantida;
    std::size_t entregues = 0;
    janela.atualizarProjecao(mantida, [&](std::size_t ate) {
        ASSERT_GT(ate, entregues);
        ASSERT_LE(ate, nova.listaDeObjetos.size());
        for (; entregues < ate; ++entregues) {
            const Objeto* a = mantida.listaDeObjetos[entregues];
            ASSERT_NE(a, nullptr) << entregues;
            ASSERT_EQ(desenho(a, janela), desenho(nova.listaDeObjetos[entregues], janela)) << entregues;
        }
    });
    EXPECT_EQ(entregues, nova.listaDeObjetos.size());
}

namespace {

// An object whose copy cannot be made, as when memory runs out in the middle of a projection.
class SemCopia : public Objeto {
public:
    SemCopia() : Objeto("sem cópia", Cor(), {Coordenada(0, 0, 5)}, 0) {}
    Objeto* clone() const override { throw std::runtime_error("sem cópia"); }
    void descreverGeometria(Geometria& g) const override { g.pontos(coordenadas()); }
};

} // namespace

// Mutations caught: a failure on another thread that is lost (no exception, a list with holes), a
// failed projection that keeps its copies; and, built with ThreadSanitizer, copies freed before the
// other threads have stopped writing them.
TEST(ProjecaoDeObjetosInteiros, FalhaDeUmaThreadParaAsOutrasENaoDeixaCopias)
{
    DisplayFile cena = grade();
    Window janela(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    janela.atualizarCPP(cena);
    std::vector<Objeto*>& objetos = cena.listaDeObjetos;
    DisplayFile mantida;
    // Which thread meets the object is chance: about half the tries, another one than this.
    for (int vez = 0; vez < 5; ++vez) {
        janela.atualizarProjecao(mantida);
        const auto onde = objetos.begin() + static_cast<std::ptrdiff_t>(objetos.size() * 3 / 4 - vez * 100);
        const auto sem = objetos.insert(onde, new SemCopia);
        EXPECT_THROW(janela.atualizarProjecao(mantida), std::runtime_error) << vez;
        EXPECT_TRUE(mantida.listaDeObjetos.empty()) << vez;
        delete *sem;
        objetos.erase(sem);

        janela.mover(0.1, 0, 0);
        int chamadas = 0;
        EXPECT_THROW(janela.atualizarProjecao(mantida,
                                              [&](std::size_t) {
                                                  ++chamadas;
                                                  throw std::runtime_error("pintura");
                                              }),
                     std::runtime_error)
            << vez;
        EXPECT_EQ(chamadas, 1) << vez;
        EXPECT_TRUE(mantida.listaDeObjetos.empty()) << vez;
    }
    janela.atualizarProjecao(mantida);
    EXPECT_EQ(mantida.listaDeObjetos.size(), objetos.size());
}

// The canvas draws runs of copies while another thread still projects the rest, labels and selection
// included. Mutation caught, built with ThreadSanitizer only: a canvas that draws a copy before the
// projection hands it over (one block ahead, say) reads what another thread is writing, and the race
// is reported even when the picture comes out right.
TEST(ProjecaoDeObjetosInteiros, CanvasDesenhaCadaCopiaSoDepoisDeEntregue)
{
    QViewport canvas(nullptr);
    canvas.resize(500, 400);
    *canvas.displayFile() = grade();
    canvas.janela()->atualizarCPP(*canvas.displayFile());
    canvas.showCoordinates(true);
    canvas.selecionar(canvas.displayFile()->listaDeObjetos[5000]);
    for (int vez = 0; vez < 3; ++vez) {
        // Kept copies after the first paint: the other thread rewrites them in place.
        pintura(canvas);
        ASSERT_TRUE(canvas.janela()->mover(0.02, -0.01, 0));
    }
    EXPECT_EQ(pintura(canvas), pinturaNova(canvas));
}

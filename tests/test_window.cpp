#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "bezier.h"
#include "displayfile.h"
#include "formatoxml.h"
#include "objeto3d.h"
#include "pertode.h"
#include "poligono.h"
#include "projetor.h"
#include "ponto.h"
#include "reta.h"
#include "window.h"

namespace {

Window janelaPadrao()
{
    return Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
}

::testing::AssertionResult mesmoPonto(const Matriz<1, 4>& p, double x, double y, double z, double eps = 1e-9)
{
    if (pertoDe(p(0, 0), x, eps) && pertoDe(p(0, 1), y, eps) && pertoDe(p(0, 2), z, eps))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p(0, 0) << ", " << p(0, 1) << ", " << p(0, 2) << ") is not ("
                                         << x << ", " << y << ", " << z << ")";
}

std::vector<Coordenada> desenhoDe(const Objeto* o, const Window* w)
{
    return std::vector<Coordenada>(o->inicioDoDesenho(w), o->fimDoDesenho(w));
}

std::vector<Coordenada> proprias(const Objeto* o)
{
    return std::vector<Coordenada>(o->inicioDasCoordenadas(), o->fimDasCoordenadas());
}

double areaDe(const std::vector<Coordenada>& anel)
{
    double soma = 0;
    for (std::size_t i = 0; i < anel.size(); ++i) {
        const Coordenada& a = anel[i];
        const Coordenada& b = anel[(i + 1) % anel.size()];
        soma += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(soma) / 2;
}

bool mesmosBits(const Window& a, const Window& b)
{
    const double da = a.distanciaFocal();
    const double db = b.distanciaFocal();
    const Coordenada ca = a.centro(), cb = b.centro();
    const Vetor ua = a.viewRightVector(), ub = b.viewRightVector();
    const Vetor va = a.viewUpVector(), vb = b.viewUpVector();
    return std::memcmp(&ca, &cb, sizeof ca) == 0 && std::memcmp(&ua, &ub, sizeof ua) == 0
           && std::memcmp(&va, &vb, sizeof va) == 0 && std::memcmp(&da, &db, sizeof da) == 0;
}

// The scene holds one object; the camera is the application's default.
class UmObjeto : public ::testing::Test {
protected:
    const Objeto* projetar(Objeto* o)
    {
        cena.listaDeObjetos.push_back(o);
        janela.atualizarCPP(cena);
        projecao = janela.coordenadasDePlanoDeProjecao();
        return projecao.listaDeObjetos.at(0);
    }
    std::vector<Coordenada> desenho(const Objeto* o) const { return desenhoDe(o, &janela); }

    DisplayFile cena;
    Window janela = janelaPadrao();
    DisplayFile projecao;
};

} // namespace

TEST(WindowConstrucao, JanelaPadrao)
{
    const Window w = janelaPadrao();
    EXPECT_TRUE(mesmoPonto(w.centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.viewRightVector(), 20, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.viewUpVector(), 0, 20, 0));
    EXPECT_EQ(w.distanciaFocal(), 10);
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), 0, 0, 1));
    EXPECT_TRUE(mesmoPonto(w.centroDeProjecao(), 0, 0, -10));
}

TEST(WindowConstrucao, RecusaJanelasSemSentido)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Caso {
        const char* nome;
        Coordenada a, b, cop;
    };
    const Caso casos[] = {
        {"COP no centro", Coordenada(-1, -1, 0), Coordenada(1, 1, 0), Coordenada(0, 0, 0)},
        {"largura nula", Coordenada(2, -1, 0), Coordenada(2, 1, 0), Coordenada(0, 0, -5)},
        {"altura nula", Coordenada(-1, 3, 0), Coordenada(1, 3, 0), Coordenada(0, 0, -5)},
        {"NaN", Coordenada(nan, -1, 0), Coordenada(1, 1, 0), Coordenada(0, 0, -5)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_THROW(Window(c.a, c.b, c.cop), std::invalid_argument);
    }
}

TEST(WindowConstrucao, OlhandoAoLongoDeX)
{
    // n = x̂: right comes from ŷ, so up stays ŷ and right is -ẑ (the frame rodar(0, 90, 0) gives).
    const Window w(Coordenada(-1, -3, -2), Coordenada(1, 3, 2), Coordenada(-5, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), 1, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.viewRightVector(), 0, 0, -2));
    EXPECT_TRUE(mesmoPonto(w.viewUpVector(), 0, 6, 0));
    EXPECT_EQ(w.distanciaFocal(), 5);
}

TEST(WindowConstrucao, CopOblíquoDaUmQuadroOrtonormal)
{
    const Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(10, 0, -10));
    const Vetor u = w.viewRightVector().normalizado();
    const Vetor v = w.viewUpVector().normalizado();
    const Vetor n = w.direcaoDeVisao();
    EXPECT_TRUE(mesmoPonto(n, -1 / std::sqrt(2.0), 0, 1 / std::sqrt(2.0)));
    EXPECT_TRUE(pertoDe(u.escalar(n), 0));
    EXPECT_TRUE(pertoDe(v.escalar(n), 0));
    EXPECT_TRUE(pertoDe(u.escalar(v), 0));
    EXPECT_TRUE(pertoDe(w.viewRightVector().modulo(), 20));
    EXPECT_TRUE(pertoDe(w.distanciaFocal(), std::sqrt(200.0)));
    EXPECT_TRUE(mesmoPonto(w.centroDeProjecao(), 10, 0, -10));
}

TEST_F(UmObjeto, ProjecoesFeitasAMao)
{
    struct Caso {
        const char* nome;
        Coordenada mundo;
        double x, y, z;
    };
    const Caso casos[] = {
        {"no plano da window fica onde está", Coordenada(3, 4, 0), 3, 4, 0},
        {"duas vezes mais longe do COP, metade do caminho ao centro", Coordenada(6, 8, 10), 3, 4, 10},
        {"na metade da distância, o dobro", Coordenada(2, -2, -5), 4, -4, -5},
        {"no eixo de visão", Coordenada(0, 0, 90), 0, 0, 90},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        cena = DisplayFile();
        const Objeto* p = projetar(new Ponto("P", Cor(), c.mundo));
        ASSERT_EQ(p->numeroDeCoordenadas(), 1);
        EXPECT_TRUE(mesmoPonto(*p->inicioDasCoordenadas(), c.x, c.y, c.z));
        ASSERT_EQ(p->tamanhoDoDesenho(&janela), 1);
        EXPECT_TRUE(mesmoPonto(*p->inicioDoDesenho(&janela), c.x, c.y, c.z));
    }
}

TEST_F(UmObjeto, PontosForaDaJanelaOuAtrasDoOlho)
{
    struct Caso {
        const char* nome;
        Coordenada mundo;
        int proprias;
        int desenhadas;
    };
    const Caso casos[] = {
        {"na quina, que conta como dentro", Coordenada(10, -10, 0), 1, 1},
        {"fora do retângulo", Coordenada(10.5, 0, 0), 1, 0},
        {"atrás do olho", Coordenada(1, 1, -20), 0, 0},
        {"entre o olho e o plano próximo", Coordenada(0, 0, -9.95), 0, 0},
        {"logo além do plano próximo", Coordenada(0, 0, -9.8), 1, 1},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        cena = DisplayFile();
        const Objeto* p = projetar(new Ponto("P", Cor(), c.mundo));
        EXPECT_EQ(p->numeroDeCoordenadas(), c.proprias);
        EXPECT_EQ(p->tamanhoDoDesenho(&janela), c.desenhadas);
    }
}

TEST(WindowCamera, OperacoesSobreUmPontoConhecido)
{
    struct Caso {
        const char* nome;
        void (*operar)(Window&);
        double x, y, z;
    };
    const Caso casos[] = {
        {"nada", [](Window&) {}, 3, 4, 0},
        {"um décimo da largura à direita", [](Window& w) { w.mover(0.1, 0, 0); }, 1, 4, 0},
        {"um décimo da altura para cima", [](Window& w) { w.mover(0, 0.1, 0); }, 3, 2, 0},
        {"um passo para dentro", [](Window& w) { w.mover(0, 0, 0.1); }, 3.75, 5, -2},
        {"zoom não muda a PPC", [](Window& w) { w.escala(0.5); }, 3, 4, 0},
        {"rodar(0, 0, 90): a cena gira um quarto no sentido horário", [](Window& w) { w.rodar(0, 0, 90); }, 4, -3, 0},
        {"rodar e desfazer", [](Window& w) { w.rodar(10, 20, 30); w.rodar(0, 0, -30); w.rodar(0, -20, 0); w.rodar(-10, 0, 0); },
         3, 4, 0},
        {"NaN é ignorado", [](Window& w) {
             const double nan = std::numeric_limits<double>::quiet_NaN();
             w.mover(nan, 0, 0);
             w.rodar(0, nan, 0);
             w.escala(nan);
         },
         3, 4, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        DisplayFile cena;
        cena.listaDeObjetos.push_back(new Ponto("P", Cor(), Coordenada(3, 4, 0)));
        Window w = janelaPadrao();
        w.atualizarCPP(cena);
        // The camera changes after atualizarCPP, and shows all the same.
        c.operar(w);
        const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
        EXPECT_TRUE(mesmoPonto(*projecao.listaDeObjetos.at(0)->inicioDasCoordenadas(), c.x, c.y, c.z));
    }
}

TEST(WindowCamera, Rotacoes)
{
    Window w = janelaPadrao();
    w.rodar(0, 0, 90);
    EXPECT_TRUE(mesmoPonto(w.viewRightVector(), 0, 20, 0));
    EXPECT_TRUE(mesmoPonto(w.viewUpVector(), -20, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.centroDeProjecao(), 0, 0, -10));

    w = janelaPadrao();
    w.rodar(0, 90, 0);
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), 1, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.centroDeProjecao(), -10, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.viewRightVector(), 0, 0, -20));
    EXPECT_TRUE(mesmoPonto(w.centro(), 0, 0, 0));

    w = janelaPadrao();
    w.rodar(90, 0, 0);
    EXPECT_TRUE(mesmoPonto(w.viewUpVector(), 0, 0, 20));
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), 0, -1, 0));
    EXPECT_TRUE(mesmoPonto(w.centroDeProjecao(), 0, 10, 0));

    // Each turn is about the axes as they stand after the one before: about û by 90 makes v̂ = ẑ,
    // so the turn about v̂ that follows is about ẑ.
    w = janelaPadrao();
    w.rodar(90, 90, 0);
    EXPECT_TRUE(mesmoPonto(w.viewUpVector(), 0, 0, 20));
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), 1, 0, 0));
    EXPECT_TRUE(mesmoPonto(w.viewRightVector(), 0, 20, 0));
}

TEST(WindowCamera, QuadroContinuaOrtonormalDepoisDeMuitasVoltas)
{
    Window w = janelaPadrao();
    for (int i = 0; i < 5000; ++i)
        w.rodar(7.3, -11.1, 13.7);
    const Vetor u = w.viewRightVector();
    const Vetor v = w.viewUpVector();
    EXPECT_TRUE(pertoDe(u.modulo(), 20, 1e-12));
    EXPECT_TRUE(pertoDe(v.modulo(), 20, 1e-12));
    EXPECT_TRUE(pertoDe(u.escalar(v) / 400, 0, 1e-14));
    EXPECT_TRUE(pertoDe(w.distanciaFocal(), 10));
    EXPECT_TRUE(mesmoPonto(w.centro(), 0, 0, 0));
    EXPECT_TRUE(pertoDe(Vetor(w.centro(), w.centroDeProjecao()).modulo(), 10, 1e-12));
}

TEST(WindowCamera, Escala)
{
    Window w = janelaPadrao();
    w.escala(0.9);
    w.escala(1.1);
    EXPECT_TRUE(pertoDe(w.viewRightVector().modulo(), 20 * 0.99));
    EXPECT_TRUE(pertoDe(w.viewUpVector().modulo(), 20 * 0.99));
    EXPECT_EQ(w.distanciaFocal(), 10);
    for (double f : {0.0, -2.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const Vetor antes = w.viewRightVector();
        w.escala(f);
        EXPECT_EQ(w.viewRightVector(), antes) << f;
    }
}

TEST(WindowCamera, EscalaEmTornoDeUmPontoODeixaNoLugar)
{
    // (3, 4) is at (0.15, 0.2) of the window's width and height before and after.
    DisplayFile cena;
    cena.listaDeObjetos.push_back(new Ponto("P", Cor(), Coordenada(3, 4, 0)));
    Window w = janelaPadrao();
    w.atualizarCPP(cena);
    w.escala(0.5, 3, 4);
    EXPECT_TRUE(pertoDe(w.viewRightVector().modulo(), 10));
    EXPECT_TRUE(pertoDe(w.viewUpVector().modulo(), 10));
    EXPECT_TRUE(mesmoPonto(w.centro(), 1.5, 2, 0));
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    EXPECT_TRUE(mesmoPonto(*projecao.listaDeObjetos.at(0)->inicioDasCoordenadas(), 1.5, 2, 0));

    // Refused factors move nothing either.
    const Window antes = w;
    for (double f : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        w.escala(f, 3, 4);
        EXPECT_EQ(w.centro(), antes.centro()) << f;
        EXPECT_EQ(w.viewRightVector(), antes.viewRightVector()) << f;
    }
}

TEST(WindowCamera, JanelaNaoQuadrada)
{
    // 4 wide and 20 tall: every step and every limit follows its own side.
    Window w(Coordenada(-2, -10, 0), Coordenada(2, 10, 0), Coordenada(0, 0, -10));
    w.mover(0.5, 0.5, 0);
    EXPECT_TRUE(mesmoPonto(w.centro(), 2, 10, 0));
    // A step along the view is a tenth of the width, as the other steps are of their own side.
    w.mover(0, 0, 0.5);
    EXPECT_TRUE(mesmoPonto(w.centro(), 2, 10, 2));
    w.rodar(0, 0, 90);
    EXPECT_TRUE(pertoDe(w.viewRightVector().modulo(), 4));
    EXPECT_TRUE(pertoDe(w.viewUpVector().modulo(), 20));
    w.rodar(0, 0, -90);

    // Seen from the centre: 1.5 right is inside, 3 right is not; 9 up is inside.
    DisplayFile cena;
    for (const Coordenada& p : {Coordenada(3.5, 10, 2), Coordenada(5, 10, 2), Coordenada(2, 19, 2)})
        cena.listaDeObjetos.push_back(new Ponto("p", Cor(), p));
    w.atualizarCPP(cena);
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    EXPECT_EQ(desenhoDe(projecao.listaDeObjetos[0], &w).size(), 1u);
    EXPECT_TRUE(desenhoDe(projecao.listaDeObjetos[1], &w).empty());
    EXPECT_EQ(desenhoDe(projecao.listaDeObjetos[2], &w).size(), 1u);
}

TEST(WindowCamera, EnquadrarPoeTodosOsPontosNaJanelaComMargem)
{
    // Far off to one side, deep and shallow, seen by a turned camera.
    const std::vector<Coordenada> pontos = {Coordenada(1000, 2000, 500), Coordenada(1040, 2010, 530),
                                            Coordenada(990, 1985, 470), Coordenada(1010, 2030, 515)};
    DisplayFile cena;
    for (const Coordenada& c : pontos)
        cena.listaDeObjetos.push_back(new Ponto("P", Cor(), c));
    Window w = janelaPadrao();
    w.rodar(20, -35, 10);
    w.escala(1.5);
    const Window antes = w;
    w.atualizarCPP(cena);
    ASSERT_TRUE(w.enquadrar(pontos, 0.05));

    EXPECT_TRUE(mesmoPonto(w.viewRightVector().normalizado(), antes.viewRightVector().normalizado().x(),
                           antes.viewRightVector().normalizado().y(), antes.viewRightVector().normalizado().z()));
    EXPECT_TRUE(mesmoPonto(w.direcaoDeVisao(), antes.direcaoDeVisao().x(), antes.direcaoDeVisao().y(),
                           antes.direcaoDeVisao().z()));
    EXPECT_EQ(w.distanciaFocal(), antes.distanciaFocal());
    EXPECT_TRUE(pertoDe(w.viewUpVector().modulo() / w.viewRightVector().modulo(), 1));

    // Every point inside, and on the tighter axis the outermost at 1/1.1 of the half-extent.
    const double meiaLargura = w.viewRightVector().modulo() / 2;
    const double meiaAltura = w.viewUpVector().modulo() / 2;
    double maiorX = 0, maiorY = 0;
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    for (const Objeto* o : projecao.listaDeObjetos) {
        ASSERT_EQ(o->tamanhoDoDesenho(&w), 1) << "drawn: in front of the eye and inside the window";
        maiorX = std::max(maiorX, std::fabs(o->inicioDasCoordenadas()->x()));
        maiorY = std::max(maiorY, std::fabs(o->inicioDasCoordenadas()->y()));
    }
    EXPECT_TRUE(pertoDe(std::max(maiorX / meiaLargura, maiorY / meiaAltura), 1 / 1.1, 1e-6));

    EXPECT_FALSE(w.enquadrar({}, 0.05));
    EXPECT_FALSE(w.enquadrar({Coordenada(std::numeric_limits<double>::infinity(), 0, 0)}, 0.05));
}

TEST(WindowCamera, ZoomMuitoProfundoMantemADirecaoDeVisao)
{
    // Past about 3,400 zooms in, |u|·|v| underflows; the view direction must not depend on it.
    Window w = janelaPadrao();
    for (int i = 0; i < 3600; ++i)
        w.escala(0.9);
    EXPECT_LT(w.viewRightVector().modulo(), 1e-150);
    const Vetor n = w.direcaoDeVisao();
    EXPECT_TRUE(pertoDe(n.x(), 0));
    EXPECT_TRUE(pertoDe(n.y(), 0));
    EXPECT_TRUE(pertoDe(n.z(), 1));
    EXPECT_TRUE(pertoDe(w.centroDeProjecao().z(), -10));
}

TEST_F(UmObjeto, CopiaProjetadaGuardaNomeTipoCorENivel)
{
    const Objeto* p = projetar(new Poligono("tri", Cor(10, 20, 30), {Coordenada(0, 0, 0), Coordenada(1, 0, 0),
                                                                    Coordenada(0, 1, 0)}, true));
    EXPECT_EQ(p->nome(), "tri");
    EXPECT_EQ(p->nomeDoTipo(), "Polígono");
    EXPECT_EQ(p->cor(), Cor(10, 20, 30));
    EXPECT_EQ(p->nivelDePreenchimento(), 2);
    EXPECT_NE(p, cena.listaDeObjetos[0]);
    // The original keeps its world coordinates and no drawing list.
    EXPECT_EQ(cena.listaDeObjetos[0]->tamanhoDoDesenho(&janela), 0);
}

TEST_F(UmObjeto, ListaDeDesenhoPertenceAJanelaQueAFez)
{
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(-1, 0, 0), Coordenada(1, 0, 0)));
    ASSERT_EQ(r->tamanhoDoDesenho(&janela), 2);
    EXPECT_EQ(r->inicioDoDesenho(&janela), r->inicioDoDesenho(&janela));
    EXPECT_EQ(r->fimDoDesenho(&janela), r->fimDoDesenho(&janela));
    EXPECT_EQ(r->fimDoDesenho(&janela) - r->inicioDoDesenho(&janela), 2);

    const Window outra = janela;
    EXPECT_EQ(r->tamanhoDoDesenho(&outra), 0);
    EXPECT_EQ(r->inicioDoDesenho(&outra), r->fimDoDesenho(&outra));
    EXPECT_EQ(r->tamanhoDoDesenho(nullptr), 0);
}

TEST(WindowProjecao, SemCenaNaoHaCopias)
{
    const Window w = janelaPadrao();
    EXPECT_TRUE(w.coordenadasDePlanoDeProjecao().listaDeObjetos.empty());
}

TEST_F(UmObjeto, SegmentoQueVaiParaTrasDoOlhoNaoApareceEspelhado)
{
    // From the window plane straight back past the eye (z = -10) to z = -20. Cut at zc = d/100:
    // camera (2, 1, 0.1) projects to (200, 100): the visible piece runs from (2, 1) out along
    // the same direction, to the right edge.
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(2, 1, 0), Coordenada(2, 1, -20)));
    const std::vector<Coordenada> d = desenho(r);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_TRUE(mesmoPonto(d[0], 2, 1, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 10, 5, d[1].z()));
    // Only the end in front of the eye is an own coordinate of the copy.
    EXPECT_EQ(r->numeroDeCoordenadas(), 1);
}

TEST_F(UmObjeto, PontoDeCorteNoPlanoProximoTemSuaProfundidade)
{
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(0.01, 0.02, 0), Coordenada(0.01, 0.02, -20)));
    const std::vector<Coordenada> d = desenho(r);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_TRUE(mesmoPonto(d[0], 0.01, 0.02, 0));
    // zc = 0.1: ×100, PPC z = 0.1 − 10.
    EXPECT_TRUE(mesmoPonto(d[1], 1, 2, -9.9));
}

TEST_F(UmObjeto, SegmentoTodoAtrasDoOlhoNaoDesenhaNada)
{
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(1, 1, -15), Coordenada(3, 3, -12)));
    EXPECT_EQ(r->tamanhoDoDesenho(&janela), 0);
    EXPECT_EQ(r->numeroDeCoordenadas(), 0);
}

TEST_F(UmObjeto, CorteNoPlanoProximoDeUmSegmentoMuitoLongoNaoEspelha)
{
    // From 1e18 the cut parameter rounds to 1: the end behind the eye must still be cut, not divided
    // by its negative depth (which drew this to (-5, -5)). The far end projects to the centre, the
    // cut to (50, 50), so the window shows the diagonal to its corner.
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(0, 0, 1e18), Coordenada(0.5, 0.5, -11)));
    const std::vector<Coordenada> d = desenho(r);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_TRUE(mesmoPonto(d[0], 0, 0, 1e18, 1));
    EXPECT_TRUE(mesmoPonto(d[1], 10, 10, d[1].z()));
}

TEST(WindowProjecao, NadaMaisPertoQueOPlanoProximoEmNenhumTipo)
{
    // Every kind, with the edge above and one that ends exactly at the eye (0, 0, -10). All that
    // is in front lies at x, y >= 0, so a mirrored point shows as a negative coordinate.
    const Coordenada longe(0, 0, 1e18), atras(0.5, 0.5, -11), olho(0, 0, -10), lado(0.5, 1, 0);
    DisplayFile cena;
    cena.listaDeObjetos = {
        new Reta("r", Cor(), longe, olho),
        new Poligono("contorno", Cor(), {longe, atras, lado}, false),
        new Poligono("cheio", Cor(), {longe, atras, lado}, true),
        new Poligono("cheio no olho", Cor(), {longe, olho, lado}, true),
        new Objeto3D("o", Cor(), {longe, atras, olho, lado}, {{0, 1}, {0, 2}, {2, 3}}),
        new Bezier("b", Cor(), {longe, atras, olho, lado}),
    };
    Window w = janelaPadrao();
    w.atualizarCPP(cena);
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    for (const Objeto* o : projecao.listaDeObjetos) {
        SCOPED_TRACE(o->nome());
        const std::vector<Coordenada> d = desenhoDe(o, &w);
        EXPECT_FALSE(d.empty());
        for (const Coordenada& c : d) {
            if (c.isNull())
                continue;
            EXPECT_TRUE(std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z()));
            EXPECT_GE(c.x(), 0.0);
            EXPECT_GE(c.y(), 0.0);
            EXPECT_GE(c.z(), 0.1 - 10);
        }
    }
}

TEST_F(UmObjeto, PoligonoPreenchidoMaiorQueAJanela)
{
    const Objeto* p = projetar(new Poligono("grande", Cor(), {Coordenada(-30, -25, 0), Coordenada(40, -30, 0),
                                                              Coordenada(35, 30, 0), Coordenada(-20, 40, 0)},
                                            true));
    const std::vector<Coordenada> d = desenho(p);
    ASSERT_GE(d.size(), 4u);
    for (const Coordenada& c : d) {
        EXPECT_FALSE(c.isNull());
        EXPECT_LE(std::fabs(c.x()), 10);
        EXPECT_LE(std::fabs(c.y()), 10);
    }
    EXPECT_TRUE(pertoDe(areaDe(d), 400));
    EXPECT_EQ(p->numeroDeCoordenadas(), 4);
}

TEST_F(UmObjeto, PoligonoPreenchidoConcavo)
{
    // A U open at the top, seen twice as far away as the window plane, so that everything halves:
    // inside the window it covers the window less a 10 × 10 notch.
    std::vector<Coordenada> u;
    for (auto [x, y] : std::vector<std::pair<double, double>>{
             {-15, -15}, {15, -15}, {15, 15}, {5, 15}, {5, 0}, {-5, 0}, {-5, 15}, {-15, 15}})
        u.emplace_back(2 * x, 2 * y, 10);
    const Objeto* p = projetar(new Poligono("U", Cor(), u, true));
    const std::vector<Coordenada> d = desenho(p);
    EXPECT_TRUE(pertoDe(areaDe(d), 300));
    for (const Coordenada& c : d)
        EXPECT_TRUE(mesmoPonto(c, c.x(), c.y(), 10));
}

TEST_F(UmObjeto, PoligonoQueContornaAJanelaSemCobriLaNaoDesenhaNada)
{
    // A C whose opening holds the whole window: nothing of it is visible.
    const Objeto* p = projetar(new Poligono("C", Cor(), {Coordenada(-30, -30, 0), Coordenada(30, -30, 0),
                                                         Coordenada(30, -20, 0), Coordenada(-20, -20, 0),
                                                         Coordenada(-20, 20, 0), Coordenada(30, 20, 0),
                                                         Coordenada(30, 30, 0), Coordenada(-30, 30, 0)},
                                           true));
    EXPECT_EQ(p->tamanhoDoDesenho(&janela), 0);
    EXPECT_EQ(p->numeroDeCoordenadas(), 8);
}

TEST_F(UmObjeto, PoligonoPreenchidoCortadoNoPlanoProximo)
{
    // One vertex behind the eye: the copy keeps the four vertices of the cut polygon.
    const Objeto* p = projetar(new Poligono("t", Cor(), {Coordenada(-1, -1, 0), Coordenada(1, -1, 0),
                                                         Coordenada(0, 1, -30)},
                                           true));
    ASSERT_EQ(p->numeroDeCoordenadas(), 4);
    for (const Coordenada& c : proprias(p))
        EXPECT_GE(c.z(), 0.1 - 10 - 1e-12);
    const std::vector<Coordenada> d = desenho(p);
    ASSERT_GE(d.size(), 3u);
    for (const Coordenada& c : d) {
        EXPECT_FALSE(c.isNull());
        // In front the polygon runs from y = -1 downwards; the apex behind the eye, mirrored,
        // would come out above, at (0, -0.5).
        EXPECT_LE(c.y(), -1.0 + 1e-9);
    }
}

TEST_F(UmObjeto, ContornoVisivelTerminaOndeComeca)
{
    const Objeto* p = projetar(new Poligono("t", Cor(), {Coordenada(0, 0, 0), Coordenada(4, 0, 0),
                                                         Coordenada(0, 3, 0)},
                                           false));
    const std::vector<Coordenada> d = desenho(p);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_TRUE(mesmoPonto(d[0], 0, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 4, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[2], 0, 3, 0));
    EXPECT_EQ(d[3], d[0]);
}

TEST_F(UmObjeto, ContornoCortadoEmV0FicaUmaSoRun)
{
    // v1 and v2 lie outside to the right: the piece that closes at v0 continues into the first.
    const Objeto* p = projetar(new Poligono("t", Cor(), {Coordenada(0, 0, 0), Coordenada(20, -5, 0),
                                                         Coordenada(20, 5, 0)},
                                           false));
    const std::vector<Coordenada> d = desenho(p);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_TRUE(mesmoPonto(d[0], 10, 2.5, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 0, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[2], 10, -2.5, 0));
}

TEST_F(UmObjeto, ContornoComDuasPartesVisiveis)
{
    // A long thin diamond whose middle crosses the window and whose ends lie outside: two runs.
    const Objeto* p = projetar(new Poligono("d", Cor(), {Coordenada(-30, 0, 0), Coordenada(0, -5, 0),
                                                         Coordenada(30, 0, 0), Coordenada(0, 5, 0)},
                                           false));
    const std::vector<Coordenada> d = desenho(p);
    ASSERT_EQ(d.size(), 7u);
    EXPECT_TRUE(d[3].isNull());
    EXPECT_TRUE(mesmoPonto(d[0], -10, -10.0 / 3, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 0, -5, 0));
    EXPECT_TRUE(mesmoPonto(d[2], 10, -10.0 / 3, 0));
    EXPECT_TRUE(mesmoPonto(d[4], 10, 10.0 / 3, 0));
    EXPECT_TRUE(mesmoPonto(d[5], 0, 5, 0));
    EXPECT_TRUE(mesmoPonto(d[6], -10, 10.0 / 3, 0));
}

TEST_F(UmObjeto, SegmentoComUmaPontaMuitoLongeMostraOQueCabeNaJanela)
{
    // Measured from the far end, the visible piece lies within 1e-99 of the parameter 1, which a
    // double cannot tell from 1: the cut must be measured from the near end.
    const Objeto* r = projetar(new Reta("r", Cor(), Coordenada(-1e100, -1e99, 0), Coordenada(0, 0, 0)));
    std::vector<Coordenada> d = desenho(r);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_TRUE(mesmoPonto(d[0], -10, -1, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 0, 0, 0));

    // The outline of a triangle with one vertex that far shows the same as the filled one.
    const std::vector<Coordenada> v = {Coordenada(-1e100, 0, 0), Coordenada(0, 5, 0), Coordenada(0, -5, 0)};
    Window w = janelaPadrao();
    DisplayFile df;
    df.listaDeObjetos = {new Poligono("c", Cor(), v, false), new Poligono("p", Cor(), v, true)};
    w.atualizarCPP(df);
    const DisplayFile p = w.coordenadasDePlanoDeProjecao();
    d = desenhoDe(p.listaDeObjetos[0], &w);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_TRUE(mesmoPonto(d[0], -10, 5, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 0, 5, 0));
    EXPECT_TRUE(mesmoPonto(d[2], 0, -5, 0));
    EXPECT_TRUE(mesmoPonto(d[3], -10, -5, 0));
    EXPECT_TRUE(pertoDe(areaDe(desenhoDe(p.listaDeObjetos[1], &w)), 100.0));
}

TEST_F(UmObjeto, PontaPorPoucoForaDaJanelaFicaNaBorda)
{
    // From x = −10 the segment's length rounds to 20: the cut at the right edge comes out at
    // parameter 1, on an end that lies outside the window.
    const Objeto* r =
        projetar(new Reta("r", Cor(), Coordenada(-10, 0, 0), Coordenada(std::nextafter(10.0, 11.0), 0, 0)));
    const std::vector<Coordenada> d = desenho(r);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].x(), -10.0);
    EXPECT_EQ(d[1].x(), 10.0);
}

TEST(WindowProjecao, ZoomProfundoNumVerticeMantemAsDuasArestas)
{
    // Width 2e-15 at the corner of a triangle of side 30: each edge crosses the window over a
    // stretch of 5e-17 of its length.
    Window w = janelaPadrao();
    w.escala(1e-16);
    const double meia = w.viewRightVector().modulo() / 2;
    DisplayFile df;
    df.listaDeObjetos.push_back(new Poligono("t", Cor(), {Coordenada(30, 0, 0), Coordenada(0, 0, 0),
                                                          Coordenada(0, 30, 0)},
                                             false));
    w.atualizarCPP(df);
    const DisplayFile p = w.coordenadasDePlanoDeProjecao();
    const std::vector<Coordenada> d = desenhoDe(p.listaDeObjetos[0], &w);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_TRUE(pertoDe(d[0].x() / meia, 1)) << d[0].x();
    EXPECT_EQ(d[0].y(), 0.0);
    EXPECT_EQ(d[1], Coordenada(0, 0, 0));
    EXPECT_EQ(d[2].x(), 0.0);
    EXPECT_TRUE(pertoDe(d[2].y() / meia, 1)) << d[2].y();
}

TEST_F(UmObjeto, CadaArestaDoObjeto3DEUmaRun)
{
    const Objeto* o = projetar(new Objeto3D("V", Cor(), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)},
                                            {{0, 1}, {1, 2}, {2, 0}}));
    const std::vector<Coordenada> d = desenho(o);
    ASSERT_EQ(d.size(), 8u);
    EXPECT_TRUE(d[2].isNull());
    EXPECT_TRUE(d[5].isNull());
    EXPECT_TRUE(mesmoPonto(d[0], 0, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[1], 1, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[3], 1, 0, 0));
    EXPECT_TRUE(mesmoPonto(d[7], 0, 0, 0));
}

TEST(WindowProjecao, ContratoDaListaDeDesenhoEmMuitasCameras)
{
    // A scene of every kind, much of it partly outside the window or behind the eye, seen by many
    // cameras: every list keeps to the contract.
    std::mt19937 aleatorio(12345);
    std::uniform_real_distribution<double> coordenada(-25, 25);
    const auto ponto = [&] { return Coordenada(coordenada(aleatorio), coordenada(aleatorio), coordenada(aleatorio)); };
    DisplayFile cena;
    for (int i = 0; i < 60; ++i) {
        switch (i % 5) {
        case 0:
            cena.listaDeObjetos.push_back(new Ponto("p", Cor(), ponto()));
            break;
        case 1:
            cena.listaDeObjetos.push_back(new Reta("r", Cor(), ponto(), ponto()));
            break;
        case 2:
            cena.listaDeObjetos.push_back(new Poligono("q", Cor(), {ponto(), ponto(), ponto(), ponto(), ponto()}, i % 2 == 0));
            break;
        case 3:
            cena.listaDeObjetos.push_back(new Bezier("b", Cor(), {ponto(), ponto(), ponto(), ponto(), ponto(), ponto(), ponto()}));
            break;
        default:
            cena.listaDeObjetos.push_back(new Objeto3D("o", Cor(), {ponto(), ponto(), ponto(), ponto()},
                                                       {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}}));
        }
    }
    Window w = janelaPadrao();
    w.atualizarCPP(cena);
    for (int camera = 0; camera < 12; ++camera) {
        SCOPED_TRACE(camera);
        const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
        ASSERT_EQ(projecao.listaDeObjetos.size(), cena.listaDeObjetos.size());
        const double meiaLargura = w.viewRightVector().modulo() / 2;
        const double meiaAltura = w.viewUpVector().modulo() / 2;
        const double zMinimo = w.distanciaFocal() / 100 - w.distanciaFocal();
        for (const Objeto* o : projecao.listaDeObjetos) {
            const std::vector<Coordenada> d = desenhoDe(o, &w);
            if (d.empty())
                continue;
            EXPECT_FALSE(d.front().isNull());
            EXPECT_FALSE(d.back().isNull());
            for (std::size_t i = 0; i < d.size(); ++i) {
                if (d[i].isNull()) {
                    EXPECT_NE(o->nivelDePreenchimento(), 2);
                    EXPECT_FALSE(d.at(i + 1).isNull());
                    continue;
                }
                EXPECT_LE(std::fabs(d[i].x()), meiaLargura * (1 + 1e-12));
                EXPECT_LE(std::fabs(d[i].y()), meiaAltura * (1 + 1e-12));
                EXPECT_GE(d[i].z(), zMinimo - 1e-9);
            }
            if (o->nivelDePreenchimento() == 1) {
                EXPECT_GE(d.size(), 2u);
            }
        }
        w.rodar(11, 23, 31);
        w.mover(0.3, -0.2, camera % 3 == 0 ? 0.6 : -0.25);
        w.escala(camera % 2 == 0 ? 0.7 : 1.6);
    }
}

namespace {

// A number from any scale up to 1e300, of either sign, sometimes 0.
double numeroExtremo(std::mt19937_64& g)
{
    static const double escalas[] = {0, 1e-300, 1e-10, 1, 10, 1e10, 1e100, 1e300};
    const double escala = escalas[g() % 8];
    return escala * std::uniform_real_distribution<double>(-1, 1)(g);
}

Vetor direcaoSorteada(std::mt19937_64& g)
{
    std::normal_distribution<double> normal;
    Vetor v;
    do
        v = Vetor(normal(g), normal(g), normal(g));
    while (v.modulo() < 1e-3);
    return v.normalizado();
}

// Every drawing list of projecao, which w made, holds finite numbers inside the rectangle, nothing
// nearer than the near plane, and nulls only between runs.
::testing::AssertionResult cumpreOContrato(const DisplayFile& projecao, const Window& w)
{
    // The rectangle and the near plane as the camera works them out.
    const double largura = w.viewRightVector().modulo();
    const double altura = w.viewUpVector().modulo();
    const double zMinimo = w.distanciaFocal() / 100.0 - w.distanciaFocal();
    for (std::size_t k = 0; k < projecao.listaDeObjetos.size(); ++k) {
        const Objeto* o = projecao.listaDeObjetos[k];
        const std::vector<Coordenada> lista = desenhoDe(o, &w);
        for (std::size_t i = 0; i < lista.size(); ++i) {
            const Coordenada& c = lista[i];
            const auto falha = [&] {
                return ::testing::AssertionFailure() << o->nome() << " (objeto " << k << "), ponto " << i << ": ";
            };
            if (c.isNull()) {
                if (!(o->nivelDePreenchimento() != 2 && i > 0 && i + 1 < lista.size() && !lista[i - 1].isNull()
                      && !lista[i + 1].isNull()))
                    return falha() << "nulo fora de lugar";
                continue;
            }
            if (!(std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z())))
                return falha() << c.x() << ", " << c.y() << ", " << c.z();
            if (!(c.x() >= -largura / 2.0 && c.x() <= largura / 2.0 && c.y() >= -altura / 2.0 && c.y() <= altura / 2.0))
                return falha() << std::setprecision(17) << c.x() << ", " << c.y() << " fora da janela";
            if (!(c.z() >= zMinimo))
                return falha() << "z = " << c.z() << " antes do plano próximo";
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(WindowProjecao, ContratoDaListaDeDesenhoEmCamerasEObjetosExtremos)
{
    // Cameras anywhere within the numbers the rule allows, and objects up to 1e300 with points at
    // the eye, on the near plane and on the window's edges, around the eye and across it: every
    // drawing list holds finite numbers inside the rectangle, nothing nearer than the near plane,
    // and nulls only between runs.
    std::mt19937_64 g(20261207);
    std::uniform_real_distribution<double> unidade(-1, 1);
    int cameras = 0;
    for (int tentativa = 0; cameras < 150 && tentativa < 1000; ++tentativa) {
        FormatoXml::EstadoDaWindow estado;
        estado.centro = Coordenada(numeroExtremo(g), numeroExtremo(g), numeroExtremo(g));
        const Vetor n = direcaoSorteada(g);
        const Vetor u = direcaoSorteada(g).vetorial(n).normalizado();
        const Vetor v = n.vetorial(u);
        estado.direita = u * std::pow(10.0, std::uniform_real_distribution<double>(-150, 150)(g));
        estado.cima = v * (estado.direita.modulo() * std::pow(10.0, unidade(g)));
        estado.distancia = std::pow(10.0, std::uniform_real_distribution<double>(-300, 300)(g));
        if (Window::defeito(estado.centro, estado.direita, estado.cima, estado.distancia) != DefeitoDaWindow::nenhum)
            continue;
        TiXmlElement elemento("window");
        FormatoXml::escreverWindow(&elemento, estado);
        Window w = janelaPadrao();
        w.restore(&elemento);
        ++cameras;

        const Coordenada olho = w.centroDeProjecao();
        const Vetor un = w.viewRightVector().normalizado();
        const Vetor vn = w.viewUpVector().normalizado();
        const Vetor nn = w.direcaoDeVisao();
        const double d = w.distanciaFocal();
        const double perto = d / 100.0;
        const Vetor meiaLargura = w.viewRightVector() * 0.5;
        const Vetor meiaAltura = w.viewUpVector() * 0.5;
        const auto ponto = [&]() -> Coordenada {
            switch (g() % 6) {
            case 0:
                return Coordenada(numeroExtremo(g), numeroExtremo(g), numeroExtremo(g));
            case 1:
                return olho;
            case 2: // on the near plane
                return olho + nn * perto + un * (perto * unidade(g)) + vn * (perto * unidade(g));
            case 3: // on an edge of the window
                return w.centro() + (g() % 2 == 0 ? meiaLargura : -meiaLargura) + meiaAltura * unidade(g);
            case 4: // a window's size around the eye, in front of it or behind
                return olho + un * (d * unidade(g)) + vn * (d * unidade(g)) + nn * (d * unidade(g));
            default: // around the window
                return w.centro() + meiaLargura * (3 * unidade(g)) + meiaAltura * (3 * unidade(g)) + nn * (d * unidade(g));
            }
        };
        DisplayFile cena;
        for (int i = 0; i < 12; ++i) {
            std::vector<Coordenada> p;
            for (int k = 0; k < 7; ++k)
                p.push_back(ponto());
            switch (i % 6) {
            case 0:
                cena.listaDeObjetos.push_back(new Ponto("p", Cor(), p[0]));
                break;
            case 1:
                cena.listaDeObjetos.push_back(new Reta("r", Cor(), p[0], p[1]));
                break;
            case 2:
            case 3:
                p.resize(5);
                cena.listaDeObjetos.push_back(new Poligono("q", Cor(), p, i % 6 == 3));
                break;
            case 4:
                cena.listaDeObjetos.push_back(new Bezier("b", Cor(), p));
                break;
            default:
                cena.listaDeObjetos.push_back(new Objeto3D("o", Cor(), p, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 0}}));
            }
        }
        w.atualizarCPP(cena);
        ASSERT_TRUE(cumpreOContrato(w.coordenadasDePlanoDeProjecao(), w)) << "câmera " << cameras;
    }
    EXPECT_EQ(cameras, 150);
}

TEST(WindowProjecao, ContratoDaListaDeDesenhoNasBordasNoPlanoProximoENosLimitesDosNumeros)
{
    // Points on, or a few ulps off, the window's edges and corners, the near plane and the eye,
    // where a crossing can land an ulp past an edge that an earlier cut pinned or an edge passes
    // through a corner; and coordinates at the ends of the range of doubles, where the differences
    // the clippers take overflow. Seen by the default camera, then turned, zoomed and panned.
    std::mt19937_64 g(31);
    std::uniform_real_distribution<double> unidade(-1, 1);
    const auto ulps = [&] { return 1 + DBL_EPSILON * static_cast<double>(static_cast<int>(g() % 9) - 4); };
    const auto talvezUlps = [&] { return g() % 2 == 0 ? 1.0 : ulps(); };
    Window w = janelaPadrao();
    for (int camera = 0; camera < 20; ++camera) {
        const Vetor meiaLargura = w.viewRightVector() * 0.5;
        const Vetor meiaAltura = w.viewUpVector() * 0.5;
        const Vetor n = w.direcaoDeVisao() * w.distanciaFocal();
        const auto ponto = [&]() -> Coordenada {
            static const double lados[] = {-1, 0, 1, -1, 1, 0.5};
            // The window's plane, the near plane (−0.99 is just behind it), the eye and beyond.
            static const double profundidades[] = {0, -0.99, -0.98999999999999999, -1, 1, -1.01};
            static const double limites[] = {DBL_MAX, 1e308, 1e154, 1, 1e-154, DBL_MIN, 4.9e-324, 0};
            if (g() % 3 == 0) {
                const auto limite = [&] { return limites[g() % 8] * (g() % 2 == 0 ? -1 : 1); };
                const double x = limite();
                const double y = limite();
                return Coordenada(x, y, limite());
            }
            const double a = lados[g() % 6] * talvezUlps();
            const double b = lados[g() % 6] * talvezUlps();
            return w.centro() + meiaLargura * a + meiaAltura * b + n * (profundidades[g() % 6] * ulps());
        };
        DisplayFile cena;
        for (int i = 0; i < 2000; ++i) {
            std::vector<Coordenada> p(3 + g() % 3);
            for (Coordenada& c : p)
                c = ponto();
            if (i % 4 == 3)
                cena.listaDeObjetos.push_back(new Objeto3D("o", Cor(), p, {{0, 1}, {1, 2}, {2, 0}}));
            else
                cena.listaDeObjetos.push_back(new Poligono("q", Cor(), p, i % 4 != 2));
        }
        w.atualizarCPP(cena);
        ASSERT_TRUE(cumpreOContrato(w.coordenadasDePlanoDeProjecao(), w)) << "câmera " << camera;
        w.rodar(360 * unidade(g), 360 * unidade(g), 360 * unidade(g));
        w.escala(std::pow(1.1, std::round(50 * unidade(g))));
        w.mover(unidade(g), unidade(g), unidade(g));
    }
}

TEST(WindowCamera, CadaCameraQueOsControlesAlcancamSalvaEVoltaBitABit)
{
    // Random walks of every control with amounts far past their limits: each control either keeps
    // the rule or changes nothing, and whatever camera results saves and reads back bit for bit.
    std::mt19937_64 g(7);
    std::uniform_real_distribution<double> unidade(-1, 1);
    Window w = janelaPadrao();
    for (int passo = 0; passo < 4000; ++passo) {
        const Window antes = w;
        bool feito = false;
        switch (g() % 4) {
        case 0:
            feito = w.escala(std::pow(10.0, 40 * unidade(g)));
            break;
        case 1:
            feito = w.mover(std::pow(10.0, 200 * unidade(g)) * unidade(g), unidade(g), std::pow(10.0, 20 * unidade(g)));
            break;
        case 2:
            feito = w.rodar(360 * unidade(g), 360 * unidade(g), 360 * unidade(g));
            break;
        default:
            feito = w.escala(std::pow(10.0, 40 * unidade(g)), 1e3 * unidade(g), 1e3 * unidade(g));
        }
        ASSERT_EQ(Window::defeito(w.centro(), w.viewRightVector(), w.viewUpVector(), w.distanciaFocal()),
                  DefeitoDaWindow::nenhum) << "passo " << passo;
        if (!feito) {
            ASSERT_TRUE(mesmosBits(w, antes)) << "passo " << passo;
        }
        TiXmlElement elemento("window");
        ASSERT_NO_THROW(w.persist(&elemento)) << "passo " << passo;
        Window lida = janelaPadrao();
        lida.restore(&elemento);
        ASSERT_TRUE(mesmosBits(w, lida)) << "passo " << passo;
    }
}

namespace {

// Back from a point of a drawing list (PPC, its depth kept) to the world point it shows.
Coordenada mundoDoDesenho(const Window& w, const Coordenada& p)
{
    const double d = w.distanciaFocal();
    const double zc = p.z() + d;
    return w.centroDeProjecao() + w.viewRightVector().normalizado() * (p.x() * zc / d)
           + w.viewUpVector().normalizado() * (p.y() * zc / d) + w.direcaoDeVisao() * zc;
}

double distanciaAoSegmento(const Coordenada& p, const Coordenada& a, const Coordenada& b)
{
    const Vetor ab(a, b), ap(a, p);
    const double t = std::clamp(ap.escalar(ab) / ab.escalar(ab), 0.0, 1.0);
    return Vetor(a + ab * t, p).modulo();
}

double distanciaNoPlano(double x, double y, const Coordenada& a, const Coordenada& b)
{
    return distanciaAoSegmento(Coordenada(x, y, 0), Coordenada(a.x(), a.y(), 0), Coordenada(b.x(), b.y(), 0));
}

// Checks the drawing of an object made of the world segments `pecas` (an outline's or edges', or a
// curve's as a fine polyline) against them: every drawn point shows a point of a piece in front of
// the near plane, every drawn chord lies along one piece (when cordasNasPecas), and every sampled
// point of the pieces that is in front and inside the window lies within tolerancia of the drawing.
void conferirContraAsPecas(const Window& w, const std::vector<Coordenada>& d,
                           const std::vector<std::pair<Coordenada, Coordenada>>& pecas, double perto,
                           double tolerancia, double noMundo, int amostrasPorPeca, bool cordasNasPecas)
{
    const auto naPeca = [&](const Coordenada& q, std::size_t i) {
        return distanciaAoSegmento(q, pecas[i].first, pecas[i].second) <= noMundo;
    };
    for (std::size_t k = 0; k < d.size(); ++k) {
        if (d[k].isNull())
            continue;
        const Coordenada q = mundoDoDesenho(w, d[k]);
        EXPECT_GE(d[k].z() + w.distanciaFocal(), perto * (1 - 1e-9)) << "point " << k;
        bool achou = false;
        for (std::size_t i = 0; i < pecas.size() && !achou; ++i)
            achou = naPeca(q, i);
        EXPECT_TRUE(achou) << "point " << k << " shows nothing of the object";
        if (cordasNasPecas && k + 1 < d.size() && !d[k + 1].isNull()) {
            const Coordenada r = mundoDoDesenho(w, d[k + 1]);
            bool juntos = false;
            for (std::size_t i = 0; i < pecas.size() && !juntos; ++i)
                juntos = naPeca(q, i) && naPeca(r, i);
            EXPECT_TRUE(juntos) << "chord " << k << " joins two pieces";
        }
    }
    const double meiaLargura = w.viewRightVector().modulo() / 2, meiaAltura = w.viewUpVector().modulo() / 2;
    const Vetor u = w.viewRightVector().normalizado(), v = w.viewUpVector().normalizado(), n = w.direcaoDeVisao();
    int vistos = 0;
    for (const auto& [a, b] : pecas) {
        for (int s = 0; s < amostrasPorPeca; ++s) {
            const Vetor ab(a, b);
            const Vetor rel(w.centroDeProjecao(), a + ab * (s / static_cast<double>(amostrasPorPeca)));
            const double zc = rel.escalar(n);
            if (!(zc > perto * 1.01))
                continue;
            const double x = rel.escalar(u) * w.distanciaFocal() / zc, y = rel.escalar(v) * w.distanciaFocal() / zc;
            if (std::fabs(x) > meiaLargura * 0.99 || std::fabs(y) > meiaAltura * 0.99)
                continue;
            ++vistos;
            double menor = std::numeric_limits<double>::infinity();
            for (std::size_t k = 0; k + 1 < d.size(); ++k)
                if (!d[k].isNull() && !d[k + 1].isNull())
                    menor = std::min(menor, distanciaNoPlano(x, y, d[k], d[k + 1]));
            EXPECT_LE(menor, tolerancia) << "a visible point at (" << x << ", " << y << ") is not drawn";
        }
    }
    EXPECT_GT(vistos, 50);
}

} // namespace

TEST(WindowProjecao, ContornoArestasECurvaQueAtravessamOPlanoProximo)
{
    // The eye at z = −10 and the near plane at z = −9.9: each of these crosses it, some edges near
    // the line of sight, so that the cut is inside the window.
    const std::vector<Coordenada> v = {Coordenada(-5, -3, 5), Coordenada(0.02, -0.01, -30), Coordenada(3, 4, -12),
                                       Coordenada(-4, 3, 10)};
    const Window w = janelaPadrao();
    const double perto = w.distanciaFocal() / 100;
    const auto desenhado = [&](Objeto* o) {
        DisplayFile cena;
        cena.listaDeObjetos.push_back(o);
        Window copia = w;
        copia.atualizarCPP(cena);
        const DisplayFile p = copia.coordenadasDePlanoDeProjecao();
        return desenhoDe(p.listaDeObjetos.at(0), &copia);
    };
    const std::vector<std::pair<Coordenada, Coordenada>> contorno = {{v[0], v[1]}, {v[1], v[2]}, {v[2], v[3]}, {v[3], v[0]}};
    {
        SCOPED_TRACE("contorno");
        conferirContraAsPecas(w, desenhado(new Poligono("q", Cor(), v, false)), contorno, perto, 1e-9, 1e-9, 200, true);
    }
    {
        SCOPED_TRACE("arestas");
        std::vector<std::pair<Coordenada, Coordenada>> arestas = contorno;
        arestas.emplace_back(v[0], v[2]);
        conferirContraAsPecas(w, desenhado(new Objeto3D("o", Cor(), v, {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}})),
                              arestas, perto, 1e-9, 1e-9, 200, true);
    }
    {
        SCOPED_TRACE("curva");
        // The curve as a polyline of 20,000 chords. A drawn point cut on the window's edge lies on a
        // chord within tolerance on screen, some 0.1 in the world at the depths here.
        std::vector<std::pair<Coordenada, Coordenada>> fina;
        const auto ponto = [&](double t) {
            const double s = 1 - t;
            const double b[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
            double x = 0, y = 0, z = 0;
            for (int i = 0; i < 4; ++i) {
                x += b[i] * v[i].x();
                y += b[i] * v[i].y();
                z += b[i] * v[i].z();
            }
            return Coordenada(x, y, z);
        };
        for (int i = 0; i < 20000; ++i)
            fina.emplace_back(ponto(i / 20000.0), ponto((i + 1) / 20000.0));
        conferirContraAsPecas(w, desenhado(new Bezier("b", Cor(), v)), fina, perto, 20.0 / 1000 * 1.001, 0.1, 1, false);
    }
}

// The default camera sees camera coordinates (x, y, z + 10) with d = 10 and the window [-10, 10]².
// From (0, 0, 0) to (60, 0, 20) the projection reaches the edge x = 10 halfway along the projected
// segment, but a quarter of the way along the segment in space: 600t / (10 + 20t) = 10.
TEST(TrechoVisivel, ParametroDoCorteEstaNoSegmentoEmEspaco)
{
    const Projetor p = janelaPadrao().projetor();
    double t0 = -1, t1 = -1;
    ASSERT_TRUE(p.trechoVisivel(Coordenada(0, 0, 0), Coordenada(60, 0, 20), t0, t1));
    EXPECT_DOUBLE_EQ(t0, 0.0);
    EXPECT_NEAR(t1, 0.25, 1e-12);
    // The same segment the other way round keeps the same piece of space.
    ASSERT_TRUE(p.trechoVisivel(Coordenada(60, 0, 20), Coordenada(0, 0, 0), t0, t1));
    EXPECT_NEAR(t0, 0.75, 1e-12);
    EXPECT_DOUBLE_EQ(t1, 1.0);
}

// From depth 0 to depth 20 along the line of sight: the near plane, depth 0.1, cuts at t = 0.005.
// Whatever lies in front of the near plane but wholly off the window is not drawn either.
TEST(TrechoVisivel, PlanoProximoCortaAntesDaJanela)
{
    const Projetor p = janelaPadrao().projetor();
    double t0 = -1, t1 = -1;
    ASSERT_TRUE(p.trechoVisivel(Coordenada(0, 0, -10), Coordenada(0, 0, 10), t0, t1));
    EXPECT_NEAR(t0, 0.005, 1e-12);
    EXPECT_DOUBLE_EQ(t1, 1.0);
    EXPECT_FALSE(p.trechoVisivel(Coordenada(0, 0, -20), Coordenada(60, 0, 20), t0, t1));
}

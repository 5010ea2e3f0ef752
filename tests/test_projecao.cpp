#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "estagios.h"
#include "objeto3d.h"
#include "pertode.h"
#include "ponto.h"
#include "projetor.h"
#include "reta.h"
#include "window.h"

namespace {

Window janelaPadrao()
{
    return Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
}

// ½·cos 45°, the oblique shift per unit of depth beyond the window.
const double k = 0.5 * std::sqrt(0.5);

// The drawing list of one object under w.
std::vector<Coordenada> desenhar(Window w, Objeto* o)
{
    DisplayFile cena;
    cena.listaDeObjetos.push_back(o);
    w.atualizarCPP(cena);
    const DisplayFile p = w.coordenadasDePlanoDeProjecao();
    const Objeto* c = p.listaDeObjetos.at(0);
    return std::vector<Coordenada>(c->inicioDoDesenho(&w), c->fimDoDesenho(&w));
}

::testing::AssertionResult em(const std::vector<Coordenada>& d, std::size_t i, double x, double y, double z)
{
    if (i >= d.size())
        return ::testing::AssertionFailure() << "the list has " << d.size() << " points";
    if (pertoDe(d[i].x(), x) && pertoDe(d[i].y(), y) && pertoDe(d[i].z(), z))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << d[i].x() << ", " << d[i].y() << ", " << d[i].z() << ") is not (" << x
                                         << ", " << y << ", " << z << ")";
}

} // namespace

// Worked by hand. Default camera: P = (4, 2, 10) has camera coordinates (4, 2, 20) from the COP,
// depth 10 beyond the window. Turned by 90° about v̂ (n = x̂, û = −ẑ, COP (−10, 0, 0)):
// P = (6, 3, −2) has (2, 3, 16), depth 6. Catches a wrong formula or sign in either parallel
// projection, the depth measured from the eye rather than the window, and perspective changed.
TEST(Projecao, PosicoesFeitasAMaoNasTresProjecoes)
{
    struct Caso {
        Projecao projecao;
        double x, y;
    };
    const Caso padrao[] = {{Projecao::perspectiva, 2, 1}, {Projecao::ortogonal, 4, 2},
                           {Projecao::obliqua, 4 + 10 * k, 2 + 10 * k}};
    for (const Caso& c : padrao) {
        Window w = janelaPadrao();
        w.definirProjecao(c.projecao);
        EXPECT_TRUE(em(desenhar(w, new Ponto("p", Cor(), Coordenada(4, 2, 10))), 0, c.x, c.y, 10));
    }
    const Caso girada[] = {{Projecao::perspectiva, 1.25, 1.875}, {Projecao::ortogonal, 2, 3},
                           {Projecao::obliqua, 2 + 6 * k, 3 + 6 * k}};
    for (const Caso& c : girada) {
        Window w = janelaPadrao();
        ASSERT_TRUE(w.rodar(0, 90, 0));
        w.definirProjecao(c.projecao);
        EXPECT_TRUE(em(desenhar(w, new Ponto("p", Cor(), Coordenada(6, 3, -2))), 0, c.x, c.y, 6));
    }
}

TEST(Projecao, ParalelaCortaNoPlanoProximoComoAPerspectiva)
{
    // From (0, 0, −15) (behind the eye) to (0, 5, 5): it crosses zc = 0.1 at a quarter and a
    // fiftieth of the way, y = 1.275. Catches a parallel projection that skips the near plane.
    for (const Projecao p : {Projecao::ortogonal, Projecao::obliqua}) {
        Window w = janelaPadrao();
        w.definirProjecao(p);
        const double o = obliquidadeDe(p);
        const auto d = desenhar(w, new Reta("r", Cor(), Coordenada(0, 0, -15), Coordenada(0, 5, 5)));
        ASSERT_EQ(d.size(), 2u);
        EXPECT_TRUE(em(d, 0, -9.9 * o, 1.275 - 9.9 * o, -9.9));
        EXPECT_TRUE(em(d, 1, 5 * o, 5 + 5 * o, 5));
    }
}

TEST(Projecao, DescarteSegueOsLadosDaProjecaoEmUso)
{
    // Just beyond the eye's near plane at x = 5: perspective puts it at x ≈ 50, off the window;
    // orthographic at x = 5. And at x = −12, depth 20: oblique moves it to x ≈ −4.9. Catches the
    // culling of whole objects judged against the perspective pyramid, or without the shift.
    const auto aresta = [](double x, double y, double z) {
        return new Objeto3D("a", Cor(), {Coordenada(x, y, z), Coordenada(x + 0.2, y, z)}, {{0, 1}});
    };
    Window w = janelaPadrao();
    EXPECT_TRUE(desenhar(w, aresta(5, 0, -9)).empty());
    w.definirProjecao(Projecao::ortogonal);
    EXPECT_TRUE(em(desenhar(w, aresta(5, 0, -9)), 0, 5, 0, -9));
    EXPECT_TRUE(desenhar(w, aresta(-12, -10, 20)).empty());
    w.definirProjecao(Projecao::obliqua);
    EXPECT_TRUE(em(desenhar(w, aresta(-12, -10, 20)), 0, -12 + 20 * k, -10 + 20 * k, 20));
}

TEST(Projecao, ParalelaDesfeitaEParametrosDaVistaExterna)
{
    // The outside view undoes the projection (paraMundo) and splits segments at the parameters
    // trechoVisivel gives. Catches the shift undone with the wrong sign, or a parallel segment's
    // parameters bent as the perspective division bends them.
    Window w = janelaPadrao();
    ASSERT_TRUE(w.rodar(20, -30, 10));
    w.definirProjecao(Projecao::obliqua);
    const Projetor p = w.projetor();
    const Coordenada mundo(3, -2, 7);
    std::vector<Coordenada> ppc;
    p.projetarCoordenadas({mundo}, ppc);
    ASSERT_EQ(ppc.size(), 1u);
    const Coordenada volta = p.paraMundo(ppc[0]);
    EXPECT_TRUE(pertoDe(volta.x(), 3) && pertoDe(volta.y(), -2) && pertoDe(volta.z(), 7));

    w = janelaPadrao();
    w.definirProjecao(Projecao::ortogonal);
    double t0, t1;
    ASSERT_TRUE(w.projetor().trechoVisivel(Coordenada(-20, 0, 0), Coordenada(20, 0, 40), t0, t1));
    EXPECT_TRUE(pertoDe(t0, 0.25));
    EXPECT_TRUE(pertoDe(t1, 0.75));
}

TEST(Projecao, EnquadrarParalelaPoeTudoNaJanela)
{
    // Catches framing that weighs points by the perspective division or forgets the oblique shift:
    // some point would fall outside, or the widest would not reach the margin.
    const std::vector<Coordenada> pontos = {Coordenada(0, 0, 0), Coordenada(100, 50, 300), Coordenada(-40, 80, -20)};
    for (const Projecao p : {Projecao::ortogonal, Projecao::obliqua}) {
        Window w = janelaPadrao();
        ASSERT_TRUE(w.rodar(10, 25, 0));
        w.definirProjecao(p);
        ASSERT_TRUE(w.enquadrar(pontos, 0.05));
        double maior = 0;
        for (const Coordenada& c : pontos) {
            const EstagiosDoVertice e = estagiosDoVertice(w, c);
            ASSERT_EQ(e.situacao, SituacaoDoVertice::dentro);
            maior = std::max({maior, std::fabs(e.xNormalizado), std::fabs(e.yNormalizado)});
        }
        EXPECT_TRUE(pertoDe(maior, 1 / 1.1));
    }
}

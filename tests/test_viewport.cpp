#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "geometria.h"
#include "objeto.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "viewport.h"
#include "window.h"

namespace {

// A surface of any size that writes down every hook call as "hook object-name".
class ViewportDeTeste : public Viewport {
public:
    ViewportDeTeste(int w = 640, int h = 480) : w(w), h(h) {}

    int largura() const override { return w; }
    int altura() const override { return h; }

    void adicionar(Objeto* objeto)
    {
        displayFile()->listaDeObjetos.push_back(objeto);
        janela()->atualizarCPP(*displayFile());
    }

    int w;
    int h;
    std::vector<std::string> chamadas;
    // Size of the drawing list, for this viewport's window, of every object a hook received.
    std::vector<int> tamanhosDosDesenhos;
    std::vector<const Objeto*> recebidos;

protected:
    void iniciarPintura() override { chamadas.push_back("iniciarPintura"); }
    void repintar0(Objeto* atual) override { registrar("repintar0", atual); }
    void repintar1(Objeto* atual) override { registrar("repintar1", atual); }
    void repintar2(Objeto* atual) override { registrar("repintar2", atual); }
    void pintarInformacoes(Objeto* atual) override { registrar("pintarInformacoes", atual); }
    void finalizarPintura() override { chamadas.push_back("finalizarPintura"); }

private:
    void registrar(const std::string& gancho, Objeto* atual)
    {
        chamadas.push_back(gancho + " " + atual->nome());
        tamanhosDosDesenhos.push_back(atual->tamanhoDoDesenho(janela()));
        recebidos.push_back(atual);
    }
};

// An object of any fill level, drawn as loose points.
class ObjetoDeNivel : public Objeto {
public:
    ObjetoDeNivel(std::string nome, std::vector<Coordenada> coordenadas, char nivel)
        : Objeto(std::move(nome), Cor(), std::move(coordenadas), nivel)
    {
    }
    Objeto* clone() const override { return new ObjetoDeNivel(*this); }
    void descreverGeometria(Geometria& g) const override { g.pontos(_coordenadas); }
    std::string nomeDoTipo() const override { return "Teste"; }
};

using Chamadas = std::vector<std::string>;

// ---- the window-to-viewport mapping ----------------------------------------------------------

struct CasoDeMapeamento {
    const char* descricao;
    int w;
    int h;
    double escala; // applied to the default 20 × 20 window
    Coordenada entrada;
    double px;
    double py;
};

void PrintTo(const CasoDeMapeamento& caso, std::ostream* os)
{
    *os << caso.descricao;
}

class Mapeamento : public ::testing::TestWithParam<CasoDeMapeamento> {};

TEST_P(Mapeamento, DaOPixelEsperado)
{
    const CasoDeMapeamento& caso = GetParam();
    ViewportDeTeste vp(caso.w, caso.h);
    if (caso.escala != 1)
        vp.janela()->escala(caso.escala);
    const Coordenada pixel = vp.windowToViewport(caso.entrada);
    EXPECT_EQ(pixel.x(), caso.px) << caso.descricao;
    EXPECT_EQ(pixel.y(), caso.py) << caso.descricao;
    EXPECT_EQ(pixel.z(), caso.entrada.z()) << caso.descricao;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Mapeamento,
    ::testing::Values(
        CasoDeMapeamento{"centro", 640, 480, 1, Coordenada(0, 0, -3.75), 320, 240},
        CasoDeMapeamento{"canto inferior esquerdo", 640, 480, 1, Coordenada(-10, -10, 0), 20, 460},
        CasoDeMapeamento{"canto superior direito", 640, 480, 1, Coordenada(10, 10, 0), 620, 20},
        CasoDeMapeamento{"ponto interior", 640, 480, 1, Coordenada(5, 5, 1.5), 470, 130},
        CasoDeMapeamento{"fora da janela, sem limite", 640, 480, 1, Coordenada(20, 0, 0), 920, 240},
        CasoDeMapeamento{"centro ímpar arredonda para cima", 641, 481, 1, Coordenada(0, 0, 0), 321, 241},
        CasoDeMapeamento{"tamanho mínimo do canvas", 600, 600, 1, Coordenada(1, 2, 7.25), 328, 244},
        // 680 × 680: aX = 32, bX = 340, aY = −32, bY = 340, so these land exactly on halves.
        CasoDeMapeamento{"meio positivo", 680, 680, 1, Coordenada(0.015625, -0.015625, 0), 341, 341},
        CasoDeMapeamento{"meio negativo", 680, 680, 1, Coordenada(-10.640625, 10.640625, 0), -1, -1},
        CasoDeMapeamento{"dois e meio negativo", 680, 680, 1, Coordenada(-10.703125, 10.703125, 0), -3, -3},
        CasoDeMapeamento{"janela reduzida: canto", 640, 480, 0.5, Coordenada(5, 5, 0), 620, 20},
        CasoDeMapeamento{"janela reduzida: interior", 640, 480, 0.5, Coordenada(2.5, -2.5, 0), 470, 350},
        CasoDeMapeamento{"janela ampliada", 640, 480, 2, Coordenada(-20, 10, 0), 20, 130},
        CasoDeMapeamento{"40 de largura: tudo na coluna 20", 40, 480, 1, Coordenada(-7, 0, 0), 20, 240},
        CasoDeMapeamento{"40 de largura, longe", 40, 480, 1, Coordenada(1000, 0, 0), 20, 240},
        CasoDeMapeamento{"40 de altura: tudo na linha 20", 640, 40, 1, Coordenada(0, 9, 0), 320, 20},
        CasoDeMapeamento{"estreita espelha: esquerda", 30, 30, 1, Coordenada(-10, -10, 0), 20, 10},
        CasoDeMapeamento{"estreita espelha: direita", 30, 30, 1, Coordenada(10, 10, 0), 10, 20},
        CasoDeMapeamento{"estreita espelha: meio", 30, 30, 1, Coordenada(4, -4, 0), 13, 13}));

TEST(MapeamentoDaJanela, EixosComEscalasDiferentes)
{
    ViewportDeTeste vp(640, 480);
    // 40 wide and 10 high: aX = 15, bX = 320, aY = −44, bY = 240.
    *vp.janela() = Window(Coordenada(-20, -5, 0), Coordenada(20, 5, 0), Coordenada(0, 0, -10));
    EXPECT_EQ(vp.windowToViewport(Coordenada(20, 5, 0)), Coordenada(620, 20, 0));
    EXPECT_EQ(vp.windowToViewport(Coordenada(-20, -5, 0)), Coordenada(20, 460, 0));
    EXPECT_EQ(vp.windowToViewport(Coordenada(4, 1, 0)), Coordenada(380, 196, 0));
}

TEST(MapeamentoDaJanela, LeTamanhoECameraACadaChamada)
{
    ViewportDeTeste vp(640, 480);
    const Coordenada canto(10, 10, 0);
    EXPECT_EQ(vp.windowToViewport(canto), Coordenada(620, 20, 0));
    vp.w = 800;
    vp.h = 700;
    EXPECT_EQ(vp.windowToViewport(canto), Coordenada(780, 20, 0));
    vp.janela()->escala(2); // the corner is now half-way to the edge
    EXPECT_EQ(vp.windowToViewport(canto), Coordenada(590, 185, 0));
    // Panning moves the camera, not the projection-plane origin: the mapping does not change.
    vp.janela()->mover(0.1, 0, 0);
    EXPECT_EQ(vp.windowToViewport(canto), Coordenada(590, 185, 0));
}

// The mapping's own rounding against the library's, bit for bit (the sign of zero too): halves,
// the neighbours of halves, values near 2^52 and 2^63, and random bit patterns of every exponent.
TEST(MapeamentoDaJanela, ArredondaComoStdRound)
{
    std::vector<double> valores{0.0, -0.0, 0.5, -0.5, 1.5, -2.5, 0.49999999999999994, -0.49999999999999994,
                                4503599627370495.5, -4503599627370495.5, 0x1p52, 0x1p53 + 2, 0x1p63, -0x1p63,
                                1e300, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::min()};
    for (double meio = 0.5; meio < 1e6; meio = meio * 3 + 1)
        for (const double v : {meio, -meio})
            valores.insert(valores.end(), {v, std::nextafter(v, 0.0), std::nextafter(v, 2 * v)});
    std::mt19937_64 motor(52);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = motor();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        valores.push_back(v);
        valores.push_back(std::uniform_real_distribution<double>(-3000, 3000)(motor));
    }
    for (const double v : valores) {
        const double esperado = std::round(v);
        const double obtido = Viewport::Mapeamento::arredondar(v);
        if (std::isnan(esperado)) {
            EXPECT_TRUE(std::isnan(obtido));
            continue;
        }
        ASSERT_EQ(std::signbit(obtido), std::signbit(esperado)) << v;
        ASSERT_EQ(obtido, esperado) << std::hexfloat << v;
    }
}

// ---- the repaint loop ------------------------------------------------------------------------

TEST(LacoDePintura, CenaVaziaSoIniciaEFinaliza)
{
    ViewportDeTeste vp;
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "finalizarPintura"}));
    vp.chamadas.clear();
    vp.showCoordinates(true);
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "finalizarPintura"}));
}

TEST(LacoDePintura, CadaNivelChamaOSeuGanchoNaOrdemDaCena)
{
    ViewportDeTeste vp;
    vp.adicionar(new Reta("r", Cor(), Coordenada(-1, 0, 0), Coordenada(1, 0, 0)));
    vp.adicionar(new Ponto("p", Cor(), Coordenada(2, 2, 0)));
    vp.adicionar(new Poligono("t", Cor(), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)}, true));
    vp.adicionar(new Poligono("c", Cor(), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)}, false));
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "repintar1 r", "repintar0 p", "repintar2 t", "repintar1 c",
                                     "finalizarPintura"}));
}

TEST(LacoDePintura, ComCoordenadasCadaObjetoGanhaRotulosEMarcas)
{
    ViewportDeTeste vp;
    vp.adicionar(new Reta("r", Cor(), Coordenada(-1, 0, 0), Coordenada(1, 0, 0)));
    vp.adicionar(new Ponto("p", Cor(), Coordenada(2, 2, 0)));
    vp.adicionar(new Poligono("t", Cor(), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)}, true));
    vp.showCoordinates(true);
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura",
                                     "repintar1 r", "pintarInformacoes r", "repintar0 r",
                                     "repintar0 p", "pintarInformacoes p", "repintar0 p",
                                     "repintar2 t", "pintarInformacoes t", "repintar0 t",
                                     "finalizarPintura"}));

    // Off again: the next repaint is back to shapes only.
    vp.chamadas.clear();
    vp.showCoordinates(false);
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "repintar1 r", "repintar0 p", "repintar2 t", "finalizarPintura"}));
}

TEST(LacoDePintura, NivelDesconhecidoSoGanhaRotulosEMarcas)
{
    ViewportDeTeste vp;
    vp.adicionar(new ObjetoDeNivel("x", {Coordenada(1, 1, 0)}, 3));
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "finalizarPintura"}));
    vp.chamadas.clear();
    vp.showCoordinates(true);
    vp.repintar();
    EXPECT_EQ(vp.chamadas, (Chamadas{"iniciarPintura", "pintarInformacoes x", "repintar0 x", "finalizarPintura"}));
}

TEST(LacoDePintura, GanchosRecebemAsCopiasProjetadasPelaJanela)
{
    ViewportDeTeste vp;
    Reta* original = new Reta("r", Cor(), Coordenada(-1, 0, 0), Coordenada(1, 0, 0));
    vp.adicionar(original);
    vp.showCoordinates(true);
    vp.repintar();
    ASSERT_EQ(vp.recebidos.size(), 3u);
    for (std::size_t i = 0; i < vp.recebidos.size(); ++i) {
        EXPECT_NE(vp.recebidos[i], original);
        // The original has no drawing list; the window's projected copy of a visible segment does.
        EXPECT_EQ(vp.tamanhosDosDesenhos[i], 2);
    }
    // One repaint's copy serves all of one object's hooks.
    EXPECT_EQ(vp.recebidos[0], vp.recebidos[1]);
    EXPECT_EQ(vp.recebidos[1], vp.recebidos[2]);
}

TEST(LacoDePintura, MostraACameraAtualSemReprojetar)
{
    ViewportDeTeste vp;
    vp.adicionar(new Ponto("p", Cor(), Coordenada(9, 0, 0)));
    vp.repintar();
    EXPECT_EQ(vp.tamanhosDosDesenhos, std::vector<int>{1});
    // Half a window to the left puts the point outside; no atualizarCPP in between.
    vp.janela()->mover(-0.5, 0, 0);
    vp.tamanhosDosDesenhos.clear();
    vp.repintar();
    EXPECT_EQ(vp.tamanhosDosDesenhos, std::vector<int>{0});
}

} // namespace

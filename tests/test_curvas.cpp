#include <cmath>
#include <algorithm>
#include <functional>
#include <memory>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "bezier.h"
#include "bspline.h"
#include "curvas.h"
#include "displayfile.h"
#include "pertode.h"
#include "window.h"

namespace {

// The default camera in camera-space terms: d = 10, near plane at 0.1, window [-10, 10]².
const Vista vistaPadrao{10, 0.1, {-10, 10, -10, 10}, 20.0 / 1000};

struct Ponto2 {
    double x, y;
};

PontoDeCamera bernstein(const PontoDeCamera (&c)[4], double t)
{
    const double s = 1 - t;
    const double b[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
    PontoDeCamera p{0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        p.x += b[i] * c[i].x;
        p.y += b[i] * c[i].y;
        p.z += b[i] * c[i].z;
    }
    return p;
}

double distanciaAoSegmento(Ponto2 p, Ponto2 a, Ponto2 b)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double l2 = vx * vx + vy * vy;
    double t = l2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / l2 : 0;
    t = std::fmax(0, std::fmin(1, t));
    return std::hypot(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

// Distance from p to a drawn polyline whose runs are separated by breaks (null points).
double distanciaAPolilinha(Ponto2 p, const std::vector<Ponto2>& linha, const std::vector<bool>& quebra)
{
    double menor = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i + 1 < linha.size(); ++i)
        if (!quebra[i] && !quebra[i + 1])
            menor = std::fmin(menor, distanciaAoSegmento(p, linha[i], linha[i + 1]));
    return menor;
}

// The largest distance from the true projected curve, sampled where it lies well inside the
// rectangle, to the drawn polyline. Also counts the samples that were inside.
double maiorDesvio(const std::function<Ponto2(double)>& curva, double t0, double t1, const Retangulo& r,
                   double margem, const std::vector<Ponto2>& linha, const std::vector<bool>& quebra, int& amostras)
{
    double maior = 0;
    amostras = 0;
    const int n = 4000;
    for (int i = 0; i <= n; ++i) {
        const Ponto2 p = curva(t0 + (t1 - t0) * i / n);
        if (p.x < r.xMin + margem || p.x > r.xMax - margem || p.y < r.yMin + margem || p.y > r.yMax - margem)
            continue;
        ++amostras;
        maior = std::fmax(maior, distanciaAPolilinha(p, linha, quebra));
    }
    return maior;
}

Ponto2 projetarNaVista(const PontoDeCamera& c, const Vista& v)
{
    return {c.x * v.distancia / c.z, c.y * v.distancia / c.z};
}

} // namespace

TEST(PontoDeBezier, IgualAoPolinomioDeBernstein)
{
    const PontoDeCamera c[4] = {{-8, -5, 3}, {-3, 9, 15}, {4, -9, 2}, {9, 6, 5}};
    for (double t : {0.0, 0.1, 0.25, 0.5, 0.8, 1.0}) {
        SCOPED_TRACE(t);
        const PontoDeCamera a = pontoDeBezier(c, t);
        const PontoDeCamera b = bernstein(c, t);
        EXPECT_TRUE(pertoDe(a.x, b.x, 1e-12));
        EXPECT_TRUE(pertoDe(a.y, b.y, 1e-12));
        EXPECT_TRUE(pertoDe(a.z, b.z, 1e-12));
    }
}

class Achatamento : public ::testing::Test {
protected:
    // Flattens c and checks the polyline against the true projected curve under v.
    void verificarTolerancia(const PontoDeCamera (&c)[4], const Vista& v, double t0 = 0, double t1 = 1)
    {
        std::vector<PontoDeCamera> saida = {c[0]};
        achatarBezier(c, v, saida);
        ASSERT_GE(saida.size(), 2u);
        EXPECT_EQ(saida.back().x, c[3].x);
        EXPECT_EQ(saida.back().y, c[3].y);
        EXPECT_EQ(saida.back().z, c[3].z);
        std::vector<Ponto2> linha;
        for (const PontoDeCamera& p : saida)
            linha.push_back(projetarNaVista(p, v));
        const std::vector<bool> quebra(linha.size(), false);
        int amostras = 0;
        const double desvio = maiorDesvio([&](double t) { return projetarNaVista(bernstein(c, t), v); }, t0, t1,
                                          v.retangulo, 0, linha, quebra, amostras);
        EXPECT_GT(amostras, 100);
        EXPECT_LE(desvio, v.tolerancia);
        pontos = saida.size();
    }

    std::size_t pontos = 0;
};

TEST_F(Achatamento, DentroDaToleranciaNaVistaPadrao)
{
    const PontoDeCamera c[4] = {{-8, -5, 10}, {-3, 9, 25}, {4, -9, 5}, {9, 6, 15}};
    verificarTolerancia(c, vistaPadrao);
    // Flat enough is not too fine: a smooth curve across the window takes tens of chords, not thousands.
    EXPECT_LT(pontos, 200u);
}

TEST_F(Achatamento, DentroDaToleranciaNumaVistaMuitoFechada)
{
    // The same curve seen through a window 10⁷ times narrower, centred on its point at t = 0.3.
    const PontoDeCamera c[4] = {{-8, -5, 10}, {-3, 9, 25}, {4, -9, 5}, {9, 6, 15}};
    const Ponto2 centro = projetarNaVista(bernstein(c, 0.3), vistaPadrao);
    PontoDeCamera deslocada[4];
    for (int i = 0; i < 4; ++i) // move the curve so that the point projects to the centre
        deslocada[i] = {c[i].x - centro.x * c[i].z / 10, c[i].y - centro.y * c[i].z / 10, c[i].z};
    // That shear keeps Bézier structure: it is affine (x' = x - a·z).
    const double meia = 1e-6;
    const Vista fechada{10, 0.1, {-meia, meia, -meia, meia}, 2 * meia / 1000};
    // The curve moves at some 30 units per unit of t on the plane: ±1e-6 of t crosses the window.
    verificarTolerancia(deslocada, fechada, 0.3 - 1e-6, 0.3 + 1e-6);
}

TEST_F(Achatamento, CurvaLongeDaJanelaCustaUmaCorda)
{
    const PontoDeCamera c[4] = {{1000, 0, 10}, {1200, 500, 10}, {1500, -300, 20}, {1100, 40, 12}};
    std::vector<PontoDeCamera> saida;
    achatarBezier(c, vistaPadrao, saida);
    ASSERT_EQ(saida.size(), 1u);
    EXPECT_EQ(saida[0].x, 1100);

    const PontoDeCamera atras[4] = {{0, 0, -10}, {5, 5, -20}, {-5, 3, -1}, {1, 1, -3}};
    saida.clear();
    achatarBezier(atras, vistaPadrao, saida);
    EXPECT_EQ(saida.size(), 1u);
}

TEST_F(Achatamento, CurvaQueAtravessaOPlanoProximoTemTrabalhoLimitado)
{
    const PontoDeCamera c[4] = {{-3, 1, -20}, {-1, 4, 30}, {2, -4, -15}, {3, 2, 25}};
    std::vector<PontoDeCamera> saida;
    achatarBezier(c, vistaPadrao, saida);
    EXPECT_EQ(saida.back().z, 25);
    EXPECT_LT(saida.size(), 2000u);
}

TEST_F(Achatamento, NumerosRuinsTerminam)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const PontoDeCamera comNaN[4] = {{0, 0, 10}, {nan, 1, 10}, {1, 1, 10}, {2, 0, 10}};
    std::vector<PontoDeCamera> saida;
    achatarBezier(comNaN, vistaPadrao, saida);
    EXPECT_EQ(saida.size(), 1u);

    // Huge numbers: rounding noise alone is far larger than the window, so no depth is ever flat.
    const PontoDeCamera enormes[4] = {{-1e300, 3e299, 10}, {1e300, -1e300, 1e300}, {5e299, 1e300, 1e290}, {1e300, 0, 10}};
    saida.clear();
    achatarBezier(enormes, vistaPadrao, saida);
    EXPECT_LE(saida.size(), static_cast<std::size_t>(subdivisoesMaximasPorSegmento) + 1);
    EXPECT_EQ(saida.back().x, 1e300);
}

TEST_F(Achatamento, PedacoQueNaoProjetaNumNumeroNaoSeDivide)
{
    // A distance so small that the near plane is 0: controls at the eye project to NaN, and
    // no split can ever make such a piece flat.
    const Vista olhoNoPlano{4e-323, 0, {-10, 10, -10, 10}, 20.0 / 1000};
    const PontoDeCamera c[4] = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    std::vector<PontoDeCamera> saida;
    EXPECT_EQ(achatarBezier(c, olhoNoPlano, saida), 0);
    EXPECT_EQ(saida.size(), 1u);
}

TEST_F(Achatamento, CadeiaSemRemedioTemUmOrcamentoSo)
{
    // With no tolerance no visible piece is ever flat, and each segment would spend the whole budget
    // of a segment: a long chain must share one that grows with its length only.
    const Vista semTolerancia{10, 0.1, {-10, 10, -10, 10}, 0};
    const std::size_t segmentos = 100;
    std::vector<PontoDeCamera> c = {{-5, -5, 10}};
    for (std::size_t i = 0; i < segmentos; ++i) {
        const double lado = i % 2 == 0 ? 5 : -5;
        c.insert(c.end(), {{-lado, 5, 10}, {lado, 5, 10}, {lado, -5, 10}});
    }
    std::vector<PontoDeCamera> saida;
    long long orcamento = subdivisoesMaximasPorSegmento;
    achatarCadeiaDeBezier(c, semTolerancia, saida, orcamento);
    // One point per segment and one more per subdivision.
    EXPECT_LE(saida.size(), segmentos + subdivisoesMaximasPorSegmento + segmentos * subdivisoesMediasPorSegmento);
    EXPECT_EQ(saida.back().x, c.back().x);
}

namespace {

// What the canvas would draw for one curve object seen by w, in PPC, breaks marked.
struct Desenho {
    std::vector<Ponto2> linha;
    std::vector<bool> quebra;
};

Desenho desenhar(const Objeto* original, Window& w)
{
    DisplayFile cena;
    cena.listaDeObjetos.push_back(original->clone());
    w.atualizarCPP(cena);
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    const Objeto* o = projecao.listaDeObjetos.at(0);
    Desenho d;
    for (auto it = o->inicioDoDesenho(&w); it != o->fimDoDesenho(&w); ++it) {
        d.linha.push_back({it->x(), it->y()});
        d.quebra.push_back(it->isNull());
    }
    return d;
}

// The camera's projection of a world point, worked out from the camera's own vectors.
Ponto2 projetarNaJanela(const Window& w, const Coordenada& p)
{
    const Vetor relativo(w.centroDeProjecao(), p);
    const double zc = relativo.escalar(w.direcaoDeVisao());
    const double d = w.distanciaFocal();
    return {relativo.escalar(w.viewRightVector().normalizado()) * d / zc,
            relativo.escalar(w.viewUpVector().normalizado()) * d / zc};
}

Retangulo retanguloDe(const Window& w)
{
    const double a = w.viewRightVector().modulo() / 2;
    const double b = w.viewUpVector().modulo() / 2;
    return {-a, a, -b, b};
}

Coordenada combinar(const double (&pesos)[4], const Coordenada* p)
{
    double x = 0, y = 0, z = 0;
    for (int i = 0; i < 4; ++i) {
        x += pesos[i] * p[i].x();
        y += pesos[i] * p[i].y();
        z += pesos[i] * p[i].z();
    }
    return Coordenada(x, y, z);
}

// Closed forms, on the parameter u ∈ [0, segments] of the whole curve.
Coordenada bezierFechada(const std::vector<Coordenada>& c, double u)
{
    const std::size_t segmentos = (c.size() - 1) / 3;
    const std::size_t i = std::min(static_cast<std::size_t>(u), segmentos - 1);
    const double t = u - static_cast<double>(i), s = 1 - t;
    const double pesos[4] = {s * s * s, 3 * s * s * t, 3 * s * t * t, t * t * t};
    return combinar(pesos, &c[3 * i]);
}

Coordenada bsplineFechada(const std::vector<Coordenada>& c, double u)
{
    const std::size_t segmentos = c.size() - 3;
    const std::size_t i = std::min(static_cast<std::size_t>(u), segmentos - 1);
    const double t = u - static_cast<double>(i);
    // [t³ t² t 1] · 1/6 [−1 3 −3 1; 3 −6 3 0; −3 0 3 0; 1 4 1 0]
    const double t2 = t * t, t3 = t2 * t;
    const double pesos[4] = {(-t3 + 3 * t2 - 3 * t + 1) / 6, (3 * t3 - 6 * t2 + 4) / 6, (-3 * t3 + 3 * t2 + 3 * t + 1) / 6,
                             t3 / 6};
    return combinar(pesos, &c[i]);
}

struct CasoDeCurva {
    const char* nome;
    bool bspline;
    std::vector<Coordenada> controles;
};

const std::vector<CasoDeCurva>& casosDeCurva()
{
    static const std::vector<CasoDeCurva> casos = {
        {"Bézier plana", false,
         {Coordenada(-9, -8, 0), Coordenada(-12, 9, 0), Coordenada(2, 12, 0), Coordenada(3, 0, 0), Coordenada(4, -12, 0),
          Coordenada(12, -6, 0), Coordenada(8, 7, 0)}},
        {"Bézier em profundidade", false,
         {Coordenada(-8, -5, 0), Coordenada(-3, 9, 15), Coordenada(4, -9, -5), Coordenada(9, 6, 5)}},
        {"B-spline", true,
         {Coordenada(-9, -9, 0), Coordenada(-9, 9, 4), Coordenada(0, 9, -3), Coordenada(0, -9, 10), Coordenada(9, -9, 0),
          Coordenada(9, 9, 2)}},
    };
    return casos;
}

} // namespace

TEST(CurvasNaJanela, DentroDeUmMilesimoDaLarguraEmQualquerZoom)
{
    for (const CasoDeCurva& caso : casosDeCurva()) {
        SCOPED_TRACE(caso.nome);
        std::unique_ptr<Objeto> curva;
        if (caso.bspline)
            curva = std::make_unique<BSpline>("s", Cor(), caso.controles);
        else
            curva = std::make_unique<Bezier>("b", Cor(), caso.controles);
        const double segmentos = caso.bspline ? caso.controles.size() - 3.0 : (caso.controles.size() - 1) / 3.0;
        const auto fechada = [&](double u) {
            return caso.bspline ? bsplineFechada(caso.controles, u) : bezierFechada(caso.controles, u);
        };

        for (int zoom : {0, 60, 150}) {
            SCOPED_TRACE(::testing::Message() << "zoom " << zoom);
            Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
            double u0 = 0, u1 = segmentos;
            if (zoom > 0) {
                // Centre the window on the curve at u = 0.37·segments, then zoom in.
                // Panning moves the eye with the window: the point is centred when the window's
                // centre has its x and y.
                const double u = 0.37 * segmentos;
                const Coordenada alvo = fechada(u);
                w.mover(alvo.x() / 20, alvo.y() / 20, 0);
                for (int i = 0; i < zoom; ++i)
                    w.escala(0.9);
                const double largura = w.viewRightVector().modulo();
                // Enough parameter to run well out of the window on both sides.
                const double passo = 1e-6;
                const Ponto2 a = projetarNaJanela(w, fechada(u - passo));
                const Ponto2 b = projetarNaJanela(w, fechada(u + passo));
                const double rapidez = std::hypot(b.x - a.x, b.y - a.y) / (2 * passo);
                u0 = std::fmax(0, u - 3 * largura / rapidez);
                u1 = std::fmin(segmentos, u + 3 * largura / rapidez);
            }
            const Desenho d = desenhar(curva.get(), w);
            ASSERT_GE(d.linha.size(), 2u);
            const double largura = w.viewRightVector().modulo();
            int amostras = 0;
            const double desvio = maiorDesvio([&](double u) { return projetarNaJanela(w, fechada(u)); }, u0, u1,
                                              retanguloDe(w), largura / 500, d.linha, d.quebra, amostras);
            EXPECT_GT(amostras, 200);
            EXPECT_LE(desvio, largura / 1000);
        }
    }
}

TEST(CurvasNaJanela, CurvaLongeDaJanelaNaoGeraPontos)
{
    Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    std::vector<Coordenada> controles;
    for (int i = 0; i < 301; ++i)
        controles.emplace_back(500 + 7 * i, (i % 2 == 0 ? 40 : -40), 0);
    const Bezier longe("b", Cor(), controles);
    EXPECT_TRUE(desenhar(&longe, w).linha.empty());
}

TEST(CurvasNaJanela, JanelaEstreitaMedeAToleranciaPeloLadoMenor)
{
    // A window 2 wide and 20 tall, as a scene file can set, and an S across its width.
    Window w(Coordenada(-1, -10, 0), Coordenada(1, 10, 0), Coordenada(0, 0, -10));
    const std::vector<Coordenada> controles = {Coordenada(-0.9, -9, 0), Coordenada(3, -3, 0), Coordenada(-3, 3, 0),
                                               Coordenada(0.9, 9, 0)};
    const Bezier curva("b", Cor(), controles);
    const Desenho d = desenhar(&curva, w);
    ASSERT_GE(d.linha.size(), 2u);
    int amostras = 0;
    const double desvio = maiorDesvio([&](double u) { return projetarNaJanela(w, bezierFechada(controles, u)); }, 0,
                                      1, retanguloDe(w), 2.0 / 500, d.linha, d.quebra, amostras);
    EXPECT_GT(amostras, 200);
    EXPECT_LE(desvio, 2.0 / 1000);
}

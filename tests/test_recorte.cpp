#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "pertode.h"
#include "recorte.h"

namespace {

const Retangulo janela{-10, 10, -10, 10};

// One segment against the rectangle [-10, 10]²; the expected piece was worked out by hand.
struct CasoDeSegmento {
    const char* nome;
    double x0, y0, x1, y1;
    bool visivel;
    double ex0, ey0, ex1, ey1;
};

const CasoDeSegmento casosDeSegmento[] = {
    {"dentro", -5, -5, 5, 3, true, -5, -5, 5, 3},
    {"fora à esquerda", -20, -5, -11, 5, false, 0, 0, 0, 0},
    {"fora acima, cruzando a reta x = 0", -5, 11, 5, 30, false, 0, 0, 0, 0},
    {"cruza a borda direita", 0, 0, 20, 10, true, 0, 0, 10, 5},
    {"cruza a borda inferior de fora para dentro", 2, -30, 2, 0, true, 2, -10, 2, 0},
    {"atravessa duas bordas", -20, 0, 20, 0, true, -10, 0, 10, 0},
    {"atravessa de cima a baixo inclinada", -3, 20, 3, -20, true, -1.5, 10, 1.5, -10},
    {"diagonal pelos dois cantos", -20, -20, 20, 20, true, -10, -10, 10, 10},
    {"sobre a borda esquerda", -10, -20, -10, 20, true, -10, -10, -10, 10},
    {"toca só o canto", -15, 5, -5, 15, false, 0, 0, 0, 0},
    {"termina na borda, vindo de fora", -20, 0, -10, 0, false, 0, 0, 0, 0},
    {"passa por fora do canto", -12, 9, -9, 12, false, 0, 0, 0, 0},
    {"ponto dentro", 3, 4, 3, 4, true, 3, 4, 3, 4},
    {"ponto fora", 30, 4, 30, 4, false, 0, 0, 0, 0},
};

} // namespace

TEST(RecortarSegmento, CasosFeitosAMao)
{
    for (const CasoDeSegmento& c : casosDeSegmento) {
        SCOPED_TRACE(c.nome);
        double t0 = -1, t1 = -1;
        const bool visivel = recortarSegmento(c.x0, c.y0, c.x1, c.y1, janela, t0, t1);
        ASSERT_EQ(visivel, c.visivel);
        if (!visivel)
            continue;
        EXPECT_LE(0.0, t0);
        EXPECT_LE(t0, t1);
        EXPECT_LE(t1, 1.0);
        EXPECT_TRUE(pertoDe(c.x0 + t0 * (c.x1 - c.x0), c.ex0));
        EXPECT_TRUE(pertoDe(c.y0 + t0 * (c.y1 - c.y0), c.ey0));
        EXPECT_TRUE(pertoDe(c.x0 + t1 * (c.x1 - c.x0), c.ex1));
        EXPECT_TRUE(pertoDe(c.y0 + t1 * (c.y1 - c.y0), c.ey1));
    }
}

// The same cases through each line clipper as the drawing runs it, on its ends rather than its
// parameters. Catches, in Cohen–Sutherland, a side taken for another, a crossing on the wrong
// line, and a segment that only touches a corner or an edge from outside drawn as a point.
TEST(RecortarSegmentoCom, OsDoisAlgoritmosNosCasosFeitosAMao)
{
    for (const AlgoritmoDeRecorte algoritmo : {AlgoritmoDeRecorte::cohenSutherland, AlgoritmoDeRecorte::liangBarsky})
        for (const CasoDeSegmento& c : casosDeSegmento) {
            SCOPED_TRACE(::testing::Message() << c.nome << (algoritmo == AlgoritmoDeRecorte::liangBarsky ? " (LB)" : " (CS)"));
            PedacoVisivel p;
            ASSERT_EQ(recortarSegmentoCom(algoritmo, {c.x0, c.y0, 1}, {c.x1, c.y1, 1}, janela, p), c.visivel);
            if (!c.visivel)
                continue;
            EXPECT_TRUE(pertoDe(p.inicio.x, c.ex0) && pertoDe(p.inicio.y, c.ey0)) << p.inicio.x << ", " << p.inicio.y;
            EXPECT_TRUE(pertoDe(p.fim.x, c.ex1) && pertoDe(p.fim.y, c.ey1)) << p.fim.x << ", " << p.fim.y;
            EXPECT_EQ(p.inicioEmA, c.x0 == c.ex0 && c.y0 == c.ey0);
            EXPECT_EQ(p.fimEmB, c.x1 == c.ex1 && c.y1 == c.ey1);
        }
}

TEST(RecortarSegmento, NumerosQueNaoSaoFinitosNaoPassam)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    double t0, t1;
    EXPECT_FALSE(recortarSegmento(nan, 0, 1, 1, janela, t0, t1));
    EXPECT_FALSE(recortarSegmento(0, 0, inf, 1, janela, t0, t1));
}

// The line y = x / 10 from x = 1e17 (where a coordinate's rounding unit is 16, near the whole
// window) into the window [-10, 10]²: it enters at (10, 1).
TEST(RecortarSegmentoPelasDuasPontas, UmaPontaLongeNaoDeslocaOCorteJuntoAOutra)
{
    const PontoDeCamera longe{1e17, 1e16, 50};
    const PontoDeCamera dentro{0, 0, 2};
    PedacoVisivel pedaco;
    // Fails when the cut near b is measured from a (the clip from b never runs, or runs only when
    // the clip from a finds nothing).
    ASSERT_TRUE(recortarSegmentoPelasDuasPontas(longe, dentro, janela, pedaco));
    EXPECT_TRUE(pertoDe(pedaco.inicio.x, 10));
    EXPECT_TRUE(pertoDe(pedaco.inicio.y, 1));
    EXPECT_FALSE(pedaco.inicioEmA);
    EXPECT_TRUE(pedaco.fimEmB);
    EXPECT_EQ(pedaco.fim.x, 0);
    EXPECT_EQ(pedaco.fim.y, 0);
    EXPECT_EQ(pedaco.fim.z, 2);

    // Both cuts near b, which is outside too: fails when the cut at the end is taken from the clip
    // from a whenever that clip found something.
    ASSERT_TRUE(recortarSegmentoPelasDuasPontas(longe, {-20, -2, 2}, janela, pedaco));
    EXPECT_TRUE(pertoDe(pedaco.inicio.x, 10));
    EXPECT_TRUE(pertoDe(pedaco.inicio.y, 1));
    EXPECT_TRUE(pertoDe(pedaco.fim.x, -10));
    EXPECT_TRUE(pertoDe(pedaco.fim.y, -1));
    EXPECT_FALSE(pedaco.inicioEmA || pedaco.fimEmB);
}

TEST(RecortarSegmentoPelasDuasPontas, PontaForaNuncaFicaMesmoComOCorteArredondadoParaEla)
{
    // a lies one rounding unit above a window 2e-10 tall, b 1e300 below: the parameter of the cut
    // at the top, about 1e-326, rounds to 0. Fails when an end at parameter 0 is kept without
    // asking whether the rectangle contains it.
    const Retangulo minuscula{-1e-10, 1e-10, -1e-10, 1e-10};
    const PontoDeCamera a{0, std::nextafter(1e-10, 1.0), 1};
    PedacoVisivel pedaco;
    ASSERT_TRUE(recortarSegmentoPelasDuasPontas(a, {0, -1e300, 1}, minuscula, pedaco));
    EXPECT_FALSE(pedaco.inicioEmA);
    EXPECT_TRUE(minuscula.contem(pedaco.inicio.x, pedaco.inicio.y)) << pedaco.inicio.y;
    EXPECT_TRUE(minuscula.contem(pedaco.fim.x, pedaco.fim.y)) << pedaco.fim.y;
}

TEST(RecortarSegmentoPelasDuasPontas, DeUmExtremoDosNumerosAoOutro)
{
    // The ends' difference, and an end's distance to the far edge, overflow; the segment enters at
    // y = 1e308 / DBL_MAX.
    const Retangulo enorme{-1e308, 1e308, -1e308, 1e308};
    PedacoVisivel pedaco;
    ASSERT_TRUE(recortarSegmentoPelasDuasPontas({-DBL_MAX, 1, 1}, {DBL_MAX, -1, 1}, enorme, pedaco));
    EXPECT_TRUE(pertoDe(pedaco.inicio.x, -1e308));
    EXPECT_TRUE(pertoDe(pedaco.inicio.y, 1e308 / DBL_MAX));
    EXPECT_TRUE(pertoDe(pedaco.fim.x, 1e308));
    EXPECT_TRUE(pertoDe(pedaco.fim.y, -1e308 / DBL_MAX));
}

TEST(RecortarNoPlanoProximo, CortaOndeADistanciaPassaDoPlano)
{
    struct Caso {
        double za, zb;
        bool visivel;
        double t0, t1;
    };
    const Caso casos[] = {
        {5, 20, true, 0, 1},     // wholly in front
        {-5, 0.05, false, 0, 0}, // wholly nearer than 0.1
        {-9.9, 10.1, true, 0.5, 1},
        {10.1, -9.9, true, 0, 0.5},
        {0.1, 0.1, true, 0, 1},  // on the plane counts as in front
        {0.1, -3, false, 0, 0},  // touches the plane and goes behind: one point only
        {1e308, -1e308, true, 0, 0.5}, // zb − za overflows
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.za << " → " << c.zb);
        double t0 = -1, t1 = -1;
        ASSERT_EQ(recortarNoPlanoProximo(c.za, c.zb, 0.1, t0, t1), c.visivel);
        if (c.visivel) {
            EXPECT_TRUE(pertoDe(t0, c.t0));
            EXPECT_TRUE(pertoDe(t1, c.t1));
        }
    }
}

TEST(Interpolar, MedidoDaPontaMaisProxima)
{
    // Measured from a, 0.1 + 1 · (1e-17 − 0.1) is 1.3877787807814457e-17: fails when t = 1 is not b.
    const PontoDeCamera b{1e-17, -1e-17, 1e-17};
    const PontoDeCamera p = interpolar({0.1, -0.1, 0.1}, b, 1);
    EXPECT_EQ(p.x, b.x);
    EXPECT_EQ(p.y, b.y);
    EXPECT_EQ(p.z, b.z);
}

TEST(PontoNoPlanoProximo, FinitoEEntreAsPontasMesmoNosExtremosDosNumeros)
{
    // The depths differ by more than the largest double, and so do the x's.
    const PontoDeCamera p = pontoNoPlanoProximo({DBL_MAX, 1, 1e308}, {-DBL_MAX, 2, -1e308}, 0.1);
    EXPECT_EQ(p.z, 0.1);
    EXPECT_TRUE(std::isfinite(p.x)) << p.x;
    EXPECT_TRUE(p.y >= 1 && p.y <= 2) << p.y;
}

TEST(ProfundidadeNaTela, SegueAPerspectivaEnaoARetaDaTela)
{
    // The segment from (-10, 0, 10) to (30, 0, 30) under d = 10 projects from x = -10 to x = 10.
    // Its screen midpoint x = 0 is the camera point on the segment with x = 0: (0, 0, 15).
    EXPECT_TRUE(pertoDe(profundidadeNaTela(10, 30, 0.5), 15));
    EXPECT_EQ(profundidadeNaTela(10, 30, 0), 10);
    EXPECT_EQ(profundidadeNaTela(10, 30, 1), 30);
    // Far depths: their product is past the range of doubles.
    EXPECT_TRUE(pertoDe(profundidadeNaTela(1e300, 3e300, 0.5), 1.5e300));
}

TEST(RecortarPoligonoNoPlanoProximo, TrianguloQueAtravessaOPlano)
{
    const std::vector<PontoDeCamera> triangulo = {{0, 0, -10}, {10, 0, 10}, {-10, 0, 10}};
    std::vector<PontoDeCamera> saida;
    recortarPoligonoNoPlanoProximo(triangulo, 1, saida);
    // Edges from the apex behind cross z = 1 at 11/20 of the way: x = ±5.5.
    ASSERT_EQ(saida.size(), 4u);
    for (const PontoDeCamera& p : saida)
        EXPECT_GE(p.z, 1.0);
    EXPECT_TRUE(pertoDe(saida[0].x, 5.5));
    EXPECT_EQ(saida[0].z, 1.0);
    EXPECT_EQ(saida[1].x, 10);
    EXPECT_EQ(saida[2].x, -10);
    EXPECT_TRUE(pertoDe(saida[3].x, -5.5));
    EXPECT_EQ(saida[3].z, 1.0);

    recortarPoligonoNoPlanoProximo({{0, 0, -1}, {1, 0, -2}, {0, 1, 0.5}}, 1, saida);
    EXPECT_TRUE(saida.empty());
}

TEST(RecortarPoligono, MaiorQueAJanelaViraAJanela)
{
    std::vector<PontoDeCamera> poligono = {{-30, -20, 10}, {40, -25, 10}, {35, 30, 10}, {-25, 40, 10}};
    std::vector<PontoDeCamera> auxiliar;
    recortarPoligono(poligono, janela, auxiliar);
    ASSERT_GE(poligono.size(), 4u);
    for (const PontoDeCamera& p : poligono)
        EXPECT_TRUE(janela.contem(p.x, p.y)) << p.x << ", " << p.y;
    EXPECT_TRUE(pertoDe(std::fabs(areaDupla(poligono)) / 2, 400));
}

TEST(RecortarPoligono, ConcavoTemAAreaDoRecorteFeitoAMao)
{
    // A U open at the top: outer square [-15, 15]², the notch x ∈ [-5, 5], y ∈ [0, 15].
    std::vector<PontoDeCamera> u = {{-15, -15, 1}, {15, -15, 1}, {15, 15, 1}, {5, 15, 1},
                                    {5, 0, 1},     {-5, 0, 1},   {-5, 15, 1}, {-15, 15, 1}};
    std::vector<PontoDeCamera> auxiliar;
    recortarPoligono(u, janela, auxiliar);
    // Inside [-10, 10]²: the window (400) less the part of the notch in it, 10 × 10.
    EXPECT_TRUE(pertoDe(std::fabs(areaDupla(u)) / 2, 300));
    for (const PontoDeCamera& p : u)
        EXPECT_TRUE(janela.contem(p.x, p.y));
}

TEST(RecortarPoligono, ForaDaJanelaFicaVazio)
{
    std::vector<PontoDeCamera> poligono = {{20, 0, 1}, {30, 0, 1}, {25, 5, 1}};
    std::vector<PontoDeCamera> auxiliar;
    recortarPoligono(poligono, janela, auxiliar);
    EXPECT_TRUE(poligono.empty());
}

// Polygons the fuzzer found, as the camera hands them to the clipper.
TEST(RecortarPoligono, CadaVerticeFicaDentroDaJanelaAteOUltimoBit)
{
    std::vector<PontoDeCamera> auxiliar;
    // Cut on x = 10 with y an ulp above 10, then cut on y = 10 with x interpolated an ulp past the
    // x = 10 the first pass pinned.
    std::vector<PontoDeCamera> fino = {{-9.9999999999999982, -9.9999999999999982, 10.000000000000002},
                                       {1000, 1000, 0.10000000000000001},
                                       {0, 0, 10}};
    recortarPoligono(fino, janela, auxiliar);
    ASSERT_FALSE(fino.empty());
    for (const PontoDeCamera& p : fino)
        EXPECT_TRUE(janela.contem(p.x, p.y)) << p.x << ", " << p.y;

    // Differences between the vertices overflow. Inside [-10, 10]² it covers x ≥ 0, y ≤ 0.
    std::vector<PontoDeCamera> enorme = {{1e154, 0, 10}, {0, 0, 10}, {-1.65e150, -DBL_MAX, 10}, {DBL_MAX, DBL_MAX, 10}};
    recortarPoligono(enorme, janela, auxiliar);
    for (const PontoDeCamera& p : enorme)
        EXPECT_TRUE(janela.contem(p.x, p.y) && std::isfinite(p.z)) << p.x << ", " << p.y << ", " << p.z;
    EXPECT_TRUE(pertoDe(std::fabs(areaDupla(enorme)) / 2, 100));
}

TEST(RecortarPoligono, UmVerticeLongeNaoDeslocaOsCortesJuntoAJanela)
{
    // Between y = x / 10 and y = 5 + x / 10 from x = 0 to a vertex at x = 1e17, where a rounding unit
    // of the parameter measured from that vertex is 11 units of the window. Fails when the cuts on
    // x = 10, at y = 1 and y = 6, are measured from the far vertex.
    std::vector<PontoDeCamera> faixa = {{0, 0, 1}, {1e17, 1e16, 1}, {0, 5, 1}};
    std::vector<PontoDeCamera> auxiliar;
    recortarPoligono(faixa, janela, auxiliar);
    int cortes = 0;
    for (const PontoDeCamera& p : faixa)
        if (p.x == 10) {
            EXPECT_TRUE(pertoDe(p.y, 1) || pertoDe(p.y, 6)) << p.y;
            ++cortes;
        }
    EXPECT_EQ(cortes, 2);
}

TEST(RecortarPoligono, ProfundidadeDosPontosDeCorte)
{
    // An edge from (0, 0) at depth 10 to (20, 0) at depth 30, cut at x = 10 (s = 1/2).
    std::vector<PontoDeCamera> poligono = {{0, 0, 10}, {20, 0, 30}, {0, 5, 10}};
    std::vector<PontoDeCamera> auxiliar;
    recortarPoligono(poligono, janela, auxiliar);
    bool achou = false;
    for (const PontoDeCamera& p : poligono)
        if (p.x == 10 && p.y == 0) {
            achou = true;
            EXPECT_TRUE(pertoDe(p.z, 15));
        }
    EXPECT_TRUE(achou);
}

TEST(SoNaBorda, SoOQueNaoTemAreaEFicaNasBordas)
{
    // What a U wrapped round the window leaves: an outline along two edges, of no area.
    EXPECT_TRUE(soNaBorda({{-10, -10, 1}, {10, -10, 1}, {10, 10, 1}, {10, -10, 1}}, janela));
    // Fails when the area is not asked: the whole window lies on its edges too.
    EXPECT_FALSE(soNaBorda({{-10, -10, 1}, {10, -10, 1}, {10, 10, 1}, {-10, 10, 1}}, janela));
    // Fails when the edges are not asked: a sliver inside has next to no area.
    EXPECT_FALSE(soNaBorda({{0, 0, 1}, {1, 0, 1}, {0.5, 1e-14, 1}}, janela));
}

TEST(AreaDupla, Shoelace)
{
    EXPECT_EQ(areaDupla({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}}), 12);
    EXPECT_EQ(areaDupla({{0, 0, 0}, {4, 3, 0}, {4, 0, 0}}), -12);
}

namespace {

// A coordinate for the agreement of the clippers: on an edge, a rounding unit either side of one,
// inside, just or far beyond, or huge.
double coordenadaDeTeste(std::mt19937_64& g, double borda)
{
    std::uniform_int_distribution<int> tipo(0, 7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const double lado = u(g) < 0 ? -borda : borda;
    switch (tipo(g)) {
    case 0:
        return lado;
    case 1:
        return std::nextafter(lado, 0.0);
    case 2:
        return std::nextafter(lado, 2 * lado);
    case 3:
        return u(g) * borda;
    case 4:
        return lado * (1 + std::fabs(u(g)));
    case 5:
        return lado * std::pow(10.0, 3 + 290 * std::fabs(u(g)));
    case 6:
        return u(g) * borda * 1e-12;
    default:
        return u(g) * 4 * borda;
    }
}

} // namespace

// Property: the two clippers draw the same thing, to a few rounding units, for segments on, near and
// far beyond its edges, huge and tiny, in windows of many sizes; and both keep the rule (nothing
// outside the rectangle, nothing not finite, ends kept only when inside). A cut is measured from the
// nearer end, so its rounding unit is that of the window plus that end's distance.
TEST(RecortarSegmentoCom, CohenSutherlandELiangBarskyDesenhamOMesmo)
{
    std::mt19937_64 g(20240611);
    std::uniform_int_distribution<int> expoente(-30, 30);
    std::uniform_real_distribution<double> profundidade(0.01, 1e6);
    int visiveis = 0;
    for (int i = 0; i < 200000; ++i) {
        const double w = std::ldexp(1.0, expoente(g));
        const double h = w * (1 + (i % 3));
        const Retangulo r{-w, w, -h, h};
        const PontoDeCamera a{coordenadaDeTeste(g, w), coordenadaDeTeste(g, h), profundidade(g)};
        const PontoDeCamera b = i % 50 == 0 ? a : PontoDeCamera{coordenadaDeTeste(g, w), coordenadaDeTeste(g, h), profundidade(g)};
        const bool paralela = i % 2 == 0;
        PedacoVisivel cs, lb;
        const bool vcs = recortarSegmentoCom(AlgoritmoDeRecorte::cohenSutherland, a, b, r, cs, paralela);
        const bool vlb = recortarSegmentoCom(AlgoritmoDeRecorte::liangBarsky, a, b, r, lb, paralela);
        SCOPED_TRACE(::testing::Message() << std::hexfloat << "(" << a.x << ", " << a.y << ") → (" << b.x << ", "
                                          << b.y << ") em ±" << w << " × ±" << h);
        const auto longe = [](const PontoDeCamera& p) { return std::max(std::fabs(p.x), std::fabs(p.y)); };
        const double ulp = 8 * DBL_EPSILON * (2 * h + std::min(longe(a), longe(b)));
        // A line that grazes a corner within rounding may leave a piece no longer than that to one
        // and nothing to the other: they still agree.
        if (vcs != vlb) {
            const PedacoVisivel& p = vcs ? cs : lb;
            ASSERT_LE(std::max(std::fabs(p.fim.x - p.inicio.x), std::fabs(p.fim.y - p.inicio.y)), ulp);
            continue;
        }
        if (!vcs)
            continue;
        ++visiveis;
        for (const PedacoVisivel* p : {&cs, &lb}) {
            for (const PontoDeCamera* q : {&p->inicio, &p->fim}) {
                ASSERT_TRUE(r.contem(q->x, q->y)) << q->x << ", " << q->y;
                ASSERT_TRUE(std::isfinite(q->z) && q->z >= std::min(a.z, b.z) && q->z <= std::max(a.z, b.z));
            }
            ASSERT_TRUE(!p->inicioEmA || r.contem(a.x, a.y));
            ASSERT_TRUE(!p->fimEmB || r.contem(b.x, b.y));
        }
        ASSERT_LE(std::fabs(cs.inicio.x - lb.inicio.x), ulp);
        ASSERT_LE(std::fabs(cs.inicio.y - lb.inicio.y), ulp);
        ASSERT_LE(std::fabs(cs.fim.x - lb.fim.x), ulp);
        ASSERT_LE(std::fabs(cs.fim.y - lb.fim.y), ulp);
        ASSERT_EQ(cs.inicioEmA, lb.inicioEmA);
        ASSERT_EQ(cs.fimEmB, lb.fimEmB);
    }
    // Enough of the cases must be drawn for the comparison to say anything.
    EXPECT_GT(visiveis, 20000);
}

// One segment worked by hand: from (−15, 0), left of the window, to (5, 20), above it, along
// y = x + 15. It enters at (−10, 5) and leaves at (−5, 10).
TEST(Tracos, OQueCadaAlgoritmoCalculaNumSegmentoCortadoDosDoisLados)
{
    const PontoDeCamera a{-15, 0, 1};
    const PontoDeCamera b{5, 20, 1};
    // Catches region bits swapped or named wrongly, sides taken in another order, and cuts
    // recorded at the wrong end.
    TracoDeCohenSutherland cs;
    PedacoVisivel p;
    ASSERT_TRUE(recortarCohenSutherland(a, b, janela, p, false, &cs));
    EXPECT_EQ(cs.codigoA, Regiao::esquerda);
    EXPECT_EQ(cs.codigoB, Regiao::acima);
    EXPECT_EQ(cs.resultado, ResultadoDoRecorte::recortado);
    ASSERT_EQ(cs.cortes, 2);
    EXPECT_TRUE(cs.corte[0].pontaA);
    EXPECT_EQ(cs.corte[0].lado, Regiao::esquerda);
    EXPECT_TRUE(pertoDe(cs.corte[0].x, -10) && pertoDe(cs.corte[0].y, 5));
    EXPECT_FALSE(cs.corte[1].pontaA);
    EXPECT_EQ(cs.corte[1].lado, Regiao::acima);
    EXPECT_TRUE(pertoDe(cs.corte[1].x, -5) && pertoDe(cs.corte[1].y, 10));
    // From below-left to above-right of the window: both ends share no side, yet the line
    // misses it; above and right beyond a corner, the second cut lands where the first is.
    ASSERT_FALSE(recortarCohenSutherland({-30, -15, 1}, {-5, 30, 1}, janela, p, false, &cs));
    EXPECT_EQ(cs.codigoA, Regiao::esquerda | Regiao::abaixo);
    EXPECT_EQ(cs.resultado, ResultadoDoRecorte::rejeitado);

    // Catches p_k or q_k of another side or sign, and t_entrada/t_saida taken from the wrong sides.
    const TracoDeLiangBarsky lb = tracarLiangBarsky(a, b, janela, p);
    const double p0[4] = {-20, 20, -20, 20};
    const double q0[4] = {-5, 25, 10, 10};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(lb.p[k], p0[k]) << k;
        EXPECT_EQ(lb.q[k], q0[k]) << k;
    }
    EXPECT_EQ(lb.tEntrada, 0.25);
    EXPECT_EQ(lb.tSaida, 0.5);
    EXPECT_EQ(lb.resultado, ResultadoDoRecorte::recortado);
    EXPECT_EQ(tracarLiangBarsky({-5, -5, 1}, {5, 3, 1}, janela, p).resultado, ResultadoDoRecorte::aceitoInteiro);
    EXPECT_EQ(tracarLiangBarsky({-20, 0, 1}, {-11, 5, 1}, janela, p).resultado, ResultadoDoRecorte::rejeitado);
}

TEST(ProfundidadeNaTela, ParalelaSegueARetaDaTela)
{
    // Under a parallel projection the screen is an affine image of camera space: the midpoint on
    // screen is the midpoint in depth. Catches the perspective rule applied to it.
    EXPECT_EQ(profundidadeNaTela(10, 30, 0.5, true), 20);
    EXPECT_TRUE(pertoDe(profundidadeNaTela(1e300, 3e300, 0.25, true), 1.5e300));
}

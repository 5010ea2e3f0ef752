#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bspline.h"
#include "displayfile.h"
#include "geometria.h"
#include "pertode.h"
#include "superficiebezier.h"
#include "superficiebspline.h"
#include "window.h"

namespace {

using Lista = std::vector<Coordenada>;

// The curves a surface hands over, each a Bézier chain; anything else is recorded as a fault.
class Curvas : public Geometria {
public:
    void pontos(const Lista&) override { ADD_FAILURE() << "pontos"; }
    void polilinha(const Lista&, bool) override { ADD_FAILURE() << "polilinha"; }
    void poligonoPreenchido(const Lista&) override { ADD_FAILURE() << "poligonoPreenchido"; }
    void arestas(const Lista&, const std::vector<std::pair<int, int>>&) override { ADD_FAILURE() << "arestas"; }
    void bezier(const Lista& c) override { cadeias.push_back(c); }

    std::vector<Lista> cadeias;
};

std::vector<Lista> curvasDe(const Objeto& o)
{
    Curvas c;
    o.descreverGeometria(c);
    return c.cadeias;
}

bool mesmosBits(const Coordenada& a, const Coordenada& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult mesmoPonto(const Coordenada& p, const Coordenada& q, double eps = 1e-12)
{
    if (pertoDe(p.x(), q.x(), eps) && pertoDe(p.y(), q.y(), eps) && pertoDe(p.z(), q.z(), eps))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.x() << ", " << p.y() << ", " << p.z() << ") is not (" << q.x()
                                         << ", " << q.y() << ", " << q.z() << ")";
}

// linhas × colunas points, row by row, point (a, b) = f(a, b).
Lista grade(std::size_t linhas, std::size_t colunas, const std::function<Coordenada(double, double)>& f)
{
    Lista l;
    for (std::size_t a = 0; a < linhas; ++a)
        for (std::size_t b = 0; b < colunas; ++b)
            l.push_back(f(static_cast<double>(a), static_cast<double>(b)));
    return l;
}

// The runs of the drawing list the default camera makes of o, each point back in the world: the
// camera sits at z = −10 looking along +z at the window z = 0, so a point of depth zc on the
// projection plane at (x, y) is the world point (x·zc/10, y·zc/10, zc − 10).
std::vector<Lista> desenhoNoMundo(const Objeto& o)
{
    Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    DisplayFile cena;
    cena.listaDeObjetos.push_back(o.clone());
    w.atualizarCPP(cena);
    const DisplayFile projecao = w.coordenadasDePlanoDeProjecao();
    const Objeto& copia = *projecao.listaDeObjetos.at(0);
    std::vector<Lista> runs(1);
    for (auto it = copia.inicioDoDesenho(&w); it != copia.fimDoDesenho(&w); ++it) {
        if (it->isNull()) {
            runs.emplace_back();
            continue;
        }
        const double zc = it->z() + 10;
        runs.back().emplace_back(it->x() * zc / 10, it->y() * zc / 10, zc - 10);
    }
    return runs;
}

// Whether v is one of inicio, inicio + passo, …, inicio + n·passo.
bool entreOsValores(double v, double inicio, double passo, int n)
{
    const double k = std::round((v - inicio) / passo);
    return k >= 0 && k <= n && std::fabs(v - (inicio + k * passo)) < 1e-9;
}

// A flat grid spans a rectangle of the plane z = 0, x from x0 along the columns and y from y0 along
// the rows, with `divisoesX` and `divisoesY` equal parts between its mesh curves. Every drawn run
// must be one whole mesh line, straight across the rectangle, and every mesh line must be drawn.
void esperarMalhaPlana(const Objeto& o, double x0, double x1, int divisoesX, double y0, double y1, int divisoesY)
{
    const double passoX = (x1 - x0) / divisoesX;
    const double passoY = (y1 - y0) / divisoesY;
    std::vector<int> horizontais(static_cast<std::size_t>(divisoesY) + 1), verticais(static_cast<std::size_t>(divisoesX) + 1);
    for (const Lista& run : desenhoNoMundo(o)) {
        ASSERT_GE(run.size(), 2u);
        const Coordenada& a = run.front();
        const Coordenada& b = run.back();
        const bool horizontal = a.y() == b.y();
        for (const Coordenada& p : run) {
            EXPECT_TRUE(pertoDe(p.z(), 0, 1e-12));
            if (horizontal)
                EXPECT_EQ(p.y(), a.y());
            else
                EXPECT_TRUE(pertoDe(p.x(), a.x(), 1e-12)) << p.x() << " on the line x = " << a.x();
        }
        if (horizontal) {
            EXPECT_TRUE(entreOsValores(a.y(), y0, passoY, divisoesY)) << "y = " << a.y();
            EXPECT_TRUE(pertoDe(std::fmin(a.x(), b.x()), x0, 1e-12) && pertoDe(std::fmax(a.x(), b.x()), x1, 1e-12));
            ++horizontais[static_cast<std::size_t>(std::round((a.y() - y0) / passoY))];
        } else {
            EXPECT_TRUE(entreOsValores(a.x(), x0, passoX, divisoesX)) << "x = " << a.x();
            EXPECT_TRUE(pertoDe(std::fmin(a.y(), b.y()), y0, 1e-12) && pertoDe(std::fmax(a.y(), b.y()), y1, 1e-12));
            ++verticais[static_cast<std::size_t>(std::round((a.x() - x0) / passoX))];
        }
    }
    // Each line once: a border two patches share is not drawn twice.
    EXPECT_EQ(horizontais, std::vector<int>(horizontais.size(), 1));
    EXPECT_EQ(verticais, std::vector<int>(verticais.size(), 1));
}

} // namespace

// Evenly spaced controls make either surface the plane region they span, with its parameters
// proportional to x and y: the mesh is then straight lines at known places. Wrong weights bend or
// move them, rows and columns swapped show on a grid that is not square, a border left out or drawn
// twice shows in the count.
TEST(Superficies, GradePlanaEARegiaoDoPlanoQueElaCobre)
{
    const auto plana = [](double a, double b) { return Coordenada(-6 + b, -4 + 2 * a, 0); };
    {
        SCOPED_TRACE("Bézier de 2 × 3 retalhos");
        // Columns x = −6 … 3, rows y = −4 … 8; malha 4 in each of 3 patches across, 2 down.
        const SuperficieBezier s("s", Cor(), grade(7, 10, plana), {7, 10, 4});
        esperarMalhaPlana(s, -6, 3, 12, -4, 8, 8);
    }
    {
        SCOPED_TRACE("B-spline de 3 × 2 retalhos");
        // A uniform B-spline over evenly spaced points runs from the second to the last but one.
        const SuperficieBSpline s("s", Cor(), grade(6, 5, plana), {6, 5, 3});
        esperarMalhaPlana(s, -5, -3, 6, -2, 4, 9);
    }
}

// The monkey saddle z = X³ − 3XY² over [0, 1]², as one bicubic patch with X = t, Y = s, drawn 8 units
// wide (x = 8X − 4, y = 8Y − 4): its controls' heights are the products of the Bernstein
// coefficients of t³ (0, 0, 0, 1) and of t·s² ((0, ⅓, ⅔, 1) · (0, 0, ⅓, 1)). Every point of the
// drawn mesh, taken back from the screen to the world, lies on it and on a curve of the mesh, and the
// curves are drawn through many of their points, not as chords.
TEST(Superficies, SelaBicubicaNosPontosDesenhados)
{
    const double cubo[4] = {0, 0, 0, 1};
    const double quadrado[4] = {0, 0, 1.0 / 3, 1};
    const SuperficieBezier sela("sela", Cor(), grade(4, 4, [&](double a, double b) {
                                    const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
                                    return Coordenada(8 * b / 3 - 4, 8 * a / 3 - 4, cubo[j] - b * quadrado[i]);
                                }),
                                {4, 4, 5});
    std::size_t pontos = 0;
    const std::vector<Lista> runs = desenhoNoMundo(sela);
    for (const Lista& run : runs) {
        for (const Coordenada& p : run) {
            ++pontos;
            const double x = (p.x() + 4) / 8, y = (p.y() + 4) / 8;
            EXPECT_TRUE(pertoDe(p.z(), x * x * x - 3 * x * y * y, 1e-9)) << "(" << x << ", " << y << ")";
            EXPECT_TRUE(entreOsValores(x, 0, 0.2, 5) || entreOsValores(y, 0, 0.2, 5)) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(runs.size(), 12u);
    EXPECT_GT(pontos, 4 * runs.size());
}

// Neighbouring patches meet exactly: the curve at their shared border is the grid's row (or column)
// there, bit for bit, handed over once, and so is every border of the grid.
TEST(Superficies, BordasDosRetalhosSaoAsLinhasDaGrade)
{
    const Lista p = grade(7, 4, [](double a, double b) { return Coordenada(0.1 * b * b + a, std::sin(a + b), a * b / 7); });
    const SuperficieBezier s("s", Cor(), p, {7, 4, 3});
    const std::vector<Lista> curvas = curvasDe(s);
    // Constant s: 3 + 1 in the first row of patches, 3 more in the second; then constant t: 3 + 1.
    ASSERT_EQ(curvas.size(), 7u + 4u);
    for (std::size_t linha : {0u, 3u, 6u}) {
        const Lista& curva = curvas[linha];
        ASSERT_EQ(curva.size(), 4u);
        for (std::size_t b = 0; b < 4; ++b)
            EXPECT_TRUE(mesmosBits(curva[b], p[linha * 4 + b])) << "linha " << linha << ", coluna " << b;
    }
    for (std::size_t coluna : {0u, 3u}) {
        const Lista& curva = curvas[7 + coluna];
        ASSERT_EQ(curva.size(), 7u);
        for (std::size_t a = 0; a < 7; ++a)
            EXPECT_TRUE(mesmosBits(curva[a], p[a * 4 + coluna])) << "coluna " << coluna << ", linha " << a;
    }
}

// The B-spline surface is the tensor product of the B-spline curve: its curve at parameter u of the
// patches' row p is the B-spline curve of the points where the columns' B-splines are at u of their
// segment p. Checked against the curve kind's own Bézier chains, both ways.
TEST(Superficies, BSplineEOProdutoTensorialDaCurva)
{
    const std::size_t m = 5, n = 6;
    const int malha = 2;
    const Lista p = grade(m, n, [](double a, double b) { return Coordenada(b + 0.3 * a * a, a - 0.2 * b * b, std::cos(a * b)); });
    const SuperficieBSpline s("s", Cor(), p, {m, n, malha});
    const std::vector<Lista> curvas = curvasDe(s);
    // (m − 3)·malha + 1 curves of constant s, then (n − 3)·malha + 1 of constant t.
    ASSERT_EQ(curvas.size(), (m - 3) * malha + 1 + (n - 3) * malha + 1);

    const auto bezierDaBSpline = [](const Lista& pontos) {
        Curvas c;
        BSpline("c", Cor(), pontos).descreverGeometria(c);
        return c.cadeias.at(0);
    };
    const auto noSegmento = [](const Lista& cadeia, std::size_t segmento, double u) {
        const Coordenada* c = &cadeia[3 * segmento];
        const double v = 1 - u;
        const double w[4] = {v * v * v, 3 * u * v * v, 3 * u * u * v, u * u * u};
        return Coordenada(w[0] * c[0].x() + w[1] * c[1].x() + w[2] * c[2].x() + w[3] * c[3].x(),
                          w[0] * c[0].y() + w[1] * c[1].y() + w[2] * c[2].y() + w[3] * c[3].y(),
                          w[0] * c[0].z() + w[1] * c[1].z() + w[2] * c[2].z() + w[3] * c[3].z());
    };
    // sentido 0: the curves of constant s, across the columns; 1: of constant t, down the rows.
    for (int sentido = 0; sentido < 2; ++sentido) {
        const std::size_t ao = sentido == 0 ? m : n;    // along which the curves follow one another
        const std::size_t atraves = sentido == 0 ? n : m; // along each curve
        const std::size_t primeira = sentido == 0 ? 0 : (m - 3) * malha + 1;
        std::vector<Lista> cadeias; // the B-spline, as the curve kind draws it, of each line across
        for (std::size_t b = 0; b < atraves; ++b) {
            Lista linha;
            for (std::size_t a = 0; a < ao; ++a)
                linha.push_back(sentido == 0 ? p[a * n + b] : p[b * n + a]);
            cadeias.push_back(bezierDaBSpline(linha));
        }
        for (std::size_t k = 0; k <= (ao - 3) * malha; ++k) {
            const std::size_t segmento = std::min(k / malha, ao - 4);
            const double u = static_cast<double>(k) / malha - static_cast<double>(segmento);
            Lista naCurva;
            for (const Lista& cadeia : cadeias)
                naCurva.push_back(noSegmento(cadeia, segmento, u));
            const Lista esperada = bezierDaBSpline(naCurva);
            const Lista& desenhada = curvas[primeira + k];
            ASSERT_EQ(desenhada.size(), esperada.size());
            for (std::size_t i = 0; i < esperada.size(); ++i)
                EXPECT_TRUE(mesmoPonto(desenhada[i], esperada[i], 1e-12)) << "sentido " << sentido << ", curva " << k
                                                                           << ", controle " << i;
        }
    }
}

// Rows, columns, their product and the mesh density each by the kind's rule, with what is wrong.
TEST(Superficies, GradesForaDaRegraSaoRecusadasComOMotivo)
{
    const auto erro = [](const std::function<void()>& construir) {
        try {
            construir();
        } catch (const std::invalid_argument& e) {
            return std::string(e.what());
        }
        return std::string("aceita");
    };
    const auto bezier = [&](std::size_t l, std::size_t c, std::size_t n, int malha = 10) {
        return erro([=] { SuperficieBezier("s", Cor(), Lista(n, Coordenada(0, 0, 0)), {l, c, malha}); });
    };
    const auto bspline = [&](std::size_t l, std::size_t c, std::size_t n, int malha = 10) {
        return erro([=] { SuperficieBSpline("s", Cor(), Lista(n, Coordenada(0, 0, 0)), {l, c, malha}); });
    };
    EXPECT_EQ(bezier(4, 7, 28), "aceita");
    EXPECT_EQ(bezier(5, 4, 20), "Superfície de Bézier: precisa de 3k + 1 linhas, com k ≥ 1 (há 5)");
    EXPECT_EQ(bezier(4, 6, 24), "Superfície de Bézier: precisa de 3k + 1 colunas, com k ≥ 1 (há 6)");
    EXPECT_EQ(bezier(4, 4, 17), "Superfície de Bézier: precisa de 4 × 4 coordenadas (há 17)");
    EXPECT_EQ(bezier(4, 4, 16, 0), "Superfície de Bézier: precisa de uma malha de 1 a 64 (é 0)");
    EXPECT_EQ(bezier(4, 4, 16, 65), "Superfície de Bézier: precisa de uma malha de 1 a 64 (é 65)");
    EXPECT_EQ(bspline(5, 6, 30, 64), "aceita");
    EXPECT_EQ(bspline(3, 6, 18), "Superfície B-Spline: precisa de 4 ou mais linhas (há 3)");
    EXPECT_EQ(bspline(5, 5, 24), "Superfície B-Spline: precisa de 5 × 5 coordenadas (há 24)");
    // (2⁶² + 4) × 4 wraps around to 16: a product would let 16 points pass for that grid.
    EXPECT_EQ(bspline((std::size_t(1) << 62) + 4, 4, 16),
              "Superfície B-Spline: precisa de 4611686018427387908 × 4 coordenadas (há 16)");
}

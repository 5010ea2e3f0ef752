#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bezier.h"
#include "bspline.h"
#include "geometria.h"
#include "objeto3d.h"
#include "pertode.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "transformacao.h"
#include "vetor.h"

namespace {

using Lista = std::vector<Coordenada>;

Lista pontos(int n)
{
    Lista l;
    for (int i = 0; i < n; ++i)
        l.emplace_back(i, i * i % 7, -i);
    return l;
}

// Records what an object hands over.
class Registro : public Geometria {
public:
    void pontos(const Lista& p) override { registrar("pontos", p); }
    void polilinha(const Lista& p, bool fechada) override { registrar(fechada ? "polilinha fechada" : "polilinha", p); }
    void poligonoPreenchido(const Lista& p) override { registrar("poligonoPreenchido", p); }
    void arestas(const Lista& p, const std::vector<std::pair<int, int>>& a) override
    {
        registrar("arestas", p);
        this->pares = a;
    }
    void bezier(const Lista& p) override { registrar("bezier", p); }

    std::string chamadas;
    Lista coordenadas;
    std::vector<std::pair<int, int>> pares;

private:
    void registrar(const char* nome, const Lista& p)
    {
        chamadas += chamadas.empty() ? nome : std::string(" ") + nome;
        coordenadas = p;
    }
};

::testing::AssertionResult mesmoPonto(const Coordenada& p, const Coordenada& q, double eps = 1e-12)
{
    if (pertoDe(p.x(), q.x(), eps) && pertoDe(p.y(), q.y(), eps) && pertoDe(p.z(), q.z(), eps))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.x() << ", " << p.y() << ", " << p.z() << ") is not (" << q.x()
                                         << ", " << q.y() << ", " << q.z() << ")";
}

} // namespace

TEST(Objetos, ConstrutoresRecusamContagensErradas)
{
    struct Caso {
        const char* nome;
        std::function<void()> construir;
        bool aceito;
    };
    const Coordenada nula;
    const Caso casos[] = {
        {"ponto", [] { Ponto("p", Cor(), Coordenada(0, 0, 0)); }, true},
        {"ponto nulo", [&] { Ponto("p", Cor(), nula); }, false},
        {"reta", [] { Reta("r", Cor(), Coordenada(0, 0, 0), Coordenada(1, 0, 0)); }, true},
        {"reta com extremo nulo", [&] { Reta("r", Cor(), Coordenada(0, 0, 0), nula); }, false},
        {"polígono de 2", [] { Poligono("q", Cor(), pontos(2), true); }, false},
        {"polígono de 3", [] { Poligono("q", Cor(), pontos(3), false); }, true},
        {"polígono com vértice nulo", [&] { Poligono("q", Cor(), {Coordenada(0, 0, 0), nula, Coordenada(1, 1, 1)}, true); }, false},
        {"Bézier de 3", [] { Bezier("b", Cor(), pontos(3)); }, false},
        {"Bézier de 4", [] { Bezier("b", Cor(), pontos(4)); }, true},
        {"Bézier de 5", [] { Bezier("b", Cor(), pontos(5)); }, false},
        {"Bézier de 6", [] { Bezier("b", Cor(), pontos(6)); }, false},
        {"Bézier de 7", [] { Bezier("b", Cor(), pontos(7)); }, true},
        {"B-spline de 3", [] { BSpline("s", Cor(), pontos(3)); }, false},
        {"B-spline de 4", [] { BSpline("s", Cor(), pontos(4)); }, true},
        {"B-spline de 5", [] { BSpline("s", Cor(), pontos(5)); }, true},
        {"objeto 3D", [] { Objeto3D("o", Cor(), pontos(2), {{0, 1}}); }, true},
        {"objeto 3D de 1 vértice", [] { Objeto3D("o", Cor(), pontos(1), {{0, 0}}); }, false},
        {"objeto 3D sem arestas", [] { Objeto3D("o", Cor(), pontos(3), {}); }, false},
        {"aresta de um vértice a ele mesmo", [] { Objeto3D("o", Cor(), pontos(3), {{0, 1}, {2, 2}}); }, false},
        {"aresta a vértice que não existe", [] { Objeto3D("o", Cor(), pontos(3), {{0, 3}}); }, false},
        {"aresta com índice negativo", [] { Objeto3D("o", Cor(), pontos(3), {{-1, 0}}); }, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        if (c.aceito)
            EXPECT_NO_THROW(c.construir());
        else
            EXPECT_THROW(c.construir(), std::invalid_argument);
    }
}

TEST(Objetos, TipoNivelEGeometria)
{
    struct Caso {
        std::unique_ptr<Objeto> objeto;
        const char* tipo;
        int nivel;
        const char* chamadas;
    };
    Caso casos[] = {
        {std::make_unique<Ponto>("a", Cor(), Coordenada(1, 2, 3)), "Ponto", 0, "pontos"},
        {std::make_unique<Reta>("a", Cor(), Coordenada(1, 2, 3), Coordenada(0, 0, 0)), "Reta", 1, "polilinha"},
        {std::make_unique<Poligono>("a", Cor(), pontos(4), true), "Polígono", 2, "poligonoPreenchido"},
        {std::make_unique<Poligono>("a", Cor(), pontos(4), false), "Polígono", 1, "polilinha fechada"},
        {std::make_unique<Bezier>("a", Cor(), pontos(4)), "Curva de Bézier", 1, "bezier"},
        {std::make_unique<BSpline>("a", Cor(), pontos(4)), "B-Spline", 1, "bezier"},
        {std::make_unique<Objeto3D>("a", Cor(), pontos(3), std::vector<std::pair<int, int>>{{0, 1}, {1, 2}}),
         "Objeto 3D", 1, "arestas"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tipo);
        EXPECT_EQ(c.objeto->nomeDoTipo(), c.tipo);
        EXPECT_EQ(c.objeto->nivelDePreenchimento(), c.nivel);
        Registro r;
        c.objeto->descreverGeometria(r);
        EXPECT_EQ(r.chamadas, c.chamadas);
    }
}

TEST(Objetos, BSplineViraACadeiaDeBezierIgualAFormaFechada)
{
    const Lista p = {Coordenada(0, 0, 0), Coordenada(2, 5, 1), Coordenada(6, -1, 3),
                     Coordenada(9, 4, -2), Coordenada(12, 0, 0), Coordenada(15, 8, 5)};
    const BSpline s("s", Cor(), p);
    Registro r;
    s.descreverGeometria(r);
    ASSERT_EQ(r.coordenadas.size(), 3 * (p.size() - 3) + 1);
    for (std::size_t i = 0; i + 3 < p.size(); ++i) {
        for (double t : {0.0, 0.2, 0.5, 0.9, 1.0}) {
            SCOPED_TRACE(::testing::Message() << "segmento " << i << ", t " << t);
            // 1/6 · [t³ t² t 1] · [−1 3 −3 1; 3 −6 3 0; −3 0 3 0; 1 4 1 0] · [p_i … p_i+3]
            const double t2 = t * t, t3 = t2 * t;
            const double w[4] = {(-t3 + 3 * t2 - 3 * t + 1) / 6, (3 * t3 - 6 * t2 + 4) / 6,
                                 (-3 * t3 + 3 * t2 + 3 * t + 1) / 6, t3 / 6};
            double x = 0, y = 0, z = 0;
            for (int k = 0; k < 4; ++k) {
                x += w[k] * p[i + k].x();
                y += w[k] * p[i + k].y();
                z += w[k] * p[i + k].z();
            }
            const Coordenada* c = &r.coordenadas[3 * i];
            const double s1 = 1 - t;
            const double b[4] = {s1 * s1 * s1, 3 * s1 * s1 * t, 3 * s1 * t * t, t * t * t};
            double bx = 0, by = 0, bz = 0;
            for (int k = 0; k < 4; ++k) {
                bx += b[k] * c[k].x();
                by += b[k] * c[k].y();
                bz += b[k] * c[k].z();
            }
            EXPECT_TRUE(mesmoPonto(Coordenada(bx, by, bz), Coordenada(x, y, z)));
        }
    }
}

TEST(Objetos, TransformarECentro)
{
    Reta r("r", Cor(), Coordenada(1, 2, 3), Coordenada(3, 6, -1));
    EXPECT_TRUE(mesmoPonto(r.centro(), Coordenada(2, 4, 1)));
    r.transformar(Transformacao::translacao(1, -1, 2));
    ASSERT_EQ(r.numeroDeCoordenadas(), 2);
    EXPECT_TRUE(mesmoPonto(r.coordenadas()[0], Coordenada(2, 1, 5)));
    EXPECT_TRUE(mesmoPonto(r.coordenadas()[1], Coordenada(4, 5, 1)));
    EXPECT_EQ(r.coordenadas()[1].w(), 1);
}

TEST(Objetos, RodarEEscalarEmTornoDoCentroODeixaNoLugar)
{
    Objeto3D o("o", Cor(), {Coordenada(1, 1, 1), Coordenada(4, 1, 2), Coordenada(3, 7, -5), Coordenada(0, 2, 9)},
               {{0, 1}, {1, 2}, {2, 3}});
    const Coordenada c = o.centro();
    for (int i = 0; i < 100; ++i) {
        o.transformar(Transformacao::rotacao(13, 17, 19, o.centro()));
        const Coordenada k = o.centro();
        o.transformar(Transformacao::escala(1.01, 0.99, 1.02, k.x(), k.y(), k.z()));
    }
    EXPECT_TRUE(mesmoPonto(o.centro(), c, 1e-9));
}

TEST(Objetos, CloneEIndependente)
{
    const Objeto3D original("cubo", Cor(1, 2, 3), pontos(4), {{0, 1}, {2, 3}});
    std::unique_ptr<Objeto> copia(original.clone());
    ASSERT_NE(dynamic_cast<Objeto3D*>(copia.get()), nullptr);
    EXPECT_EQ(copia->nome(), "cubo");
    EXPECT_EQ(copia->cor(), Cor(1, 2, 3));
    EXPECT_EQ(static_cast<Objeto3D*>(copia.get())->arestas(), original.arestas());
    copia->transformar(Transformacao::translacao(5, 5, 5));
    EXPECT_TRUE(mesmoPonto(original.coordenadas()[1], pontos(4)[1]));
    EXPECT_TRUE(mesmoPonto(copia->coordenadas()[1], pontos(4)[1] + Vetor(5, 5, 5)));
}

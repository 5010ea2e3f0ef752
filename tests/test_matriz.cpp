#include <cmath>

#include <gtest/gtest.h>

#include "coordenada.h"
#include "matriz.h"
#include "pertode.h"
#include "transformacao.h"
#include "vetor.h"

namespace {

constexpr Matriz<2, 3> exemplo23()
{
    Matriz<2, 3> m;
    double v = 1;
    for (std::size_t i = 0; i < 2; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            m(i, j) = v++;
    return m;
}

constexpr Matriz<3, 2> exemplo32()
{
    Matriz<3, 2> m;
    double v = 7;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 2; ++j)
            m(i, j) = v++;
    return m;
}

// [1 2 3; 4 5 6] × [7 8; 9 10; 11 12] = [58 64; 139 154]
constexpr Matriz<2, 2> produto = exemplo23() * exemplo32();
static_assert(produto(0, 0) == 58 && produto(0, 1) == 64 && produto(1, 0) == 139 && produto(1, 1) == 154);
static_assert(Matriz<4, 4>::identidade() * Matriz<4, 4>::identidade() == Matriz<4, 4>::identidade());
static_assert(exemplo23() * Matriz<3, 3>::identidade() == exemplo23());
static_assert((exemplo23() + exemplo23()) == exemplo23() * 2.0);
static_assert((exemplo23() - exemplo23()) == Matriz<2, 3>());
static_assert(Matriz<1, 4>::linhas() == 1 && Matriz<1, 4>::colunas() == 4);

static_assert(Coordenada().isNull());
static_assert(!Coordenada(0, 0, 0).isNull());
static_assert(Coordenada(1, 2, 3).w() == 1);
static_assert(Vetor(1, 0, 0).vetorial(Vetor(0, 1, 0)) == Vetor(0, 0, 1));
static_assert(Vetor(1, 2, 3).escalar(Vetor(4, -5, 6)) == 12);
static_assert(Vetor(Coordenada(1, 1, 1), Coordenada(4, 5, 1)) == Vetor(3, 4, 0));
static_assert((Coordenada(1, 1, 1) + Vetor(1, 2, 3)).z() == 4);

::testing::AssertionResult mesmoPonto(const Coordenada& p, double x, double y, double z)
{
    if (pertoDe(p.x(), x, 1e-12) && pertoDe(p.y(), y, 1e-12) && pertoDe(p.z(), z, 1e-12) && p.w() == 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << p.x() << ", " << p.y() << ", " << p.z() << ", w " << p.w()
                                         << ") is not (" << x << ", " << y << ", " << z << ")";
}

} // namespace

TEST(Transformacao, ConvencoesSobrePontosConhecidos)
{
    const Coordenada origem(0, 0, 0);
    const double r = std::sqrt(0.5);
    struct Caso {
        const char* nome;
        Transformacao t;
        Coordenada p;
        double x, y, z;
    };
    const Caso casos[] = {
        {"translação", Transformacao::translacao(1, 2, 3), Coordenada(1, 1, 1), 2, 3, 4},
        {"sobre z leva x a y", Transformacao::rotacao(0, 0, 90, origem), Coordenada(1, 0, 0), 0, 1, 0},
        {"sobre x leva y a z", Transformacao::rotacao(90, 0, 0, origem), Coordenada(0, 1, 0), 0, 0, 1},
        {"sobre y leva z a x", Transformacao::rotacao(0, 90, 0, origem), Coordenada(0, 0, 1), 1, 0, 0},
        {"45 graus", Transformacao::rotacao(0, 0, 45, origem), Coordenada(1, 0, 0), r, r, 0},
        {"ângulo negativo", Transformacao::rotacao(0, 0, -90, origem), Coordenada(1, 0, 0), 0, -1, 0},
        {"volta e meia", Transformacao::rotacao(0, 0, 540, origem), Coordenada(1, 2, 0), -1, -2, 0},
        {"primeiro x, depois y", Transformacao::rotacao(90, 90, 0, origem), Coordenada(0, 1, 0), 1, 0, 0},
        {"em torno de um ponto", Transformacao::rotacao(0, 0, 90, Coordenada(1, 1, 0)), Coordenada(2, 1, 0), 1, 2, 0},
        {"escala em torno de um ponto", Transformacao::escala(2, 3, 4, 1, 1, 1), Coordenada(2, 2, 2), 3, 4, 5},
        {"escala deixa o ponto fixo", Transformacao::escala(5, 6, 7, 1, 2, 3), Coordenada(1, 2, 3), 1, 2, 3},
        {"A depois B é A × B",
         Transformacao::translacao(1, 0, 0) * Transformacao::rotacao(0, 0, 90, origem), Coordenada(0, 0, 0), 0, 1, 0},
        {"B depois A", Transformacao::rotacao(0, 0, 90, origem) * Transformacao::translacao(1, 0, 0),
         Coordenada(0, 0, 0), 1, 0, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_TRUE(mesmoPonto(c.p * c.t, c.x, c.y, c.z));
    }
}

TEST(Transformacao, QuartosDeVoltaSaoExatos)
{
    const Coordenada p = Coordenada(3, -7, 2) * Transformacao::rotacao(90, 180, 270, Coordenada(0, 0, 0));
    EXPECT_EQ(p.x(), std::round(p.x()));
    EXPECT_EQ(p.y(), std::round(p.y()));
    EXPECT_EQ(p.z(), std::round(p.z()));
}

TEST(Transformacao, QuatroTranslacoesQueSeCancelam)
{
    const Transformacao t = Transformacao::translacao(0.1, -2.5, 3) * Transformacao::translacao(-0.3, 1, 0.7)
                            * Transformacao::translacao(1.2, 0.5, -0.2) * Transformacao::translacao(-1, 1, -3.5);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 4; ++j)
            EXPECT_TRUE(pertoDe(t(i, j), i == j ? 1.0 : 0.0, 1e-15)) << i << ", " << j;
    EXPECT_TRUE(mesmoPonto(Coordenada(4, 5, 6) * t, 4, 5, 6));
}

TEST(Transformacao, ProdutoAssociaComOPonto)
{
    const Transformacao a = Transformacao::rotacao(10, 20, 30, Coordenada(1, 2, 3));
    const Transformacao b = Transformacao::escala(2, 0.5, 3, -1, 0, 4);
    const Coordenada p(0.5, -4, 9);
    const Coordenada emDuasVezes = (p * a) * b;
    EXPECT_TRUE(mesmoPonto(p * (a * b), emDuasVezes.x(), emDuasVezes.y(), emDuasVezes.z()));
}

TEST(Vetor, ModuloENormalizacao)
{
    EXPECT_EQ(Vetor(3, 4, 12).modulo(), 13);
    const Vetor n = Vetor(0, -3, 4).normalizado();
    EXPECT_TRUE(pertoDe(n.y(), -0.6));
    EXPECT_TRUE(pertoDe(n.z(), 0.8));
    EXPECT_EQ(Vetor().normalizado(), Vetor());
}

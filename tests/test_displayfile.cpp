#include <utility>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "geometria.h"
#include "objeto.h"
#include "ponto.h"
#include "reta.h"
#include "transformacao.h"

namespace {

// A point that counts how many of its kind are alive, so that the tests see every delete.
class Contado : public Objeto {
public:
    explicit Contado(double x) : Objeto("c", Cor(), {Coordenada(x, 0, 0)}, 0) { ++vivos; }
    Contado(const Contado& o) : Objeto(o) { ++vivos; }
    ~Contado() override { --vivos; }

    Objeto* clone() const override { return new Contado(*this); }
    void descreverGeometria(Geometria& g) const override { g.pontos(_coordenadas); }
    std::string nomeDoTipo() const override { return "Contado"; }

    static inline int vivos = 0;
};

DisplayFile cenaDe(std::initializer_list<double> xs)
{
    DisplayFile d;
    for (double x : xs)
        d.listaDeObjetos.push_back(new Contado(x));
    return d;
}

double xDe(const DisplayFile& d, std::size_t i)
{
    return d.listaDeObjetos.at(i)->coordenadas().at(0).x();
}

class DisplayFileTeste : public ::testing::Test {
protected:
    void SetUp() override { Contado::vivos = 0; }
    void TearDown() override { EXPECT_EQ(Contado::vivos, 0) << "objects leaked or deleted twice"; }
};

} // namespace

TEST_F(DisplayFileTeste, DestruirApagaOsObjetos)
{
    {
        const DisplayFile d = cenaDe({1, 2, 3});
        EXPECT_EQ(Contado::vivos, 3);
    }
    EXPECT_EQ(Contado::vivos, 0);
}

TEST_F(DisplayFileTeste, CopiaEIndependenteDaOrigem)
{
    DisplayFile origem = cenaDe({1, 2});
    DisplayFile copia(origem);
    EXPECT_EQ(Contado::vivos, 4);
    ASSERT_EQ(copia.listaDeObjetos.size(), 2u);
    EXPECT_NE(copia.listaDeObjetos[0], origem.listaDeObjetos[0]);
    copia.listaDeObjetos[0]->transformar(Transformacao::translacao(10, 0, 0));
    EXPECT_EQ(xDe(copia, 0), 11);
    EXPECT_EQ(xDe(origem, 0), 1);
    origem = DisplayFile();
    EXPECT_EQ(Contado::vivos, 2);
    EXPECT_EQ(xDe(copia, 1), 2);
}

TEST_F(DisplayFileTeste, AtribuicaoPorCopiaTrocaOsObjetos)
{
    DisplayFile a = cenaDe({1, 2, 3});
    const DisplayFile b = cenaDe({7});
    a = b;
    EXPECT_EQ(Contado::vivos, 2);
    ASSERT_EQ(a.listaDeObjetos.size(), 1u);
    EXPECT_EQ(xDe(a, 0), 7);
    EXPECT_NE(a.listaDeObjetos[0], b.listaDeObjetos[0]);

    const DisplayFile& mesma = a;
    a = mesma;
    EXPECT_EQ(Contado::vivos, 2);
    EXPECT_EQ(xDe(a, 0), 7);
}

TEST_F(DisplayFileTeste, MoverLevaOsObjetosSemCopiar)
{
    DisplayFile a = cenaDe({1, 2});
    Objeto* primeiro = a.listaDeObjetos[0];
    DisplayFile b(std::move(a));
    EXPECT_EQ(Contado::vivos, 2);
    EXPECT_EQ(b.listaDeObjetos[0], primeiro);
    EXPECT_TRUE(a.listaDeObjetos.empty()); // NOLINT(bugprone-use-after-move): moved-from is empty

    DisplayFile c = cenaDe({5, 6, 7});
    c = std::move(b);
    EXPECT_EQ(Contado::vivos, 2);
    EXPECT_EQ(c.listaDeObjetos[0], primeiro);
    EXPECT_TRUE(b.listaDeObjetos.empty()); // NOLINT(bugprone-use-after-move)
}

TEST_F(DisplayFileTeste, CopiaDeObjetosDeVariosTipos)
{
    DisplayFile d;
    d.listaDeObjetos.push_back(new Ponto("p", Cor(1, 2, 3), Coordenada(1, 2, 3)));
    d.listaDeObjetos.push_back(new Reta("r", Cor(), Coordenada(0, 0, 0), Coordenada(1, 1, 1)));
    const DisplayFile copia = d;
    ASSERT_EQ(copia.listaDeObjetos.size(), 2u);
    EXPECT_EQ(copia.listaDeObjetos[0]->nomeDoTipo(), "Ponto");
    EXPECT_EQ(copia.listaDeObjetos[0]->cor(), Cor(1, 2, 3));
    EXPECT_EQ(copia.listaDeObjetos[1]->nomeDoTipo(), "Reta");
    EXPECT_EQ(copia.listaDeObjetos[1]->coordenadas(), d.listaDeObjetos[1]->coordenadas());
}

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fabricadeobjeto.h"
#include "objeto.h"
#include "objeto3d.h"
#include "poligono.h"
#include "superficiebezier.h"

namespace {

using Type = FabricaDeObjeto::Type;
using Coordenadas = std::vector<Coordenada>;
using Arestas = std::vector<std::pair<int, int>>;

// How each factory looks to the dialog, and the coordinate counts its kind takes (written out here,
// independently of the code under test).
struct Esperado {
    FabricaDeObjeto* (*obter)();
    const char* nome;
    std::vector<std::pair<std::string, int>> parametros;
    std::set<std::size_t> contagensValidasAte13;
    // 0 for the kinds without an upper bound.
    std::size_t maximo;
};

const std::vector<Esperado>& fabricas()
{
    static const std::vector<Esperado> tabela = {
        {obterFabricaDePonto, "Ponto", {{"Nome", 2}, {"Cor", 1}, {"Coordenada", 0}}, {1}, 1},
        {obterFabricaDeReta, "Reta", {{"Nome", 2}, {"Cor", 1}, {"Extremos", 0}}, {2}, 2},
        {obterFabricaDePoligono, "Polígono", {{"Nome", 2}, {"Cor", 1}, {"Vértices", 0}, {"Preenchido", 3}},
            {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 0},
        {obterFabricaDeBezier, "Curva de Bézier", {{"Nome", 2}, {"Cor", 1}, {"Pontos de controle", 0}}, {4, 7, 10, 13},
            0},
        {obterFabricaDeBSpline, "B-Spline", {{"Nome", 2}, {"Cor", 1}, {"Pontos de controle", 0}},
            {4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 0},
        {obterFabricaDeObjeto3D, "Objeto 3D", {{"Nome", 2}, {"Cor", 1}, {"Vértices", 0}, {"Arestas", 5}},
            {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 0},
    };
    return tabela;
}

Coordenadas pontos(std::size_t n)
{
    Coordenadas c;
    for (std::size_t i = 0; i < n; ++i)
        c.emplace_back(static_cast<double>(i), 2.0 * static_cast<double>(i) - 1.0, 0.5);
    return c;
}

// The descriptors of a factory, looked up by label.
struct Parametros {
    explicit Parametros(FabricaDeObjeto* f) : lista(f->parametros()) { }

    Type* operator[](const std::string& nome) const
    {
        for (Type* t : lista)
            if (t->nome == nome)
                return t;
        ADD_FAILURE() << "sem parâmetro " << nome;
        return nullptr;
    }
    FabricaDeObjeto::TypeString& nome() const { return *static_cast<FabricaDeObjeto::TypeString*>(lista[0]); }
    FabricaDeObjeto::TypeCor& cor() const { return *static_cast<FabricaDeObjeto::TypeCor*>(lista[1]); }
    FabricaDeObjeto::TypeCoordenadas& coordenadas() const
    {
        return *static_cast<FabricaDeObjeto::TypeCoordenadas*>(lista[2]);
    }

    std::vector<Type*> lista;
};

TEST(Fabricas, NomesParametrosETiposNaOrdem)
{
    std::set<std::string> nomes;
    for (const Esperado& e : fabricas()) {
        FabricaDeObjeto* f = e.obter();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f, e.obter()) << "a mesma fábrica a cada chamada";
        EXPECT_EQ(f->nome(), e.nome);
        nomes.insert(f->nome());
        const std::vector<Type*> p = f->parametros();
        ASSERT_EQ(p.size(), e.parametros.size()) << e.nome;
        for (std::size_t i = 0; i < p.size(); ++i) {
            EXPECT_EQ(p[i]->nome, e.parametros[i].first) << e.nome;
            EXPECT_EQ(p[i]->tipoDoValor(), e.parametros[i].second) << e.nome << " " << p[i]->nome;
        }
    }
    EXPECT_EQ(nomes.size(), 6u);
}

TEST(Fabricas, ParametrosDevolveOsMesmosDescritoresReiniciados)
{
    for (const Esperado& e : fabricas()) {
        FabricaDeObjeto* f = e.obter();
        Parametros p(f);
        p.nome().valor = "alterado";
        p.cor().valor = Cor(10, 20, 30);
        p.coordenadas().valor = pontos(5);
        if (auto* b = dynamic_cast<FabricaDeObjeto::TypeBool*>(p.lista.back()))
            b->valor = true;
        if (auto* a = dynamic_cast<FabricaDeObjeto::TypeIntInts*>(p.lista.back()))
            a->valor = {{0, 1}};

        const std::vector<Type*> outra = f->parametros();
        EXPECT_EQ(outra, p.lista) << e.nome;
        EXPECT_EQ(p.nome().valor, "") << e.nome;
        EXPECT_EQ(p.cor().valor, Cor(0, 0, 0)) << e.nome;
        EXPECT_TRUE(p.coordenadas().valor.empty()) << e.nome;
        if (auto* b = dynamic_cast<FabricaDeObjeto::TypeBool*>(p.lista.back())) {
            EXPECT_FALSE(b->valor);
        }
        if (auto* a = dynamic_cast<FabricaDeObjeto::TypeIntInts*>(p.lista.back())) {
            EXPECT_TRUE(a->valor.empty());
        }
    }
}

TEST(Fabricas, ValidadeDoNomeDaCorEDoBooleano)
{
    for (const Esperado& e : fabricas()) {
        Parametros p(e.obter());
        EXPECT_FALSE(p.nome().valido()) << e.nome << ": nome vazio";
        p.nome().valor = "x";
        EXPECT_TRUE(p.nome().valido()) << e.nome;
        EXPECT_TRUE(p.cor().valido());
        p.cor().valor = Cor(255, 0, 255);
        EXPECT_TRUE(p.cor().valido());
    }
    Parametros p(obterFabricaDePoligono());
    auto& preenchido = *static_cast<FabricaDeObjeto::TypeBool*>(p["Preenchido"]);
    EXPECT_TRUE(preenchido.valido());
    preenchido.valor = true;
    EXPECT_TRUE(preenchido.valido());
}

TEST(Fabricas, ValidadeDaListaDeCoordenadasPorContagem)
{
    for (const Esperado& e : fabricas()) {
        Parametros p(e.obter());
        for (std::size_t n = 0; n <= 13; ++n) {
            p.coordenadas().valor = pontos(n);
            EXPECT_EQ(p.coordenadas().valido(), e.contagensValidasAte13.count(n) == 1) << e.nome << " com " << n;
        }
    }
}

TEST(Fabricas, ListaComPontoNuloOuNaoFinitoNaoEValida)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Esperado& e : fabricas()) {
        const std::size_t n = *e.contagensValidasAte13.begin();
        for (const Coordenada& ruim :
            {Coordenada(), Coordenada(inf, 0, 0), Coordenada(0, nan, 0), Coordenada(0, 0, -inf)}) {
            Parametros p(e.obter());
            p.nome().valor = "x";
            p.coordenadas().valor = pontos(n);
            p.coordenadas().valor.back() = ruim;
            if (auto* a = dynamic_cast<FabricaDeObjeto::TypeIntInts*>(p.lista.back()))
                a->valor = {{0, 1}};
            EXPECT_FALSE(p.coordenadas().valido()) << e.nome;
            EXPECT_EQ(e.obter()->criar(), nullptr) << e.nome;
        }
    }
}

TEST(Fabricas, QuantidadeSuficiente)
{
    for (const Esperado& e : fabricas()) {
        Parametros p(e.obter());
        for (std::size_t n = 0; n <= 13; ++n) {
            p.coordenadas().valor = pontos(n);
            const bool cheia = e.maximo != 0 && n >= e.maximo;
            EXPECT_EQ(p.coordenadas().quantidadeSuficiente() != 0, cheia) << e.nome << " com " << n;
        }
    }
}

TEST(Fabricas, ValidadeDasArestas)
{
    Parametros p(obterFabricaDeObjeto3D());
    auto& arestas = *static_cast<FabricaDeObjeto::TypeIntInts*>(p["Arestas"]);
    EXPECT_FALSE(arestas.valido());
    arestas.valor = {{0, 1}};
    EXPECT_TRUE(arestas.valido());
    arestas.valor = {{0, 1}, {1, 2}, {2, 0}};
    EXPECT_TRUE(arestas.valido());
}

TEST(Fabricas, CriarComValoresValidos)
{
    const Cor vermelho(200, 10, 20);
    for (const Esperado& e : fabricas()) {
        FabricaDeObjeto* f = e.obter();
        Parametros p(f);
        const std::size_t n = e.maximo != 0 ? e.maximo : 7; // 7 = 3·2 + 1 suits every kind without a bound
        p.nome().valor = std::string("meu ") + e.nome;
        p.cor().valor = vermelho;
        p.coordenadas().valor = pontos(n);
        if (auto* a = dynamic_cast<FabricaDeObjeto::TypeIntInts*>(p.lista.back()))
            a->valor = {{0, 1}, {6, 2}};

        std::unique_ptr<Objeto> o(f->criar());
        ASSERT_NE(o, nullptr) << e.nome;
        EXPECT_EQ(o->nomeDoTipo(), e.nome);
        EXPECT_EQ(o->nome(), std::string("meu ") + e.nome);
        EXPECT_EQ(o->cor(), vermelho);
        EXPECT_EQ(o->coordenadas(), pontos(n));

        std::unique_ptr<Objeto> outro(f->criar());
        EXPECT_NE(outro.get(), o.get()) << "cada criar() dá um objeto novo";
    }

    Parametros p(obterFabricaDeObjeto3D());
    p.nome().valor = "cubo";
    p.coordenadas().valor = pontos(3);
    static_cast<FabricaDeObjeto::TypeIntInts*>(p["Arestas"])->valor = {{0, 1}, {2, 1}};
    std::unique_ptr<Objeto> o(obterFabricaDeObjeto3D()->criar());
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(static_cast<Objeto3D*>(o.get())->arestas(), (Arestas{{0, 1}, {2, 1}}));
}

TEST(Fabricas, PoligonoPreenchidoOuNao)
{
    for (bool cheio : {false, true}) {
        Parametros p(obterFabricaDePoligono());
        p.nome().valor = "t";
        p.coordenadas().valor = pontos(3);
        static_cast<FabricaDeObjeto::TypeBool*>(p["Preenchido"])->valor = cheio;
        std::unique_ptr<Objeto> o(obterFabricaDePoligono()->criar());
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(static_cast<Poligono*>(o.get())->preenchido(), cheio);
        EXPECT_EQ(o->nivelDePreenchimento(), cheio ? 2 : 1);
    }
}

TEST(Fabricas, CriarDevolveNuloComQualquerValorInvalido)
{
    for (const Esperado& e : fabricas()) {
        FabricaDeObjeto* f = e.obter();
        const std::size_t valida = *e.contagensValidasAte13.begin();
        const auto preparar = [&](const std::string& nome, std::size_t n) {
            Parametros p(f);
            p.nome().valor = nome;
            p.coordenadas().valor = pontos(n);
            if (auto* a = dynamic_cast<FabricaDeObjeto::TypeIntInts*>(p.lista.back()))
                a->valor = {{0, 1}};
        };
        preparar("", valida);
        EXPECT_EQ(f->criar(), nullptr) << e.nome << ": nome vazio";
        preparar("x", valida - 1);
        EXPECT_EQ(f->criar(), nullptr) << e.nome << ": poucas coordenadas";
        if (e.nome == std::string("Curva de Bézier")) {
            preparar("x", 5);
            EXPECT_EQ(f->criar(), nullptr) << "5 pontos não são 3k + 1";
        }
        if (e.maximo != 0) {
            preparar("x", e.maximo + 1);
            EXPECT_EQ(f->criar(), nullptr) << e.nome << ": coordenadas demais";
        }
    }
}

TEST(Fabricas, Objeto3DComArestasQueNaoServemDevolveNulo)
{
    FabricaDeObjeto* f = obterFabricaDeObjeto3D();
    const std::vector<Arestas> ruins = {
        {},                // nenhuma aresta
        {{0, 3}},          // vértice 3 não existe
        {{0, 1}, {-1, 2}}, // índice negativo
        {{1, 1}},          // vértice ligado a si mesmo
        {{0, 1}, {2, 2}},
    };
    for (const Arestas& a : ruins) {
        Parametros p(f);
        p.nome().valor = "x";
        p.coordenadas().valor = pontos(3);
        static_cast<FabricaDeObjeto::TypeIntInts*>(p["Arestas"])->valor = a;
        Objeto* o = nullptr;
        EXPECT_NO_THROW(o = f->criar());
        EXPECT_EQ(o, nullptr) << a.size() << " arestas";
        delete o;
    }
}

} // namespace

// A grid kind's control points are one grid descriptor, which starts as the kind's smallest grid and
// says what is wrong with another; the object built has the grid as it was edited.
TEST(Fabricas, GradeDeControleComSuaRegraESeuMotivo)
{
    FabricaDeObjeto* f = obterFabrica(SuperficieBezier::descricao);
    ASSERT_NE(f, nullptr);
    const std::vector<Type*> p = f->parametros();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[2]->nome, "Pontos de controle");
    ASSERT_EQ(p[2]->tipoDoValor(), FabricaDeObjeto::valorGrade);
    static_cast<FabricaDeObjeto::TypeString*>(p[0])->valor = "s";
    auto& grade = static_cast<FabricaDeObjeto::TypeGrade*>(p[2])->valor;
    EXPECT_EQ(grade.grade.linhas, 4u);
    EXPECT_EQ(grade.grade.colunas, 4u);
    EXPECT_EQ(grade.coordenadas.size(), 16u);
    EXPECT_TRUE(p[2]->valido());
    EXPECT_EQ(p[2]->motivo(), "");

    grade.grade = {7, 4, 3};
    EXPECT_FALSE(p[2]->valido()) << "16 points for 7 × 4";
    EXPECT_EQ(p[2]->motivo(), "precisa de 7 × 4 coordenadas (há 16)");
    EXPECT_EQ(f->criar(), nullptr);
    EXPECT_EQ(f->motivo(), "Pontos de controle: precisa de 7 × 4 coordenadas (há 16).");

    grade.coordenadas = pontos(28);
    ASSERT_TRUE(p[2]->valido());
    const std::unique_ptr<Objeto> objeto(f->criar());
    const auto* s = dynamic_cast<const SuperficieBezier*>(objeto.get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->grade().linhas, 7u);
    EXPECT_EQ(s->grade().colunas, 4u);
    EXPECT_EQ(s->grade().malha, 3);
    EXPECT_EQ(s->coordenadas(), pontos(28));

    grade.grade.linhas = 5;
    grade.coordenadas = pontos(20);
    EXPECT_EQ(p[2]->motivo(), "precisa de 3k + 1 linhas, com k ≥ 1 (há 5)");
}

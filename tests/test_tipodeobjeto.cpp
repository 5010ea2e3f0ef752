#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "contagem.h"
#include "fabricadeobjeto.h"
#include "objeto.h"
#include "tipodeobjeto.h"

// Every reader of a kind finds the kind through its description: an entry that builds another
// class, a copy that forgets its kind, or two kinds under one name would send objects to the wrong
// element, factory or editor.
TEST(TipoDeObjeto, CadaDescricaoConstroiObjetosDoSeuTipo)
{
    std::set<std::string> elementos, nomes;
    for (const TipoDeObjeto* tipo : tiposDeObjeto()) {
        SCOPED_TRACE(tipo->nome);
        EXPECT_TRUE(elementos.insert(tipo->elemento).second);
        EXPECT_TRUE(nomes.insert(tipo->nome).second);
        ASSERT_NE(obterFabrica(*tipo), nullptr);
        EXPECT_EQ(obterFabrica(*tipo)->nome(), tipo->nome);

        ValoresDeObjeto valores{"o", Cor(), {}, true, {}};
        for (std::size_t i = 0; i < tipo->coordenadas.minimo; ++i)
            valores.coordenadas.push_back(Coordenada(static_cast<double>(i), 1, 2));
        if (tipo->arestas != nullptr)
            valores.arestas = {{0, 1}};
        if (tipo->grade != nullptr)
            valores.grade = {tipo->grade->lados.minimo, tipo->coordenadas.minimo / tipo->grade->lados.minimo, 3};
        const std::unique_ptr<Objeto> objeto = tipo->construir(valores);
        EXPECT_EQ(objeto->tipo(), tipo);
        EXPECT_EQ(objeto->nomeDoTipo(), tipo->nome);
        EXPECT_EQ(objeto->nivelDePreenchimento(), tipo->preenchivel ? 2 : tipo->nivel);
        const std::unique_ptr<Objeto> copia(objeto->clone());
        EXPECT_EQ(copia->tipo(), tipo);

        valores.coordenadas.pop_back();
        EXPECT_THROW(tipo->construir(valores), std::invalid_argument);
    }
}

// The messages of the kinds in use are checked where files are read; these are the forms no kind
// uses yet, which a new kind would show its users.
TEST(TipoDeObjeto, ContagemLimitadaDizOsDoisLimites)
{
    EXPECT_EQ((Contagem{2, 5, 1}.texto("ponto", "pontos")), "de 2 a 5 pontos");
    EXPECT_EQ((Contagem{4, 10, 3}.texto("ponto", "pontos")), "3k + 1 pontos, com 1 ≤ k ≤ 3");
    EXPECT_TRUE((Contagem{4, 10, 3}.aceita(10)));
    EXPECT_FALSE((Contagem{4, 10, 3}.aceita(13)));
}

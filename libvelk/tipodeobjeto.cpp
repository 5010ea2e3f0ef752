#include "tipodeobjeto.h"

#include <stdexcept>

#include "bezier.h"
#include "bspline.h"
#include "geometria.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "superficiebezier.h"
#include "superficiebspline.h"

void TipoDeObjeto::exigirCoordenadas(const std::vector<Coordenada>& lista) const
{
    if (!coordenadas.aceita(lista.size()))
        throw std::invalid_argument(std::string(nome) + ": precisa de "
                                    + coordenadas.texto("coordenada", "coordenadas"));
    for (const Coordenada& c : lista)
        if (c.isNull())
            throw std::invalid_argument(std::string(nome) + ": a coordenada nula não é um ponto");
}

void TipoDeObjeto::exigirArestas(const std::vector<std::pair<int, int>>& lista, std::size_t vertices) const
{
    if (!contagemDeArestas.aceita(lista.size()))
        throw std::invalid_argument(std::string(nome) + ": precisa de " + contagemDeArestas.texto("aresta", "arestas"));
    for (const auto& [i, j] : lista)
        if (!arestaValida(i, j, vertices))
            throw std::invalid_argument(std::string(nome) + ": aresta (" + std::to_string(i) + ", "
                                        + std::to_string(j) + ") inválida");
}

std::string TipoDeObjeto::defeitoDaGrade(const Grade& g, std::size_t quantas) const
{
    const auto ha = [](std::size_t n) { return " (há " + std::to_string(n) + ")"; };
    if (grade == nullptr)
        return "não é uma grade";
    if (!grade->lados.aceita(g.linhas))
        return "precisa de " + grade->lados.texto("linha", "linhas") + ha(g.linhas);
    if (!grade->lados.aceita(g.colunas))
        return "precisa de " + grade->lados.texto("coluna", "colunas") + ha(g.colunas);
    // linhas × colunas = quantas, without a product that could wrap (linhas is at least 1 here).
    if (quantas % g.linhas != 0 || quantas / g.linhas != g.colunas)
        return "precisa de " + std::to_string(g.linhas) + " × " + std::to_string(g.colunas) + " coordenadas"
               + ha(quantas);
    if (g.malha < malhaMinima || g.malha > malhaMaxima)
        return "precisa de uma malha de " + std::to_string(malhaMinima) + " a " + std::to_string(malhaMaxima)
               + " (é " + std::to_string(g.malha) + ")";
    return {};
}

void TipoDeObjeto::exigirGrade(const Grade& g, std::size_t quantas) const
{
    const std::string defeito = defeitoDaGrade(g, quantas);
    if (!defeito.empty())
        throw std::invalid_argument(std::string(nome) + ": " + defeito);
}

const std::vector<const TipoDeObjeto*>& tiposDeObjeto()
{
    static const std::vector<const TipoDeObjeto*> tipos = {
        &Ponto::descricao, &Reta::descricao, &Poligono::descricao, &Bezier::descricao, &BSpline::descricao,
        &Objeto3D::descricao, &SuperficieBezier::descricao, &SuperficieBSpline::descricao,
    };
    return tipos;
}

ValoresDeObjeto valoresDe(const Objeto& objeto)
{
    const TipoDeObjeto* tipo = objeto.tipo();
    ValoresDeObjeto valores{objeto.nome(), objeto.cor(), objeto.coordenadas(), objeto.preenchido(), {}};
    if (tipo != nullptr && tipo->arestas != nullptr)
        valores.arestas = tipo->arestas(objeto);
    if (tipo != nullptr && tipo->grade != nullptr)
        valores.grade = tipo->grade->de(objeto);
    return valores;
}

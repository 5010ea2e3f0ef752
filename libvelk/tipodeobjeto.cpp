#include "tipodeobjeto.h"

#include <stdexcept>

#include "bezier.h"
#include "bspline.h"
#include "geometria.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"

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

const std::vector<const TipoDeObjeto*>& tiposDeObjeto()
{
    static const std::vector<const TipoDeObjeto*> tipos = {
        &Ponto::descricao, &Reta::descricao, &Poligono::descricao, &Bezier::descricao, &BSpline::descricao,
        &Objeto3D::descricao,
    };
    return tipos;
}

ValoresDeObjeto valoresDe(const Objeto& objeto)
{
    const TipoDeObjeto* tipo = objeto.tipo();
    ValoresDeObjeto valores{objeto.nome(), objeto.cor(), objeto.coordenadas(), objeto.preenchido(), {}};
    if (tipo != nullptr && tipo->arestas != nullptr)
        valores.arestas = tipo->arestas(objeto);
    return valores;
}

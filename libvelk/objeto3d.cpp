#include "objeto3d.h"

#include <stdexcept>

#include "geometria.h"

Objeto3D::Objeto3D(std::string nome, Cor cor, std::vector<Coordenada> vertices,
                   std::vector<std::pair<int, int>> arestas)
    : Objeto(std::move(nome), cor, std::move(vertices), 1), _arestas(std::move(arestas))
{
    if (_coordenadas.size() < 2)
        throw std::invalid_argument("Objeto 3D: são precisos 2 ou mais vértices");
    if (_arestas.empty())
        throw std::invalid_argument("Objeto 3D: é precisa ao menos uma aresta");
    const int n = static_cast<int>(_coordenadas.size());
    for (const auto& [i, j] : _arestas)
        if (i < 0 || j < 0 || i >= n || j >= n || i == j)
            throw std::invalid_argument("Objeto 3D: aresta (" + std::to_string(i) + ", " + std::to_string(j)
                                        + ") inválida");
    recusarNulas(_coordenadas, "Objeto 3D");
}

Objeto* Objeto3D::clone() const
{
    return new Objeto3D(*this);
}

void Objeto3D::descreverGeometria(Geometria& g) const
{
    g.arestas(_coordenadas, _arestas);
}

std::string Objeto3D::nomeDoTipo() const
{
    return "Objeto 3D";
}

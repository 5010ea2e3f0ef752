#include "poligono.h"

#include <stdexcept>

#include "geometria.h"

Poligono::Poligono(std::string nome, Cor cor, std::vector<Coordenada> vertices, bool preenchido)
    : Objeto(std::move(nome), cor, std::move(vertices), preenchido ? 2 : 1)
{
    if (_coordenadas.size() < 3)
        throw std::invalid_argument("Polígono: são precisos 3 ou mais vértices");
    recusarNulas(_coordenadas, "Polígono");
}

Objeto* Poligono::clone() const
{
    return new Poligono(*this);
}

void Poligono::descreverGeometria(Geometria& g) const
{
    if (preenchido())
        g.poligonoPreenchido(_coordenadas);
    else
        g.polilinha(_coordenadas, true);
}

std::string Poligono::nomeDoTipo() const
{
    return "Polígono";
}

#include "bezier.h"

#include <stdexcept>

#include "geometria.h"

Bezier::Bezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle)
    : Objeto(std::move(nome), cor, std::move(pontosDeControle), 1)
{
    if (_coordenadas.size() < 4 || (_coordenadas.size() - 1) % 3 != 0)
        throw std::invalid_argument("Curva de Bézier: são precisos 3k + 1 pontos de controle, k ≥ 1");
    recusarNulas(_coordenadas, "Curva de Bézier");
}

Objeto* Bezier::clone() const
{
    return new Bezier(*this);
}

void Bezier::descreverGeometria(Geometria& g) const
{
    g.bezier(_coordenadas);
}

std::string Bezier::nomeDoTipo() const
{
    return "Curva de Bézier";
}

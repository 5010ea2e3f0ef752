#include "reta.h"

#include "geometria.h"

Reta::Reta(std::string nome, Cor cor, Coordenada inicio, Coordenada fim)
    : Objeto(std::move(nome), cor, {inicio, fim}, 1)
{
    recusarNulas(_coordenadas, "Reta");
}

Objeto* Reta::clone() const
{
    return new Reta(*this);
}

void Reta::descreverGeometria(Geometria& g) const
{
    g.polilinha(_coordenadas, false);
}

std::string Reta::nomeDoTipo() const
{
    return "Reta";
}

#include "ponto.h"

#include "geometria.h"

Ponto::Ponto(std::string nome, Cor cor, Coordenada posicao)
    : Objeto(std::move(nome), cor, {posicao}, 0)
{
    recusarNulas(_coordenadas, "Ponto");
}

Objeto* Ponto::clone() const
{
    return new Ponto(*this);
}

void Ponto::descreverGeometria(Geometria& g) const
{
    g.pontos(_coordenadas);
}

std::string Ponto::nomeDoTipo() const
{
    return "Ponto";
}

#include "ponto.h"

#include "geometria.h"

const TipoDeObjeto Ponto::descricao = {
    "ponto", "Ponto", "Coordenada", {1, 1, 1}, 0, false, nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        descricao.exigirCoordenadas(v.coordenadas);
        return std::make_unique<Ponto>(v.nome, v.cor, v.coordenadas[0]);
    },
};

Ponto::Ponto(std::string nome, Cor cor, Coordenada posicao) : Objeto(descricao, std::move(nome), cor, {posicao}) {}

Objeto* Ponto::clone() const
{
    return new Ponto(*this);
}

void Ponto::descreverGeometria(Geometria& g) const
{
    g.pontos(_coordenadas);
}

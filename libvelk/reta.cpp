#include "reta.h"

#include "geometria.h"

const TipoDeObjeto Reta::descricao = {
    "reta", "Reta", "Extremos", {2, 2, 1}, 1, false, nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        descricao.exigirCoordenadas(v.coordenadas);
        return std::make_unique<Reta>(v.nome, v.cor, v.coordenadas[0], v.coordenadas[1]);
    },
};

Reta::Reta(std::string nome, Cor cor, Coordenada inicio, Coordenada fim)
    : Objeto(descricao, std::move(nome), cor, {inicio, fim})
{
}

Objeto* Reta::clone() const
{
    return new Reta(*this);
}

void Reta::descreverGeometria(Geometria& g) const
{
    g.polilinha(_coordenadas, false);
}

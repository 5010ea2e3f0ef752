#include "poligono.h"

#include "geometria.h"

const TipoDeObjeto Poligono::descricao = {
    "poligono", "Polígono", "Vértices", {3, Contagem::semLimite, 1}, 1, true, nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<Poligono>(v.nome, v.cor, v.coordenadas, v.preenchido);
    },
};

Poligono::Poligono(std::string nome, Cor cor, std::vector<Coordenada> vertices, bool preenchido)
    : Objeto(descricao, std::move(nome), cor, std::move(vertices), preenchido)
{
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

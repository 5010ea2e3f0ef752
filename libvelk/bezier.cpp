#include "bezier.h"

#include "geometria.h"

// Its control points are those of one Bézier chain, handed over as they are.
const TipoDeObjeto Bezier::descricao = {
    "bezier", "Curva de Bézier", "Pontos de controle", controlesDeBezier, 1, false, nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<Bezier>(v.nome, v.cor, v.coordenadas);
    },
};

Bezier::Bezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle)
    : Objeto(descricao, std::move(nome), cor, std::move(pontosDeControle))
{
}

Objeto* Bezier::clone() const
{
    return new Bezier(*this);
}

void Bezier::descreverGeometria(Geometria& g) const
{
    g.bezier(_coordenadas);
}

#include "superficiebezier.h"

#include "geometria.h"

namespace {

const DescricaoDeGrade gradeDeBezier = {controlesDeBezier, &Superficie::gradeDe};

} // namespace

const TipoDeObjeto SuperficieBezier::descricao = {
    "superficiebezier", "Superfície de Bézier", "Pontos de controle", {16, Contagem::semLimite, 1}, 1, false,
    nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<SuperficieBezier>(v.nome, v.cor, v.coordenadas, v.grade);
    },
    &gradeDeBezier,
};

SuperficieBezier::SuperficieBezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle, Grade grade)
    : Superficie(descricao, std::move(nome), cor, std::move(pontosDeControle), grade)
{
}

Objeto* SuperficieBezier::clone() const
{
    return new SuperficieBezier(*this);
}

void SuperficieBezier::descreverGeometria(Geometria& g) const
{
    descreverMalhaDeBezier(_coordenadas, grade().linhas, grade().colunas, grade().malha, g);
}

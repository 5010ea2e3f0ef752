#include "superficiebspline.h"

#include "bspline.h"
#include "geometria.h"

namespace {

const DescricaoDeGrade gradeDeBSpline = {{4, Contagem::semLimite, 1}, &Superficie::gradeDe};

} // namespace

const TipoDeObjeto SuperficieBSpline::descricao = {
    "superficiebspline", "Superfície B-Spline", "Pontos de controle", {16, Contagem::semLimite, 1}, 1, false,
    nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<SuperficieBSpline>(v.nome, v.cor, v.coordenadas, v.grade);
    },
    &gradeDeBSpline,
};

SuperficieBSpline::SuperficieBSpline(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle,
                                     Grade grade)
    : Superficie(descricao, std::move(nome), cor, std::move(pontosDeControle), grade)
{
}

Objeto* SuperficieBSpline::clone() const
{
    return new SuperficieBSpline(*this);
}

void SuperficieBSpline::descreverGeometria(Geometria& g) const
{
    // The basis change is linear and acts on each direction alone: every row turned into its Bézier
    // chain, then every column of the result, gives the grid of Bézier patches of the same surface.
    const std::size_t m = grade().linhas;
    const std::size_t n = grade().colunas;
    const std::size_t colunas = 3 * (n - 3) + 1;
    const std::size_t linhas = 3 * (m - 3) + 1;
    // Kept by each thread from one surface to the next, as the curves' controls are.
    thread_local std::vector<Coordenada> porLinha;
    thread_local std::vector<Coordenada> coluna;
    thread_local std::vector<Coordenada> controles;
    porLinha.clear();
    porLinha.reserve(m * colunas);
    for (std::size_t a = 0; a < m; ++a)
        controlesDeBezierDaBSpline(&_coordenadas[a * n], n, 1, porLinha);
    controles.resize(linhas * colunas);
    for (std::size_t b = 0; b < colunas; ++b) {
        coluna.clear();
        controlesDeBezierDaBSpline(&porLinha[b], m, colunas, coluna);
        for (std::size_t a = 0; a < linhas; ++a)
            controles[a * colunas + b] = coluna[a];
    }
    descreverMalhaDeBezier(controles, linhas, colunas, grade().malha, g);
}

#include "objeto3d.h"

#include "geometria.h"

const TipoDeObjeto Objeto3D::descricao = {
    "objeto3d", "Objeto 3D", "Vértices", {2, Contagem::semLimite, 1}, 1, false,
    [](const Objeto& o) -> const std::vector<std::pair<int, int>>& {
        return static_cast<const Objeto3D&>(o).arestas();
    },
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<Objeto3D>(v.nome, v.cor, v.coordenadas, v.arestas);
    },
};

Objeto3D::Objeto3D(std::string nome, Cor cor, std::vector<Coordenada> vertices,
                   std::vector<std::pair<int, int>> arestas)
    : Objeto(descricao, std::move(nome), cor, std::move(vertices)), _arestas(std::move(arestas))
{
    descricao.exigirArestas(_arestas, _coordenadas.size());
}

Objeto* Objeto3D::clone() const
{
    return new Objeto3D(*this);
}

void Objeto3D::descreverGeometria(Geometria& g) const
{
    g.arestas(_coordenadas, _arestas);
}

#ifndef OBJETO3D_H
#define OBJETO3D_H

#include <utility>
#include <vector>

#include "objeto.h"
#include "tipodeobjeto.h"

// A wireframe: two or more vertices and at least one edge (i, j), i ≠ j, both in range. Fill level 1.
class Objeto3D : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Objeto3D(std::string nome, Cor cor, std::vector<Coordenada> vertices,
             std::vector<std::pair<int, int>> arestas);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;

    const std::vector<std::pair<int, int>>& arestas() const { return _arestas; }

private:
    std::vector<std::pair<int, int>> _arestas;
};

#endif

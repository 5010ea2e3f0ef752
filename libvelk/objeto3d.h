#ifndef OBJETO3D_H
#define OBJETO3D_H

#include <utility>
#include <vector>

#include "objeto.h"
#include "tipodeobjeto.h"

// A wireframe: vertices and the edges (i, j) between them.
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

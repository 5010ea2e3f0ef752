#ifndef LENCOL_H
#define LENCOL_H

#include <cmath>
#include <utility>
#include <vector>

#include "objeto3d.h"

// A rippled sheet of lado × lado vertices and its triangles' edges, large enough at the default size
// that its projection and drawing are shared among the cores, running past every side of the
// default view and, at its near edge, behind the eye (z = −10).
inline Objeto3D* lencol(Cor cor, int lado = 160)
{
    std::vector<Coordenada> vertices;
    for (int i = 0; i < lado; ++i)
        for (int j = 0; j < lado; ++j) {
            const double x = -16 + 32.0 * j / (lado - 1);
            const double y = -16 + 32.0 * i / (lado - 1);
            vertices.emplace_back(x, y, -13 + 48.0 * i / lado + std::sin(x) * std::cos(y * 0.7));
        }
    std::vector<std::pair<int, int>> arestas;
    for (int i = 0; i < lado; ++i)
        for (int j = 0; j < lado; ++j) {
            const int v = i * lado + j;
            if (j + 1 < lado)
                arestas.emplace_back(v, v + 1);
            if (i + 1 < lado)
                arestas.emplace_back(v + lado, v);
            if (i + 1 < lado && j + 1 < lado)
                arestas.emplace_back(v, v + lado + 1);
        }
    return new Objeto3D("lençol", cor, std::move(vertices), std::move(arestas));
}

#endif

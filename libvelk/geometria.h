#ifndef GEOMETRIA_H
#define GEOMETRIA_H

#include <utility>
#include <vector>

#include "coordenada.h"

// What an object is made of, in world space, handed to whoever needs it (the camera's projection
// pipeline, for one). An object says what it is; it never says how it is drawn or stored.
class Geometria {
public:
    virtual ~Geometria() = default;

    // Loose points.
    virtual void pontos(const std::vector<Coordenada>& pontos) = 0;
    // An open polyline, or a closed one (the last point joins the first).
    virtual void polilinha(const std::vector<Coordenada>& pontos, bool fechada) = 0;
    // A filled polygon.
    virtual void poligonoPreenchido(const std::vector<Coordenada>& vertices) = 0;
    // Separate segments between pairs of vertices.
    virtual void arestas(const std::vector<Coordenada>& vertices,
                         const std::vector<std::pair<int, int>>& arestas) = 0;
    // A chain of cubic Bézier segments: 3k + 1 control points, segment i uses points 3i … 3i+3.
    virtual void bezier(const std::vector<Coordenada>& controles) = 0;
};

#endif

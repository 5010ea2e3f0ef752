#ifndef GEOMETRIA_H
#define GEOMETRIA_H

#include <cstddef>
#include <utility>
#include <vector>

#include "contagem.h"
#include "coordenada.h"

// The control points of a chain of cubic Bézier segments: 3k + 1, segment i using points 3i … 3i+3.
inline constexpr Contagem controlesDeBezier{4, Contagem::semLimite, 3};

// An edge (i, j) joins two distinct vertices of the n there are.
constexpr bool verticeExiste(long long i, std::size_t n) noexcept
{
    return i >= 0 && static_cast<unsigned long long>(i) < n;
}
constexpr bool arestaValida(int i, int j, std::size_t n) noexcept
{
    return i != j && verticeExiste(i, n) && verticeExiste(j, n);
}

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
    // Separate segments between pairs of vertices; an edge that breaks arestaValida is nothing.
    virtual void arestas(const std::vector<Coordenada>& vertices,
                         const std::vector<std::pair<int, int>>& arestas) = 0;
    // A chain of cubic Bézier segments (controlesDeBezier); any other count is nothing.
    virtual void bezier(const std::vector<Coordenada>& controles) = 0;
};

#endif

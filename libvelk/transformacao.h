#ifndef TRANSFORMACAO_H
#define TRANSFORMACAO_H

#include "coordenada.h"
#include "matriz.h"

// An affine transformation of row vectors (see matriz.h): p' = p × T; "A then B" is A × B.
class Transformacao : public Matriz<4, 4> {
public:
    // The identity.
    constexpr Transformacao() noexcept : Matriz<4, 4>(Matriz<4, 4>::identidade()) {}
    constexpr Transformacao(const Matriz<4, 4>& m) noexcept : Matriz<4, 4>(m) {}

    static Transformacao translacao(double dx, double dy, double dz) noexcept;
    // About the x axis by ax, then y by ay, then z by az (degrees), all through the point centro.
    static Transformacao rotacao(double ax, double ay, double az, Matriz<1, 4> centro) noexcept;
    // Factors sx, sy, sz about the fixed point (cx, cy, cz).
    static Transformacao escala(double sx, double sy, double sz, double cx, double cy, double cz) noexcept;
};

inline Transformacao operator*(const Transformacao& a, const Transformacao& b) noexcept
{
    return Transformacao(static_cast<const Matriz<4, 4>&>(a) * static_cast<const Matriz<4, 4>&>(b));
}

#endif

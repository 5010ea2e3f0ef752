#ifndef COORDENADA_H
#define COORDENADA_H

#include "matriz.h"

class Transformacao;

// A point (x, y, z, 1) as a row vector. The default-constructed Coordenada is the null coordinate
// (0, 0, 0, 0), which marks a break in a drawing list; Coordenada(0, 0, 0) is the origin.
class Coordenada : public Matriz<1, 4> {
public:
    constexpr Coordenada() noexcept = default;
    constexpr Coordenada(double x, double y, double z) noexcept
    {
        (*this)(0, 0) = x;
        (*this)(0, 1) = y;
        (*this)(0, 2) = z;
        (*this)(0, 3) = 1.0;
    }
    // Any row vector, e.g. the result of a product; w is kept as it is. Explicit, so that the
    // difference of two points (w = 0) never passes silently for a point.
    constexpr explicit Coordenada(const Matriz<1, 4>& m) noexcept : Matriz<1, 4>(m) {}

    constexpr double x() const noexcept { return (*this)(0, 0); }
    constexpr double y() const noexcept { return (*this)(0, 1); }
    constexpr double z() const noexcept { return (*this)(0, 2); }
    constexpr double w() const noexcept { return (*this)(0, 3); }

    constexpr bool isNull() const noexcept { return *this == Matriz<1, 4>(); }
};

Coordenada operator*(const Coordenada& p, const Transformacao& t) noexcept;

#endif

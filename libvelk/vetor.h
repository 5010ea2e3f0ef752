#ifndef VETOR_H
#define VETOR_H

#include "coordenada.h"
#include "matriz.h"

// A direction (x, y, z, 0) as a row vector.
class Vetor : public Matriz<1, 4> {
public:
    constexpr Vetor() noexcept = default;
    constexpr Vetor(double x, double y, double z) noexcept
    {
        (*this)(0, 0) = x;
        (*this)(0, 1) = y;
        (*this)(0, 2) = z;
    }
    // From a row vector (such as the difference of two points); w is dropped.
    constexpr explicit Vetor(const Matriz<1, 4>& m) noexcept : Vetor(m(0, 0), m(0, 1), m(0, 2)) {}
    // The vector from a to b.
    constexpr Vetor(const Coordenada& a, const Coordenada& b) noexcept
        : Vetor(b.x() - a.x(), b.y() - a.y(), b.z() - a.z())
    {
    }

    constexpr double x() const noexcept { return (*this)(0, 0); }
    constexpr double y() const noexcept { return (*this)(0, 1); }
    constexpr double z() const noexcept { return (*this)(0, 2); }

    double modulo() const noexcept;
    // The unit vector of the same direction; the null vector stays null.
    Vetor normalizado() const noexcept;

    constexpr double escalar(const Vetor& o) const noexcept { return x() * o.x() + y() * o.y() + z() * o.z(); }
    constexpr Vetor vetorial(const Vetor& o) const noexcept
    {
        return Vetor(y() * o.z() - z() * o.y(), z() * o.x() - x() * o.z(), x() * o.y() - y() * o.x());
    }
};

constexpr Vetor operator+(const Vetor& a, const Vetor& b) noexcept { return Vetor(a.x() + b.x(), a.y() + b.y(), a.z() + b.z()); }
constexpr Vetor operator-(const Vetor& a, const Vetor& b) noexcept { return Vetor(a.x() - b.x(), a.y() - b.y(), a.z() - b.z()); }
constexpr Vetor operator-(const Vetor& a) noexcept { return Vetor(-a.x(), -a.y(), -a.z()); }
constexpr Vetor operator*(const Vetor& a, double s) noexcept { return Vetor(a.x() * s, a.y() * s, a.z() * s); }
constexpr Vetor operator*(double s, const Vetor& a) noexcept { return a * s; }

// A point moved by a vector, and the vector between two points.
constexpr Coordenada operator+(const Coordenada& p, const Vetor& v) noexcept { return Coordenada(p.x() + v.x(), p.y() + v.y(), p.z() + v.z()); }
constexpr Coordenada operator-(const Coordenada& p, const Vetor& v) noexcept { return Coordenada(p.x() - v.x(), p.y() - v.y(), p.z() - v.z()); }

#endif

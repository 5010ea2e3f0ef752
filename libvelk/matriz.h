#ifndef MATRIZ_H
#define MATRIZ_H

#include <array>
#include <cstddef>

// Conventions of the whole library, stated once:
// - Points are row vectors: a point p is transformed as p × M, and "A then B" is the product A × B.
// - Angles are in degrees.
// - Axes as the default camera shows them: x to the right, y up, z into the screen (left-handed).
//   About z takes x toward y, about x takes y toward z, about y takes z toward x.

// A fixed-size matrix of doubles, row-major, copied by value.
template <std::size_t L, std::size_t C>
class Matriz {
public:
    constexpr Matriz() noexcept : _m{} {}

    constexpr double& operator()(std::size_t i, std::size_t j) noexcept { return _m[i * C + j]; }
    constexpr double operator()(std::size_t i, std::size_t j) const noexcept { return _m[i * C + j]; }

    static constexpr std::size_t linhas() noexcept { return L; }
    static constexpr std::size_t colunas() noexcept { return C; }

    static constexpr Matriz identidade() noexcept
    {
        static_assert(L == C, "only a square matrix has an identity");
        Matriz m;
        for (std::size_t i = 0; i < L; ++i)
            m(i, i) = 1.0;
        return m;
    }

    constexpr Matriz& operator+=(const Matriz& o) noexcept
    {
        for (std::size_t k = 0; k < L * C; ++k)
            _m[k] += o._m[k];
        return *this;
    }
    constexpr Matriz& operator-=(const Matriz& o) noexcept
    {
        for (std::size_t k = 0; k < L * C; ++k)
            _m[k] -= o._m[k];
        return *this;
    }
    constexpr Matriz& operator*=(double s) noexcept
    {
        for (double& x : _m)
            x *= s;
        return *this;
    }

    friend constexpr bool operator==(const Matriz& a, const Matriz& b) noexcept
    {
        for (std::size_t k = 0; k < L * C; ++k)
            if (a._m[k] != b._m[k])
                return false;
        return true;
    }
    friend constexpr bool operator!=(const Matriz& a, const Matriz& b) noexcept { return !(a == b); }

private:
    std::array<double, L * C> _m;
};

template <std::size_t L, std::size_t C>
constexpr Matriz<L, C> operator+(Matriz<L, C> a, const Matriz<L, C>& b) noexcept
{
    return a += b;
}

template <std::size_t L, std::size_t C>
constexpr Matriz<L, C> operator-(Matriz<L, C> a, const Matriz<L, C>& b) noexcept
{
    return a -= b;
}

template <std::size_t L, std::size_t C>
constexpr Matriz<L, C> operator*(Matriz<L, C> a, double s) noexcept
{
    return a *= s;
}

template <std::size_t L, std::size_t C>
constexpr Matriz<L, C> operator*(double s, Matriz<L, C> a) noexcept
{
    return a *= s;
}

template <std::size_t L, std::size_t K, std::size_t C>
constexpr Matriz<L, C> operator*(const Matriz<L, K>& a, const Matriz<K, C>& b) noexcept
{
    Matriz<L, C> r;
    for (std::size_t i = 0; i < L; ++i)
        for (std::size_t j = 0; j < C; ++j) {
            double s = 0.0;
            for (std::size_t k = 0; k < K; ++k)
                s += a(i, k) * b(k, j);
            r(i, j) = s;
        }
    return r;
}

#endif

#include "vetor.h"

#include <cmath>

double Vetor::modulo() const noexcept
{
    return std::sqrt(escalar(*this));
}

Vetor Vetor::normalizado() const noexcept
{
    const double m = modulo();
    return m > 0.0 ? *this * (1.0 / m) : *this;
}

#include "transformacao.h"

#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;

// sin and cos of an angle in degrees, exact at the multiples of 90 so that quarter turns of
// integer coordinates stay integers.
void senoECosseno(double graus, double& s, double& c)
{
    const double resto = std::fmod(graus, 360.0);
    if (resto == 0.0) {
        s = 0.0;
        c = 1.0;
    } else if (resto == 90.0 || resto == -270.0) {
        s = 1.0;
        c = 0.0;
    } else if (resto == 180.0 || resto == -180.0) {
        s = 0.0;
        c = -1.0;
    } else if (resto == 270.0 || resto == -90.0) {
        s = -1.0;
        c = 0.0;
    } else {
        const double rad = resto * pi / 180.0;
        s = std::sin(rad);
        c = std::cos(rad);
    }
}

Transformacao rotacaoX(double graus)
{
    double s, c;
    senoECosseno(graus, s, c);
    Transformacao r;
    r(1, 1) = c;
    r(1, 2) = s;
    r(2, 1) = -s;
    r(2, 2) = c;
    return r;
}

Transformacao rotacaoY(double graus)
{
    double s, c;
    senoECosseno(graus, s, c);
    Transformacao r;
    r(0, 0) = c;
    r(0, 2) = -s;
    r(2, 0) = s;
    r(2, 2) = c;
    return r;
}

Transformacao rotacaoZ(double graus)
{
    double s, c;
    senoECosseno(graus, s, c);
    Transformacao r;
    r(0, 0) = c;
    r(0, 1) = s;
    r(1, 0) = -s;
    r(1, 1) = c;
    return r;
}

} // namespace

Transformacao Transformacao::translacao(double dx, double dy, double dz) noexcept
{
    Transformacao t;
    t(3, 0) = dx;
    t(3, 1) = dy;
    t(3, 2) = dz;
    return t;
}

Transformacao Transformacao::rotacao(double ax, double ay, double az, Matriz<1, 4> centro) noexcept
{
    const Coordenada c(centro);
    return translacao(-c.x(), -c.y(), -c.z()) * rotacaoX(ax) * rotacaoY(ay) * rotacaoZ(az)
           * translacao(c.x(), c.y(), c.z());
}

Transformacao Transformacao::escala(double sx, double sy, double sz, double cx, double cy, double cz) noexcept
{
    Transformacao s;
    s(0, 0) = sx;
    s(1, 1) = sy;
    s(2, 2) = sz;
    return translacao(-cx, -cy, -cz) * s * translacao(cx, cy, cz);
}

#include "regradawindow.h"

#include <cfloat>
#include <cmath>

namespace {

bool finita(const Coordenada& c) noexcept
{
    return std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z());
}

// The rectangle and the curve tolerance are fractions of the lengths, and the vectors are
// normalised through their squares: those must be normal numbers.
DefeitoDaWindow defeitoDoComprimento(const Vetor& v, DefeitoDaWindow nulo, DefeitoDaWindow curto,
                                     DefeitoDaWindow longo) noexcept
{
    if (v.x() == 0.0 && v.y() == 0.0 && v.z() == 0.0)
        return nulo;
    const double quadrado = v.escalar(v);
    if (!(quadrado <= DBL_MAX))
        return longo;
    if (quadrado < DBL_MIN)
        return curto;
    return DefeitoDaWindow::nenhum;
}

} // namespace

Vetor direcaoDeVisao(const Vetor& direita, const Vetor& cima) noexcept
{
    return direita.normalizado().vetorial(cima.normalizado()).normalizado();
}

DefeitoDaWindow defeitoDaDistancia(double distancia) noexcept
{
    if (!(distancia > 0.0))
        return DefeitoDaWindow::distanciaNaoPositiva;
    // Nothing nearer than d/100 is projected: a near plane of 0, or one with few digits, would let
    // points at the eye through, and they project to NaN.
    if (!(distancia / 100.0 >= DBL_MIN))
        return DefeitoDaWindow::distanciaPequena;
    return DefeitoDaWindow::nenhum;
}

DefeitoDaWindow defeitoDaWindow(const Coordenada& centro, const Vetor& direita, const Vetor& cima,
                                double distancia) noexcept
{
    using D = DefeitoDaWindow;
    if (const D d = defeitoDaDistancia(distancia); d != D::nenhum)
        return d;
    if (const D d = defeitoDoComprimento(direita, D::direitaNula, D::direitaCurta, D::direitaLonga); d != D::nenhum)
        return d;
    if (const D d = defeitoDoComprimento(cima, D::cimaNula, D::cimaCurta, D::cimaLonga); d != D::nenhum)
        return d;
    const Vetor u = direita.normalizado();
    const Vetor v = cima.normalizado();
    if (u.vetorial(v).modulo() <= 1e-9)
        return D::paralelos;
    if (std::fabs(u.escalar(v)) > 1e-9)
        return D::naoPerpendiculares;
    const Coordenada cop = centro - direcaoDeVisao(direita, cima) * distancia;
    if (!finita(centro) || !finita(cop))
        return D::foraDoIntervalo;
    return D::nenhum;
}

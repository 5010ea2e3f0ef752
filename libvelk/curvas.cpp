#include "curvas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A piece of the curve: its controls in camera space and, for those in front of the near plane,
// their projections, which the two halves share with it at their ends.
struct Trecho {
    PontoDeCamera p[4];
    double qx[4];
    double qy[4];
    int nivel;
};

// Halving by a·½ + b·½ rather than (a + b)/2, so that huge coordinates do not overflow.
PontoDeCamera meio(const PontoDeCamera& a, const PontoDeCamera& b) noexcept
{
    return {0.5 * a.x + 0.5 * b.x, 0.5 * a.y + 0.5 * b.y, 0.5 * a.z + 0.5 * b.z};
}

void projetar(Trecho& t, int i, const Vista& vista) noexcept
{
    if (t.p[i].z >= vista.perto) {
        vista.projetar(t.p[i], t.qx[i], t.qy[i]);
    } else {
        t.qx[i] = t.qy[i] = 0.0; // never read: the piece is not wholly in front
    }
}

// direita may be t itself: everything of t that direita replaces is read first.
void dividir(const Trecho& t, Trecho& esquerda, Trecho& direita, const Vista& vista) noexcept
{
    const PontoDeCamera p01 = meio(t.p[0], t.p[1]);
    const PontoDeCamera p12 = meio(t.p[1], t.p[2]);
    const PontoDeCamera p23 = meio(t.p[2], t.p[3]);
    const PontoDeCamera p012 = meio(p01, p12);
    const PontoDeCamera p123 = meio(p12, p23);
    const PontoDeCamera p0123 = meio(p012, p123);
    esquerda.p[0] = t.p[0];
    esquerda.qx[0] = t.qx[0];
    esquerda.qy[0] = t.qy[0];
    esquerda.p[1] = p01;
    esquerda.p[2] = p012;
    esquerda.p[3] = p0123;
    esquerda.nivel = t.nivel + 1;
    for (int i = 1; i < 4; ++i)
        projetar(esquerda, i, vista);
    direita.p[0] = p0123;
    direita.qx[0] = esquerda.qx[3];
    direita.qy[0] = esquerda.qy[3];
    direita.p[1] = p123;
    direita.p[2] = p23;
    direita.p[3] = t.p[3];
    direita.qx[3] = t.qx[3];
    direita.qy[3] = t.qy[3];
    direita.nivel = t.nivel + 1;
    projetar(direita, 1, vista);
    projetar(direita, 2, vista);
}

bool finito(const PontoDeCamera& p) noexcept
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Whether the piece must be split further to be drawn within tolerance (its depth aside).
bool precisaDividir(const Trecho& t, const Vista& vista) noexcept
{
    int naFrente = 0;
    for (int i = 0; i < 4; ++i) {
        if (!(t.p[i].z >= vista.perto))
            continue;
        if (!(std::isfinite(t.qx[i]) && std::isfinite(t.qy[i])))
            return false;
        ++naFrente;
    }
    if (naFrente == 0)
        return false;
    if (naFrente < 4)
        return t.nivel < profundidadeMaximaNoPlanoProximo;

    const double* qx = t.qx;
    const double* qy = t.qy;
    const Retangulo& r = vista.retangulo;
    if ((qx[0] < r.xMin && qx[1] < r.xMin && qx[2] < r.xMin && qx[3] < r.xMin)
        || (qx[0] > r.xMax && qx[1] > r.xMax && qx[2] > r.xMax && qx[3] > r.xMax)
        || (qy[0] < r.yMin && qy[1] < r.yMin && qy[2] < r.yMin && qy[3] < r.yMin)
        || (qy[0] > r.yMax && qy[1] > r.yMax && qy[2] > r.yMax && qy[3] > r.yMax))
        return false;
    if (t.nivel >= profundidadeMaximaDeCurva)
        return false;

    // Flat when both inner controls lie within tolerance of the chord (as a segment, not a line:
    // a loop or a cusp can put them beyond its ends). The hull lies within the larger of the two
    // distances, and so does the projected curve.
    const double vx = qx[3] - qx[0];
    const double vy = qy[3] - qy[0];
    const double l2 = vx * vx + vy * vy;
    const double inverso = l2 > 0.0 ? 1.0 / l2 : 0.0;
    const double limite = vista.tolerancia * vista.tolerancia;
    for (int i = 1; i < 3; ++i) {
        const double wx = qx[i] - qx[0];
        const double wy = qy[i] - qy[0];
        double s = (wx * vx + wy * vy) * inverso;
        s = s < 0.0 ? 0.0 : (s > 1.0 ? 1.0 : s);
        const double dx = wx - s * vx;
        const double dy = wy - s * vy;
        if (!(dx * dx + dy * dy <= limite))
            return true;
    }
    return false;
}

} // namespace

int achatarBezier(const PontoDeCamera (&c)[4], const Vista& vista, std::vector<PontoDeCamera>& saida, int orcamento)
{
    if (!(finito(c[0]) && finito(c[1]) && finito(c[2]) && finito(c[3]))) {
        saida.push_back(c[3]);
        return 0;
    }
    // Depth first, left half on top, so the chords come out in order along the curve. Each split
    // replaces one piece by two one level deeper: the stack never holds more than the depth + 1.
    std::array<Trecho, profundidadeMaximaDeCurva + 2> pilha;
    std::size_t topo = 0;
    Trecho& raiz = pilha[topo++];
    for (int i = 0; i < 4; ++i) {
        raiz.p[i] = c[i];
        projetar(raiz, i, vista);
    }
    raiz.nivel = 0;
    int subdivisoes = 0;
    while (topo > 0) {
        Trecho& trecho = pilha[topo - 1];
        if (subdivisoes < orcamento && precisaDividir(trecho, vista)) {
            ++subdivisoes;
            // The right half takes the piece's place, the left goes on top of it.
            dividir(trecho, pilha[topo], trecho, vista);
            ++topo;
        } else {
            saida.push_back(trecho.p[3]);
            --topo;
        }
    }
    return subdivisoes;
}

void achatarCadeiaDeBezier(const std::vector<PontoDeCamera>& c, const Vista& vista, std::vector<PontoDeCamera>& saida,
                           long long& orcamento)
{
    const std::size_t segmentos = c.size() < 4 ? 0 : (c.size() - 1) / 3;
    // Wider than int: a chain of a billion segments must not wrap it.
    orcamento += static_cast<long long>(segmentos) * subdivisoesMediasPorSegmento;
    for (std::size_t i = 0; i < segmentos; ++i) {
        const PontoDeCamera segmento[4] = {c[3 * i], c[3 * i + 1], c[3 * i + 2], c[3 * i + 3]};
        const int parte = static_cast<int>(std::min<long long>(orcamento, subdivisoesMaximasPorSegmento));
        orcamento -= achatarBezier(segmento, vista, saida, parte);
    }
}

PontoDeCamera pontoDeBezier(const PontoDeCamera (&c)[4], double t) noexcept
{
    PontoDeCamera p[4] = {c[0], c[1], c[2], c[3]};
    for (int nivel = 3; nivel > 0; --nivel)
        for (int i = 0; i < nivel; ++i)
            p[i] = interpolar(p[i], p[i + 1], t);
    return p[0];
}

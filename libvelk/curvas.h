#ifndef CURVAS_H
#define CURVAS_H

#include <vector>

#include "recorte.h"

// Curve flattening against the camera's view, on plain numbers in camera space (see recorte.h).
// Camera space is an affine image of world space, so a curve subdivided here is the world curve
// subdivided: every point produced lies on the true curve.

// What the camera sees: focal distance d, near plane, rectangle on the projection plane, the largest
// distance allowed there between the projected curve and the polyline drawn for it, and the
// projection (projecao.h).
struct Vista {
    double distancia;
    double perto;
    Retangulo retangulo;
    double tolerancia;
    // A parallel projection rather than perspective, and its shift across the plane per unit of
    // depth beyond the window (0 for orthographic).
    bool paralela = false;
    double obliquidade = 0.0;

    // Where the camera point c, in front of the near plane, falls on the projection plane: the one
    // place where the pipeline decides it.
    void projetar(const PontoDeCamera& c, double& x, double& y) const noexcept
    {
        if (!paralela) {
            const double k = distancia / c.z;
            x = c.x * k;
            y = c.y * k;
        } else {
            const double alem = c.z - distancia;
            x = c.x + obliquidade * alem;
            y = c.y + obliquidade * alem;
        }
    }
};

// The subdivision never goes deeper than these levels: the first bounds pieces wholly in front of
// the near plane (2⁻³² of the parameter is past double precision for any sensible zoom), the second
// pieces that cross that plane, whose projection is unbounded. Budgets of subdivisions bound the work
// on a curve whatever its numbers: one per segment, and one shared by a whole chain that grows with
// its segments, so that a long chain of hopeless segments costs a constant times its controls.
constexpr int profundidadeMaximaDeCurva = 32;
constexpr int profundidadeMaximaNoPlanoProximo = 24;
constexpr int subdivisoesMaximasPorSegmento = 1 << 16;
constexpr int subdivisoesMediasPorSegmento = 64;

// Adaptive de Casteljau flattening of the cubic Bézier segment with camera-space controls c[0..3].
// Appends to saida the points that follow c[0] on the polyline, ending with c[3] exactly; spends at
// most orcamento subdivisions and returns how many it spent.
// Where all four controls are in front of the near plane the projected segment is a rational cubic
// with positive weights (a plain cubic under a parallel projection) and so lies in the hull of the
// projected controls: a piece is drawn as its
// chord once both inner projected controls are within tolerancia of the projected chord, or as soon
// as the projected hull lies wholly beyond one edge of the rectangle (it cannot be seen; the chord
// keeps the polyline connected). A piece wholly behind the near plane is one chord too; a piece that
// crosses it is split until the depth bound. A piece with a projection that is not finite (a control
// at the eye of a camera whose near plane is 0) is never split: no split can make it flat.
int achatarBezier(const PontoDeCamera (&c)[4], const Vista& vista, std::vector<PontoDeCamera>& saida,
                  int orcamento = subdivisoesMaximasPorSegmento);

// The chain of cubic segments with controls c[0..3k], segment i on c[3i] … c[3i + 3], flattened as
// achatarBezier does: appends the points that follow c[0]. It adds subdivisoesMediasPorSegmento per
// segment to orcamento and spends from it, each segment at most one segment's budget. Every chain of
// one object shares one orcamento, started at subdivisoesMaximasPorSegmento, so that saida grows by at
// most a constant times the object's segments, however many chains it has.
void achatarCadeiaDeBezier(const std::vector<PontoDeCamera>& c, const Vista& vista, std::vector<PontoDeCamera>& saida,
                           long long& orcamento);

// The point at parameter t of the cubic Bézier segment c[0..3], by de Casteljau.
PontoDeCamera pontoDeBezier(const PontoDeCamera (&c)[4], double t) noexcept;

#endif

#ifndef BSPLINE_H
#define BSPLINE_H

#include "objeto.h"
#include "tipodeobjeto.h"

// The uniform cubic B-spline of n control points: n − 3 segments, segment i weighted by points
// i … i+3.
class BSpline : public Objeto {
public:
    static const TipoDeObjeto descricao;

    BSpline(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle);

    Objeto* clone() const override;
    // Hands the curve over as its exactly equal chain of Bézier segments.
    void descreverGeometria(Geometria& g) const override;
};

#endif

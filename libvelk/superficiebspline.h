#ifndef SUPERFICIEBSPLINE_H
#define SUPERFICIEBSPLINE_H

#include "superficie.h"

// The uniform bicubic B-spline surface of a grid of m × n control points (m, n ≥ 4): (m − 3) × (n − 3)
// patches, patch (a, b) weighted by rows a … a+3 and columns b … b+3 with the B-spline's basis each
// way.
class SuperficieBSpline : public Superficie {
public:
    static const TipoDeObjeto descricao;

    SuperficieBSpline(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle, Grade grade);

    Objeto* clone() const override;
    // Hands the surface over as its exactly equal grid of Bézier patches.
    void descreverGeometria(Geometria& g) const override;
};

#endif

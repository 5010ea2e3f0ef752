#ifndef BSPLINE_H
#define BSPLINE_H

#include <cstddef>
#include <vector>

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

// Appends to saida the 3(n − 3) + 1 controls of the chain of Bézier segments that equals the uniform
// cubic B-spline of the n ≥ 4 points pontos[0], pontos[passo], … pontos[(n − 1)·passo].
void controlesDeBezierDaBSpline(const Coordenada* pontos, std::size_t n, std::size_t passo,
                                std::vector<Coordenada>& saida);

#endif

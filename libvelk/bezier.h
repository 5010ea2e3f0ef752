#ifndef BEZIER_H
#define BEZIER_H

#include "objeto.h"
#include "tipodeobjeto.h"

// k cubic Bézier segments from 3k + 1 control points (k ≥ 1); segment i uses points 3i … 3i+3,
// so consecutive segments share an end point. Fill level 1.
class Bezier : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Bezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

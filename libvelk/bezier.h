#ifndef BEZIER_H
#define BEZIER_H

#include "objeto.h"
#include "tipodeobjeto.h"

// A chain of cubic Bézier segments (controlesDeBezier): segment i uses points 3i … 3i+3, so
// consecutive segments share an end point.
class Bezier : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Bezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

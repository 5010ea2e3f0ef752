#ifndef SUPERFICIEBEZIER_H
#define SUPERFICIEBEZIER_H

#include "superficie.h"

// Bicubic Bézier patches on a grid of (3i + 1) × (3j + 1) control points: i × j patches, patch (a, b)
// on rows 3a … 3a+3 and columns 3b … 3b+3, so that neighbours share their border row or column.
class SuperficieBezier : public Superficie {
public:
    static const TipoDeObjeto descricao;

    SuperficieBezier(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle, Grade grade);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

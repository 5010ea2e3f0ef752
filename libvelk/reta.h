#ifndef RETA_H
#define RETA_H

#include "objeto.h"
#include "tipodeobjeto.h"

// A segment between two points.
class Reta : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Reta(std::string nome, Cor cor, Coordenada inicio, Coordenada fim);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

#ifndef PONTO_H
#define PONTO_H

#include "objeto.h"
#include "tipodeobjeto.h"

// A single point.
class Ponto : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Ponto(std::string nome, Cor cor, Coordenada posicao);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

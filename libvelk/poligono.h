#ifndef POLIGONO_H
#define POLIGONO_H

#include "objeto.h"
#include "tipodeobjeto.h"

// A closed polygon: filled or its outline.
class Poligono : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Poligono(std::string nome, Cor cor, std::vector<Coordenada> vertices, bool preenchido);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;
};

#endif

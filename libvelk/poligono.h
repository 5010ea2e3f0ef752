#ifndef POLIGONO_H
#define POLIGONO_H

#include "objeto.h"
#include "tipodeobjeto.h"

// A closed polygon of three or more vertices: filled (fill level 2) or its outline (level 1).
class Poligono : public Objeto {
public:
    static const TipoDeObjeto descricao;

    Poligono(std::string nome, Cor cor, std::vector<Coordenada> vertices, bool preenchido);

    Objeto* clone() const override;
    void descreverGeometria(Geometria& g) const override;

    bool preenchido() const { return nivelDePreenchimento() == 2; }
};

#endif

#ifndef SUPERFICIE_H
#define SUPERFICIE_H

#include <cstddef>
#include <string>
#include <vector>

#include "objeto.h"
#include "tipodeobjeto.h"

class Geometria;

// What the bicubic surfaces share: control points in a grid, row by row (Grade), and the mesh
// density they are drawn with. A surface is drawn as a mesh of curves of constant s and of constant
// t, each of them a chain of cubic Bézier segments, so that it goes through the same flattening,
// clipping and drawing as every curve. It is never filled.
class Superficie : public Objeto {
public:
    const Grade& grade() const { return _grade; }

    // The grid of a surface, for the surface kinds' DescricaoDeGrade.
    static Grade gradeDe(const Objeto& objeto);

protected:
    // Checks the grid against the kind's rule (std::invalid_argument).
    Superficie(const TipoDeObjeto& tipo, std::string nome, Cor cor, std::vector<Coordenada> pontos, Grade grade);

private:
    Grade _grade;
};

// Hands g the mesh of the grid of Bézier patches `controles` (linhas × colunas, row by row, each
// side 3k + 1; patch (i, j) on rows 3i … 3i+3 and columns 3j … 3j+3): in each patch the curves of
// constant s at malha + 1 evenly spaced values, its borders included, and of constant t likewise.
// The curves of one value across a row of patches go over as one chain, and a border that two
// patches share goes over once, exactly the grid's row or column there. A grid of any other shape
// is nothing.
void descreverMalhaDeBezier(const std::vector<Coordenada>& controles, std::size_t linhas, std::size_t colunas,
                            int malha, Geometria& g);

#endif

#ifndef MALHAS_H
#define MALHAS_H

#include <array>
#include <string>
#include <vector>

#include "coordenada.h"
#include "displayfile.h"

// A scanned model's stand-in: a sphere of aneis × setores vertices between its two poles, its radius
// drawn at random within 2 % of 10, centred 14 in front of the default camera's eye; each band of
// quadrilaterals is cut into two triangles, and the poles close with fans.
struct Malha {
    int aneis;
    int setores;
    std::vector<Coordenada> vertices;
    std::vector<std::array<int, 3>> triangulos;
};
Malha esferaRuidosa(int aneis, int setores);

// One wireframe object of the mesh: every edge of its triangles once, given in the order in which
// the bands are walked (as a scan's neighbouring faces are).
DisplayFile comoCena(const Malha& malha);

// The mesh as a Wavefront OBJ text: its vertices with six decimals, then its triangles.
std::string comoObj(const Malha& malha);

#endif

#ifndef CENADETESTE_H
#define CENADETESTE_H

#include "displayfile.h"

// The scene the benchmarks share: 10,000 objects with about 200,000 segments in all (cubes, curves,
// polygons), some partly outside the default window and some behind its eye.
DisplayFile criarCenaDeTeste();

// The canvas's scene: 10,000 objects (5,000 cubes, 2,500 curves, 2,500 polygons of 20 vertices, half
// of them filled), about 110,000 segments drawn on a 1000 × 1000 canvas. With fewer objects, the
// first ones of that scene.
DisplayFile criarCenaDeCubosCurvasEPoligonos(int quantos = 10000);

#endif

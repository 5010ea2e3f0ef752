#ifndef CENADETESTE_H
#define CENADETESTE_H

#include "displayfile.h"

// The scene the benchmarks share: 10,000 objects with about 200,000 segments in all (cubes, curves,
// polygons), some partly outside the default window and some behind its eye.
DisplayFile criarCenaDeTeste();

#endif

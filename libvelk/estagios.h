#ifndef ESTAGIOS_H
#define ESTAGIOS_H

#include "coordenada.h"
#include "recorte.h"

class Window;

// Where a vertex stands against the camera: in front of the near plane and inside the window, in
// front but outside it, or behind the near plane (cut away before any projection).
enum class SituacaoDoVertice {
    dentro,
    fora,
    atrasDoPlanoProximo,
};

// A world point at each stage of the viewing pipeline, in the conventions of projecao.h. The plane
// and normalised stages exist only for a point in front of the near plane (projetado).
struct EstagiosDoVertice {
    Coordenada mundo;
    // Along û, v̂ and n from the window's centre: (xc, yc, zc − d).
    PontoDeCamera camera{};
    bool projetado = false;
    // Projection-plane coordinates: after the perspective division or the parallel projection.
    double xPlano = 0.0;
    double yPlano = 0.0;
    // −1 to 1 across the window.
    double xNormalizado = 0.0;
    double yNormalizado = 0.0;
    SituacaoDoVertice situacao = SituacaoDoVertice::atrasDoPlanoProximo;
};

// The stages of p under janela's camera and projection, by the pipeline's own projector.
EstagiosDoVertice estagiosDoVertice(const Window& janela, const Coordenada& p);

#endif

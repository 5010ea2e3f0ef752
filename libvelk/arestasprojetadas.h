#ifndef ARESTASPROJETADAS_H
#define ARESTASPROJETADAS_H

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "coordenada.h"

class Projetor;

// A wireframe's drawing as a camera made it, kept by its vertices: each vertex is projected once,
// and an edge whose two ends lie inside the window (in front of the near plane and within the
// rectangle) is drawn between them; every other edge is cut by the near plane and the window on its
// own, into the piece of it that shows, if any. The drawing list of the edges' coordinates, which
// repeats each vertex once for every edge it ends, is made from this only when someone asks for it.
class ArestasProjetadas {
public:
    // The piece of edge number `aresta` that shows, on the projection plane (PPC).
    struct Pedaco {
        std::size_t aresta;
        Coordenada inicio;
        Coordenada fim;
    };

    std::size_t vertices() const { return _estados.size(); }
    // Whether vertex i lies inside the window: its PPC are then ppc[posicao(i)], ppc being the
    // projected copy's own coordinates (the PPC of the vertices in front of the near plane, in order).
    bool dentro(std::size_t i) const { return (_estados[i] & dentroDaJanela) != 0; }
    std::size_t posicao(std::size_t i) const { return _posicoes.empty() ? i : _posicoes[i]; }
    // The pieces of the edges that do not join two vertices inside, in the order of the edges.
    const std::vector<Pedaco>& pedacos() const { return _pedacos; }

    // desenho = the drawing list: for each edge in order, its two ends when both lie inside and
    // otherwise its piece, each pair after a null coordinate but the first; as if every edge had
    // been clipped on its own.
    void listar(const std::vector<Coordenada>& ppc, const std::vector<std::pair<int, int>>& arestas,
                std::vector<Coordenada>& desenho) const;

private:
    friend class Projetor;

    static constexpr std::uint8_t naFrente = 1;
    static constexpr std::uint8_t dentroDaJanela = 2;

    // Per vertex, naFrente and dentroDaJanela.
    std::vector<std::uint8_t> _estados;
    // Empty when every vertex is in front of the near plane, as ppc then holds them all.
    std::vector<std::size_t> _posicoes;
    std::vector<Pedaco> _pedacos;
};

#endif

#ifndef CONTAGEM_H
#define CONTAGEM_H

#include <cstddef>
#include <limits>
#include <string>

// A rule on how many of something a shape takes: minimo, minimo + passo, minimo + 2·passo, … up to
// maximo. The kinds of object state theirs with it, and every check and message is made from it.
struct Contagem {
    static constexpr std::size_t semLimite = std::numeric_limits<std::size_t>::max();

    std::size_t minimo;
    std::size_t maximo;
    std::size_t passo;

    constexpr bool aceita(std::size_t n) const noexcept
    {
        return n >= minimo && n <= maximo && (n - minimo) % passo == 0;
    }

    // The rule in Portuguese, naming what is counted: "exatamente 2 coordenadas", "3 ou mais
    // vértices", "3k + 1 coordenadas, com k ≥ 1".
    std::string texto(const char* singular, const char* plural) const;
};

#endif

#ifndef TIPODEOBJETO_H
#define TIPODEOBJETO_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contagem.h"
#include "coordenada.h"
#include "cor.h"

class Objeto;

// The mesh density of a surface: how many parts each of its patches is drawn in, each way.
inline constexpr int malhaMinima = 1;
inline constexpr int malhaMaxima = 64;
inline constexpr int malhaPadrao = 10;

// The shape of a grid of coordinates, which are listed row by row (linhas × colunas of them), and
// how finely the surface they control is drawn.
struct Grade {
    std::size_t linhas = 0;
    std::size_t colunas = 0;
    int malha = malhaPadrao;
};

// The values an object is made of, as an editor or a scene file holds them before the object exists.
struct ValoresDeObjeto {
    std::string nome;
    Cor cor;
    std::vector<Coordenada> coordenadas;
    bool preenchido = false;
    std::vector<std::pair<int, int>> arestas;
    // Read by the kinds whose coordinates form a grid.
    Grade grade = {};
};

// What the kinds whose coordinates form a grid share: the rule on its rows and on its columns, and
// the grid of one of their objects.
struct DescricaoDeGrade {
    Contagem lados;
    Grade (*de)(const Objeto& objeto);
};

// What makes a kind of object a kind, stated once for each (the kind's class holds it as its static
// `descricao`, which lives as long as the program and which its objects point to). Its constructor,
// its factory, the scene file, the projection and the new-object dialog all ask here, so that a new
// kind is its class and its line in tiposDeObjeto().
struct TipoDeObjeto {
    // The element that holds an object of this kind in a scene file.
    const char* elemento;
    // What the user calls it: nomeDoTipo(), the factory's nome(), the dialog's list.
    const char* nome;
    // The label of its coordinate list among the factory's parameters.
    const char* rotuloDasCoordenadas;
    // How many own coordinates it takes.
    Contagem coordenadas;
    // Its fill level (0: points, 1: lines); a kind that can be filled is 2 when it is, and then has
    // the "Preenchido" parameter and attribute.
    char nivel;
    bool preenchivel;
    // The edges of an object of this kind, for the kinds made of edges (contagemDeArestas of them,
    // each arestaValida); null for the others, which then have no "Arestas".
    const std::vector<std::pair<int, int>>& (*arestas)(const Objeto& objeto);
    // A new object from values; throws std::invalid_argument for what breaks the rules above.
    std::unique_ptr<Objeto> (*construir)(const ValoresDeObjeto& valores);
    // For the kinds whose coordinates form a grid (then `coordenadas` counts the smallest grid and
    // more); null for the others, which then have no rows, columns nor mesh density.
    const DescricaoDeGrade* grade = nullptr;

    // Throws std::invalid_argument, naming the kind, when coordenadas is not a list it takes: a count
    // it does not take, or a null coordinate.
    void exigirCoordenadas(const std::vector<Coordenada>& coordenadas) const;
    // The same for a list of edges between `vertices` vertices.
    void exigirArestas(const std::vector<std::pair<int, int>>& arestas, std::size_t vertices) const;
    // What is wrong with a grid of `coordenadas` coordinates shaped as grade, in Portuguese ("precisa
    // de 3k + 1 linhas, com k ≥ 1 (há 5)"); empty when this grid kind takes it.
    std::string defeitoDaGrade(const Grade& grade, std::size_t coordenadas) const;
    // Throws std::invalid_argument, naming the kind, for such a fault.
    void exigirGrade(const Grade& grade, std::size_t coordenadas) const;
};

// The edges of a kind made of edges: at least one.
inline constexpr Contagem contagemDeArestas{1, Contagem::semLimite, 1};

// Every kind, in the order the dialog lists them.
const std::vector<const TipoDeObjeto*>& tiposDeObjeto();

// The values objeto is made of: what its kind's constructor would take to build it again.
ValoresDeObjeto valoresDe(const Objeto& objeto);

#endif

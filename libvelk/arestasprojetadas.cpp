#include "arestasprojetadas.h"

#include "geometria.h"

void ArestasProjetadas::listar(const std::vector<Coordenada>& ppc, const std::vector<std::pair<int, int>>& arestas,
                               std::vector<Coordenada>& desenho) const
{
    desenho.clear();
    const auto acrescentar = [&desenho](const Coordenada& a, const Coordenada& b) {
        if (!desenho.empty())
            desenho.emplace_back();
        desenho.push_back(a);
        desenho.push_back(b);
    };
    auto pedaco = _pedacos.begin();
    for (std::size_t k = 0; k < arestas.size(); ++k) {
        if (pedaco != _pedacos.end() && pedaco->aresta == k) {
            acrescentar(pedaco->inicio, pedaco->fim);
            ++pedaco;
            continue;
        }
        const auto [i, j] = arestas[k];
        if (arestaValida(i, j, vertices()) && dentro(static_cast<std::size_t>(i)) && dentro(static_cast<std::size_t>(j)))
            acrescentar(ppc[posicao(static_cast<std::size_t>(i))], ppc[posicao(static_cast<std::size_t>(j))]);
    }
}

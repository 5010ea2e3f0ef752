#include "superficie.h"

#include "geometria.h"

Superficie::Superficie(const TipoDeObjeto& tipo, std::string nome, Cor cor, std::vector<Coordenada> pontos,
                       Grade grade)
    : Objeto(tipo, std::move(nome), cor, std::move(pontos)), _grade(grade)
{
    tipo.exigirGrade(_grade, _coordenadas.size());
}

Grade Superficie::gradeDe(const Objeto& objeto)
{
    return static_cast<const Superficie&>(objeto).grade();
}

namespace {

// The curves of constant parameter along one direction of the grid: the grid is read as
// quantas × extensao points, point (a, b) at controles[a·passoA + b·passoB], a across the curves.
// For every patch along a and every value u of its parameter, the chain of extensao controls
// Σ Bₖ(u)·P(3p + k, b) is a curve of the surface.
void curvasDeUmSentido(const std::vector<Coordenada>& controles, std::size_t quantas, std::size_t extensao,
                       std::size_t passoA, std::size_t passoB, int malha, Geometria& g)
{
    // Kept by each thread from one curve to the next, as the B-spline's controls are. No Geometria
    // describes another object while handling this one.
    thread_local std::vector<Coordenada> curva;
    for (std::size_t p = 0; p + 3 < quantas; p += 3) {
        // The first value of every patch but the first is the last of the one before.
        for (int k = p == 0 ? 0 : 1; k <= malha; ++k) {
            const double u = static_cast<double>(k) / malha;
            const double v = 1.0 - u;
            // Bernstein weights: exactly 1, 0, 0, 0 at u = 0 and 0, 0, 0, 1 at u = 1, so that a
            // border is the grid's own row or column, bit for bit.
            const double w[4] = {v * v * v, 3.0 * u * v * v, 3.0 * u * u * v, u * u * u};
            curva.clear();
            for (std::size_t b = 0; b < extensao; ++b) {
                const Coordenada* q[4];
                for (std::size_t i = 0; i < 4; ++i)
                    q[i] = &controles[(p + i) * passoA + b * passoB];
                curva.emplace_back(w[0] * q[0]->x() + w[1] * q[1]->x() + w[2] * q[2]->x() + w[3] * q[3]->x(),
                                   w[0] * q[0]->y() + w[1] * q[1]->y() + w[2] * q[2]->y() + w[3] * q[3]->y(),
                                   w[0] * q[0]->z() + w[1] * q[1]->z() + w[2] * q[2]->z() + w[3] * q[3]->z());
            }
            g.bezier(curva);
        }
    }
}

} // namespace

void descreverMalhaDeBezier(const std::vector<Coordenada>& controles, std::size_t linhas, std::size_t colunas,
                            int malha, Geometria& g)
{
    if (!controlesDeBezier.aceita(linhas) || !controlesDeBezier.aceita(colunas) || malha < 1
        || controles.size() / linhas != colunas || controles.size() % linhas != 0)
        return;
    // Constant s: along each row of patches, chains across the columns; then constant t.
    curvasDeUmSentido(controles, linhas, colunas, colunas, 1, malha, g);
    curvasDeUmSentido(controles, colunas, linhas, 1, colunas, malha, g);
}

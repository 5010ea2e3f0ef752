#include "bspline.h"

#include <vector>

#include "geometria.h"

const TipoDeObjeto BSpline::descricao = {
    "bspline", "B-Spline", "Pontos de controle", {4, Contagem::semLimite, 1}, 1, false, nullptr,
    [](const ValoresDeObjeto& v) -> std::unique_ptr<Objeto> {
        return std::make_unique<BSpline>(v.nome, v.cor, v.coordenadas);
    },
};

BSpline::BSpline(std::string nome, Cor cor, std::vector<Coordenada> pontosDeControle)
    : Objeto(descricao, std::move(nome), cor, std::move(pontosDeControle))
{
}

Objeto* BSpline::clone() const
{
    return new BSpline(*this);
}

namespace {

Coordenada combinar(double a, const Coordenada& p, double b, const Coordenada& q, double c, const Coordenada& r)
{
    return Coordenada(a * p.x() + b * q.x() + c * r.x(), a * p.y() + b * q.y() + c * r.y(),
                      a * p.z() + b * q.z() + c * r.z());
}

} // namespace

void BSpline::descreverGeometria(Geometria& g) const
{
    // Segment i of the uniform cubic B-spline over P0..P3 equals the Bézier segment with controls
    // (P0 + 4P1 + P2)/6, (4P1 + 2P2)/6, (2P1 + 4P2)/6, (P1 + 4P2 + P3)/6; consecutive segments share
    // that last point, so the whole curve is one Bézier chain.
    const std::size_t segmentos = _coordenadas.size() - 3;
    // Kept by each thread from one curve to the next: projecting a scene allocates nothing per curve
    // once it has grown. No Geometria describes another object while handling this one.
    thread_local std::vector<Coordenada> controles;
    controles.clear();
    controles.reserve(3 * segmentos + 1);
    for (std::size_t i = 0; i < segmentos; ++i) {
        const Coordenada& p0 = _coordenadas[i];
        const Coordenada& p1 = _coordenadas[i + 1];
        const Coordenada& p2 = _coordenadas[i + 2];
        const Coordenada& p3 = _coordenadas[i + 3];
        if (i == 0)
            controles.push_back(combinar(1.0 / 6, p0, 4.0 / 6, p1, 1.0 / 6, p2));
        controles.push_back(combinar(4.0 / 6, p1, 2.0 / 6, p2, 0.0, p3));
        controles.push_back(combinar(2.0 / 6, p1, 4.0 / 6, p2, 0.0, p3));
        controles.push_back(combinar(1.0 / 6, p1, 4.0 / 6, p2, 1.0 / 6, p3));
    }
    g.bezier(controles);
}

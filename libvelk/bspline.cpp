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

void controlesDeBezierDaBSpline(const Coordenada* pontos, std::size_t n, std::size_t passo,
                                std::vector<Coordenada>& saida)
{
    // Segment i of the uniform cubic B-spline over P0..P3 equals the Bézier segment with controls
    // (P0 + 4P1 + P2)/6, (4P1 + 2P2)/6, (2P1 + 4P2)/6, (P1 + 4P2 + P3)/6; consecutive segments share
    // that last point, so the whole curve is one Bézier chain.
    if (n < 4)
        return;
    const auto ponto = [pontos, passo](std::size_t i) -> const Coordenada& { return pontos[i * passo]; };
    for (std::size_t i = 0; i + 3 < n; ++i) {
        const Coordenada& p0 = ponto(i);
        const Coordenada& p1 = ponto(i + 1);
        const Coordenada& p2 = ponto(i + 2);
        const Coordenada& p3 = ponto(i + 3);
        if (i == 0)
            saida.push_back(combinar(1.0 / 6, p0, 4.0 / 6, p1, 1.0 / 6, p2));
        saida.push_back(combinar(4.0 / 6, p1, 2.0 / 6, p2, 0.0, p3));
        saida.push_back(combinar(2.0 / 6, p1, 4.0 / 6, p2, 0.0, p3));
        saida.push_back(combinar(1.0 / 6, p1, 4.0 / 6, p2, 1.0 / 6, p3));
    }
}

void BSpline::descreverGeometria(Geometria& g) const
{
    // Kept by each thread from one curve to the next: projecting a scene allocates nothing per curve
    // once it has grown. No Geometria describes another object while handling this one.
    thread_local std::vector<Coordenada> controles;
    controles.clear();
    controles.reserve(3 * (_coordenadas.size() - 3) + 1);
    controlesDeBezierDaBSpline(_coordenadas.data(), _coordenadas.size(), 1, controles);
    g.bezier(controles);
}

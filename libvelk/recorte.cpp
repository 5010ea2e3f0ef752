#include "recorte.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// (borda − de) / (para − de): the parameter, from de, where the segment from de to para reaches
// borda, which lies between them. Differences of numbers near the ends of the range overflow:
// halved they cannot, and halving changes nothing but the last bit of a subnormal.
inline double parametro(double de, double para, double borda) noexcept
{
    double numerador = borda - de;
    double denominador = para - de;
    if (!(std::isfinite(numerador) && std::isfinite(denominador))) {
        numerador = borda * 0.5 - de * 0.5;
        denominador = para * 0.5 - de * 0.5;
    }
    const double s = numerador / denominador;
    return s >= 0.0 ? std::min(s, 1.0) : 0.0;
}

// The number at parameter s ∈ [0, 1] from a to b. It is measured from the nearer end (1 − s is
// exact for s ≥ 0.5), so that the step t·(para − de), t ≤ 0.5, rounds to at most half the way:
// the result never passes either end, however they were rounded, nor the largest double.
inline double entre(double a, double b, double s) noexcept
{
    const double de = s <= 0.5 ? a : b;
    const double para = s <= 0.5 ? b : a;
    const double t = s <= 0.5 ? s : 1.0 - s;
    const double diferenca = para - de;
    if (std::isfinite(diferenca))
        return de + t * diferenca;
    // Halved, the difference cannot overflow, nor can t times it doubled.
    return de + t * (para * 0.5 - de * 0.5) * 2.0;
}

// Liang–Barsky's p_k and q_k of the segment from (x0, y0) to (x1, y1) and the parameters where it
// enters and leaves r (the last entry and the first exit, within [0, 1]). False when it runs
// parallel to a side and outside it.
bool parametrosDeLiangBarsky(double x0, double y0, double x1, double y1, const Retangulo& r, double (&p)[4],
                             double (&q)[4], double& entrada, double& saida) noexcept
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    p[0] = -dx;
    p[1] = dx;
    p[2] = -dy;
    p[3] = dy;
    q[0] = x0 - r.xMin;
    q[1] = r.xMax - x0;
    q[2] = y0 - r.yMin;
    q[3] = r.yMax - y0;
    entrada = 0.0;
    saida = 1.0;
    bool paraleloDeFora = false;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            paraleloDeFora = paraleloDeFora || q[k] < 0.0;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            entrada = std::max(entrada, t);
        else
            saida = std::min(saida, t);
    }
    return !paraleloDeFora;
}

bool finitas(const PontoDeCamera& a, const PontoDeCamera& b) noexcept
{
    return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) && std::isfinite(b.y);
}

} // namespace

bool recortarSegmento(double x0, double y0, double x1, double y1, const Retangulo& r, double& t0,
                      double& t1) noexcept
{
    if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1)))
        return false;
    double p[4], q[4], inicio, fim;
    const bool cabe = parametrosDeLiangBarsky(x0, y0, x1, y1, r, p, q, inicio, fim);
    if (!(std::isfinite(p[1]) && std::isfinite(p[3]) && std::isfinite(q[0]) && std::isfinite(q[1])
          && std::isfinite(q[2]) && std::isfinite(q[3]))) {
        // Differences past the largest double: the same segment and rectangle at half the scale
        // have the same parameters, and differences that cannot overflow.
        const Retangulo metade{r.xMin * 0.5, r.xMax * 0.5, r.yMin * 0.5, r.yMax * 0.5};
        return recortarSegmento(x0 * 0.5, y0 * 0.5, x1 * 0.5, y1 * 0.5, metade, t0, t1);
    }
    if (!cabe || !(inicio < fim))
        return false;
    t0 = inicio;
    t1 = fim;
    return true;
}

bool recortarSegmentoPelasDuasPontas(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                                     PedacoVisivel& pedaco, bool paralela) noexcept
{
    // A cut is found from the coordinates of the end it is measured from, and placed at that end
    // plus a parameter times the segment: its error is a few rounding units of the distance from
    // that end (a segment from x = 1e17 into a window 20 wide, clipped from the far end, misplaces
    // its cut by about 16, or loses it). Splitting at the middle, 0.5, measures every cut from the
    // end nearer to it, at most half the segment away. A threshold above 0.5 measures the cuts
    // between it and the middle from the farther end, up to threshold / (1 − threshold) times the
    // error, and at 1 this is one-ended clipping; one below 0.5 does the same from the other side and
    // runs the second clip for more segments. The second clip is skipped when both cuts lie in a's
    // half, or when b is inside and the end needs no cut (s1 = 1).
    double s0 = 0.0, s1 = 0.0, r0 = 0.0, r1 = 0.0;
    const bool ida = recortarSegmento(a.x, a.y, b.x, b.y, r, s0, s1);
    const bool volta =
        (!ida || s0 > 0.5 || (s1 > 0.5 && s1 < 1.0)) && recortarSegmento(b.x, b.y, a.x, a.y, r, r0, r1);
    if (!ida && !volta)
        return false;
    const bool inicioDeA = ida && (!volta || s0 <= 0.5);
    const bool fimDeB = volta && (!ida || s1 > 0.5);
    // An end outside the rectangle is never kept, even where rounding puts the cut on it.
    pedaco.inicioEmA = r.contem(a.x, a.y) && (inicioDeA ? s0 == 0.0 : r1 == 1.0);
    pedaco.fimEmB = r.contem(b.x, b.y) && (fimDeB ? r0 == 0.0 : s1 == 1.0);
    // Points made by a cut are pinned inside the rectangle against rounding.
    const auto corte = [&r, paralela](const PontoDeCamera& de, const PontoDeCamera& para, double s) {
        return PontoDeCamera{std::clamp(entre(de.x, para.x, s), r.xMin, r.xMax),
                             std::clamp(entre(de.y, para.y, s), r.yMin, r.yMax),
                             profundidadeNaTela(de.z, para.z, s, paralela)};
    };
    if (pedaco.inicioEmA)
        pedaco.inicio = a;
    else
        pedaco.inicio = inicioDeA ? corte(a, b, s0) : corte(b, a, r1);
    if (pedaco.fimEmB)
        pedaco.fim = b;
    else
        pedaco.fim = fimDeB ? corte(b, a, r0) : corte(a, b, s1);
    return true;
}

namespace {

// A place along the segment a–b, measured from the end nearer to it: t = s from a, or 1 − s from b.
// Near an end that is far away, 1 − s is not a double: such places are compared as they stand.
struct Parametro {
    bool deA;
    double s;
};

bool antes(const Parametro& p, const Parametro& q) noexcept
{
    if (p.deA && q.deA)
        return p.s < q.s;
    if (!p.deA && !q.deA)
        return p.s > q.s;
    return p.deA && p.s + q.s < 1.0;
}

// Where the segment a–b crosses the line of r's side lado, whose ends lie either side of it. The
// point is measured from the end nearer to it and lies on the side's line exactly.
Parametro cruzarLado(const PontoDeCamera& a, const PontoDeCamera& b, std::uint8_t lado, const Retangulo& r,
                     bool paralela, PontoDeCamera& ponto) noexcept
{
    const bool emX = (lado & (Regiao::esquerda | Regiao::direita)) != 0;
    const double borda = lado == Regiao::esquerda ? r.xMin
                         : lado == Regiao::direita ? r.xMax
                         : lado == Regiao::abaixo  ? r.yMin
                                                   : r.yMax;
    const double ka = emX ? a.x : a.y;
    const double kb = emX ? b.x : b.y;
    const double t = parametro(ka, kb, borda);
    const bool deA = t <= 0.5;
    const PontoDeCamera& de = deA ? a : b;
    const PontoDeCamera& para = deA ? b : a;
    const double s = deA ? t : parametro(kb, ka, borda);
    ponto.x = emX ? borda : entre(de.x, para.x, s);
    ponto.y = emX ? entre(de.y, para.y, s) : borda;
    ponto.z = profundidadeNaTela(de.z, para.z, s, paralela);
    return {deA, s};
}

// The side a region code sends an end to first, in the textbook's order: above, below, right, left.
std::uint8_t primeiroLado(std::uint8_t codigo) noexcept
{
    for (const std::uint8_t lado : {Regiao::acima, Regiao::abaixo, Regiao::direita, Regiao::esquerda})
        if ((codigo & lado) != 0)
            return lado;
    return 0;
}

} // namespace

bool recortarCohenSutherland(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                             PedacoVisivel& pedaco, bool paralela, TracoDeCohenSutherland* traco) noexcept
{
    TracoDeCohenSutherland local;
    TracoDeCohenSutherland& tr = traco != nullptr ? *traco : local;
    tr = TracoDeCohenSutherland();
    if (!finitas(a, b))
        return false;
    const std::uint8_t codigoA = codigoDeRegiao(a.x, a.y, r);
    const std::uint8_t codigoB = codigoDeRegiao(b.x, b.y, r);
    tr.codigoA = codigoA;
    tr.codigoB = codigoB;
    // Where the segment crosses the line of each side that its ends lie either side of. The region
    // of a point a cut makes follows from where it lies along the segment against these crossings,
    // not from its rounded coordinates: a cut a fraction of a rounding unit outside one side would
    // otherwise round onto it and pass for inside.
    Parametro cruza[4] = {};
    PontoDeCamera naBorda[4] = {};
    for (int k = 0; k < 4; ++k) {
        const auto lado = static_cast<std::uint8_t>(1 << k);
        if (((codigoA ^ codigoB) & lado) != 0)
            cruza[k] = cruzarLado(a, b, lado, r, paralela, naBorda[k]);
    }
    const auto regiao = [&](const Parametro& t) {
        std::uint8_t c = codigoA & codigoB;
        for (int k = 0; k < 4; ++k) {
            const auto lado = static_cast<std::uint8_t>(1 << k);
            if ((codigoA & ~codigoB & lado) != 0 && antes(t, cruza[k]))
                c |= lado;
            else if ((codigoB & ~codigoA & lado) != 0 && antes(cruza[k], t))
                c |= lado;
        }
        return c;
    };
    PontoDeCamera ponta[2] = {a, b};
    std::uint8_t codigo[2] = {codigoA, codigoB};
    Parametro t[2] = {{true, 0.0}, {false, 0.0}};
    bool movida[2] = {false, false};
    while ((codigo[0] | codigo[1]) != 0) {
        if ((codigo[0] & codigo[1]) != 0 || tr.cortes == 4)
            return false;
        const int i = codigo[0] != 0 ? 0 : 1;
        const std::uint8_t lado = primeiroLado(codigo[i]);
        const int k = lado == Regiao::esquerda ? 0 : lado == Regiao::direita ? 1 : lado == Regiao::abaixo ? 2 : 3;
        t[i] = cruza[k];
        ponta[i] = naBorda[k];
        movida[i] = true;
        codigo[i] = regiao(t[i]);
        tr.corte[tr.cortes++] = {i == 0, lado, ponta[i].x, ponta[i].y};
    }
    // Touching r at one point is not drawn, as Liang–Barsky's t_entrada < t_saida says.
    if ((movida[0] || movida[1]) && !antes(t[0], t[1]))
        return false;
    for (PontoDeCamera& p : ponta) {
        p.x = std::clamp(p.x, r.xMin, r.xMax);
        p.y = std::clamp(p.y, r.yMin, r.yMax);
    }
    pedaco = {movida[0] ? ponta[0] : a, movida[1] ? ponta[1] : b, !movida[0], !movida[1]};
    tr.resultado = movida[0] || movida[1] ? ResultadoDoRecorte::recortado : ResultadoDoRecorte::aceitoInteiro;
    return true;
}

TracoDeLiangBarsky tracarLiangBarsky(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                                     PedacoVisivel& pedaco, bool paralela) noexcept
{
    TracoDeLiangBarsky tr;
    if (!finitas(a, b))
        return tr;
    parametrosDeLiangBarsky(a.x, a.y, b.x, b.y, r, tr.p, tr.q, tr.tEntrada, tr.tSaida);
    if (recortarSegmentoCom(AlgoritmoDeRecorte::liangBarsky, a, b, r, pedaco, paralela))
        tr.resultado = pedaco.inicioEmA && pedaco.fimEmB ? ResultadoDoRecorte::aceitoInteiro
                                                         : ResultadoDoRecorte::recortado;
    return tr;
}

bool recortarSegmentoCom(AlgoritmoDeRecorte algoritmo, const PontoDeCamera& a, const PontoDeCamera& b,
                         const Retangulo& r, PedacoVisivel& pedaco, bool paralela) noexcept
{
    if (algoritmo == AlgoritmoDeRecorte::cohenSutherland)
        return recortarCohenSutherland(a, b, r, pedaco, paralela);
    // A segment wholly inside needs no parameter at all.
    if ((codigoDeRegiao(a.x, a.y, r) | codigoDeRegiao(b.x, b.y, r)) == 0 && finitas(a, b)) {
        pedaco = {a, b, true, true};
        return true;
    }
    return recortarSegmentoPelasDuasPontas(a, b, r, pedaco, paralela);
}

bool recortarNoPlanoProximo(double za, double zb, double perto, double& t0, double& t1) noexcept
{
    const bool aNaFrente = za >= perto;
    const bool bNaFrente = zb >= perto;
    if (aNaFrente && bNaFrente) {
        t0 = 0.0;
        t1 = 1.0;
        return true;
    }
    if (!aNaFrente && !bNaFrente)
        return false;
    const double t = parametro(za, zb, perto);
    if (aNaFrente) {
        if (!(t > 0.0))
            return false;
        t0 = 0.0;
        t1 = t;
    } else {
        if (!(t < 1.0))
            return false;
        t0 = t;
        t1 = 1.0;
    }
    return true;
}

PontoDeCamera interpolar(const PontoDeCamera& a, const PontoDeCamera& b, double t) noexcept
{
    return {entre(a.x, b.x, t), entre(a.y, b.y, t), entre(a.z, b.z, t)};
}

PontoDeCamera pontoNoPlanoProximo(const PontoDeCamera& frente, const PontoDeCamera& atras, double perto) noexcept
{
    const double s = parametro(frente.z, atras.z, perto);
    const bool daFrente = s <= 0.5;
    const PontoDeCamera& de = daFrente ? frente : atras;
    const PontoDeCamera& para = daFrente ? atras : frente;
    const double t = daFrente ? s : parametro(atras.z, frente.z, perto);
    return {entre(de.x, para.x, t), entre(de.y, para.y, t), perto};
}

double profundidadeNaTela(double za, double zb, double s, bool paralela) noexcept
{
    if (s <= 0.0)
        return za;
    if (s >= 1.0)
        return zb;
    if (paralela)
        return std::clamp(za + s * (zb - za), std::min(za, zb), std::max(za, zb));
    // za·zb overflows for far depths: the larger end times the smaller one's ratio to the
    // denominator (which lies between them) cannot, and the result is kept between the ends.
    const double menor = std::min(za, zb);
    const double maior = std::max(za, zb);
    return std::clamp(maior * (menor / (zb + s * (za - zb))), menor, maior);
}

void recortarPoligonoNoPlanoProximo(const std::vector<PontoDeCamera>& entrada, double perto,
                                    std::vector<PontoDeCamera>& saida)
{
    saida.clear();
    const std::size_t n = entrada.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PontoDeCamera& a = entrada[i];
        const PontoDeCamera& b = entrada[i + 1 == n ? 0 : i + 1];
        const bool aDentro = a.z >= perto;
        const bool bDentro = b.z >= perto;
        if (aDentro)
            saida.push_back(a);
        if (aDentro != bDentro)
            saida.push_back(aDentro ? pontoNoPlanoProximo(a, b, perto) : pontoNoPlanoProximo(b, a, perto));
    }
}

namespace {

// One pass of Sutherland–Hodgman against the half-plane of the points whose coordinate eixo is at
// least borda (doMinimo) or at most borda. A crossing has borda itself as that coordinate;
// the other is found from the end nearer to it and kept between the two ends, so that a coordinate
// an earlier pass kept inside its edges stays there to the last bit.
template <double PontoDeCamera::*eixo, double PontoDeCamera::*outro, bool doMinimo>
void recortarContraBorda(const std::vector<PontoDeCamera>& entrada, std::vector<PontoDeCamera>& saida, double borda,
                         bool paralela)
{
    saida.clear();
    const std::size_t n = entrada.size();
    const auto estaDentro = [borda](const PontoDeCamera& p) { return doMinimo ? p.*eixo >= borda : p.*eixo <= borda; };
    for (std::size_t i = 0; i < n; ++i) {
        const PontoDeCamera& a = entrada[i];
        const PontoDeCamera& b = entrada[i + 1 == n ? 0 : i + 1];
        const bool aDentro = estaDentro(a);
        if (aDentro)
            saida.push_back(a);
        if (aDentro == estaDentro(b))
            continue;
        const double s = parametro(a.*eixo, b.*eixo, borda);
        const PontoDeCamera& de = s <= 0.5 ? a : b;
        const PontoDeCamera& para = s <= 0.5 ? b : a;
        const double t = s <= 0.5 ? s : parametro(b.*eixo, a.*eixo, borda);
        PontoDeCamera& corte = saida.emplace_back();
        corte.*eixo = borda;
        corte.*outro = entre(de.*outro, para.*outro, t);
        corte.z = profundidadeNaTela(de.z, para.z, t, paralela);
    }
}

} // namespace

void recortarPoligono(std::vector<PontoDeCamera>& poligono, const Retangulo& r, std::vector<PontoDeCamera>& auxiliar,
                      bool paralela)
{
    using P = PontoDeCamera;
    recortarContraBorda<&P::x, &P::y, true>(poligono, auxiliar, r.xMin, paralela);
    recortarContraBorda<&P::x, &P::y, false>(auxiliar, poligono, r.xMax, paralela);
    recortarContraBorda<&P::y, &P::x, true>(poligono, auxiliar, r.yMin, paralela);
    recortarContraBorda<&P::y, &P::x, false>(auxiliar, poligono, r.yMax, paralela);
}

bool soNaBorda(const std::vector<PontoDeCamera>& poligono, const Retangulo& r) noexcept
{
    const bool naBorda = std::all_of(poligono.begin(), poligono.end(), [&r](const PontoDeCamera& p) {
        return p.x == r.xMin || p.x == r.xMax || p.y == r.yMin || p.y == r.yMax;
    });
    const double areaDaJanela = (r.xMax - r.xMin) * (r.yMax - r.yMin);
    return naBorda && std::fabs(areaDupla(poligono)) <= 1e-12 * areaDaJanela;
}

double areaDupla(const std::vector<PontoDeCamera>& poligono) noexcept
{
    const std::size_t n = poligono.size();
    double soma = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const PontoDeCamera& a = poligono[i];
        const PontoDeCamera& b = poligono[(i + 1) % n];
        soma += a.x * b.y - b.x * a.y;
    }
    return soma;
}

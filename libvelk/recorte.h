#ifndef RECORTE_H
#define RECORTE_H

#include <cstdint>
#include <vector>

// Clipping on plain numbers, free of the objects and the camera that use it.
//
// Camera space: x to the right, y up, z the depth along the line of sight from the eye. A point is
// in front of the near plane when z ≥ perto; anything nearer is never projected, so segments and
// polygons are cut there before the perspective division.
// Projection plane: the rectangle is [xMin, xMax] × [yMin, yMax], edges included. Depths (z) across
// it vary as the projection makes them (projecao.h): under perspective their reciprocal is linear
// along a segment drawn on the plane, under a parallel projection the depth itself (paralela).

struct PontoDeCamera {
    double x;
    double y;
    double z;
};

struct Retangulo {
    double xMin;
    double xMax;
    double yMin;
    double yMax;

    constexpr bool contem(double x, double y) const noexcept
    {
        return x >= xMin && x <= xMax && y >= yMin && y <= yMax;
    }
};

// The two line clippers, either of which draws every segment; they draw the same pieces.
enum class AlgoritmoDeRecorte {
    cohenSutherland,
    liangBarsky,
};

// Cohen–Sutherland region codes: one bit for each side of the rectangle a point lies beyond.
struct Regiao {
    static constexpr std::uint8_t esquerda = 1;
    static constexpr std::uint8_t direita = 2;
    static constexpr std::uint8_t abaixo = 4;
    static constexpr std::uint8_t acima = 8;
};

constexpr std::uint8_t codigoDeRegiao(double x, double y, const Retangulo& r) noexcept
{
    std::uint8_t c = 0;
    if (x < r.xMin)
        c |= Regiao::esquerda;
    else if (x > r.xMax)
        c |= Regiao::direita;
    if (y < r.yMin)
        c |= Regiao::abaixo;
    else if (y > r.yMax)
        c |= Regiao::acima;
    return c;
}

// Liang–Barsky: the part of the segment (x0, y0)–(x1, y1) inside r, as parameters 0 ≤ t0 < t1 ≤ 1
// along it. False when nothing is inside or the segment only touches r at one point; a segment of
// zero length is kept (t0 = 0, t1 = 1) when its point is inside.
bool recortarSegmento(double x0, double y0, double x1, double y1, const Retangulo& r, double& t0,
                      double& t1) noexcept;

// The visible piece of a segment on the projection plane: its ends (x, y on the plane, z the depth
// as profundidadeNaTela gives it), and whether each is the segment's own end rather than a cut.
struct PedacoVisivel {
    PontoDeCamera inicio;
    PontoDeCamera fim;
    bool inicioEmA;
    bool fimEmB;
};

// The rule both line clippers keep: the part of the segment a–b on the projection plane (z is the
// depth at each end) inside r, each cut measured from the end of the segment nearer to it, so that
// a segment far longer than r loses no digits at either cut. Cuts are pinned inside r, and an end is
// kept only when r contains it. False when nothing of it is inside, or it only touches r at a point.
// Ends are finite.

// By Liang–Barsky, run from whichever end is nearer each cut.
bool recortarSegmentoPelasDuasPontas(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                                     PedacoVisivel& pedaco, bool paralela = false) noexcept;

// What became of a segment.
enum class ResultadoDoRecorte {
    aceitoInteiro,
    rejeitado,
    recortado,
};

// What Cohen–Sutherland computed for a segment: its ends' region codes, each cut in the order made
// (which end moved, against which side, to where on the plane) and the outcome.
struct TracoDeCohenSutherland {
    struct Corte {
        bool pontaA;
        std::uint8_t lado;
        double x;
        double y;
    };
    std::uint8_t codigoA = 0;
    std::uint8_t codigoB = 0;
    int cortes = 0;
    Corte corte[4] = {};
    ResultadoDoRecorte resultado = ResultadoDoRecorte::rejeitado;
};

// By Cohen–Sutherland: an end outside is moved to the side its region code names until both codes
// say inside (accepted) or share a side (rejected). Every crossing is found on the original segment.
bool recortarCohenSutherland(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                             PedacoVisivel& pedaco, bool paralela = false,
                             TracoDeCohenSutherland* traco = nullptr) noexcept;

// What Liang–Barsky computes for a segment (x, y) = a + t·(b − a): for k = left, right, below,
// above, the segment is on the inner side where p_k·t ≤ q_k; t_entrada is the largest t where it
// enters (from 0), t_saida the smallest where it leaves (to 1). The outcome is the drawing's.
struct TracoDeLiangBarsky {
    double p[4] = {};
    double q[4] = {};
    double tEntrada = 0.0;
    double tSaida = 1.0;
    ResultadoDoRecorte resultado = ResultadoDoRecorte::rejeitado;
};
TracoDeLiangBarsky tracarLiangBarsky(const PontoDeCamera& a, const PontoDeCamera& b, const Retangulo& r,
                                     PedacoVisivel& pedaco, bool paralela = false) noexcept;

// The segment clipped by the chosen algorithm.
bool recortarSegmentoCom(AlgoritmoDeRecorte algoritmo, const PontoDeCamera& a, const PontoDeCamera& b,
                         const Retangulo& r, PedacoVisivel& pedaco, bool paralela = false) noexcept;

// The part of a segment whose ends have depths za and zb that lies at depth ≥ perto, as parameters
// 0 ≤ t0 < t1 ≤ 1 (or 0 and 1 for a segment wholly in front). False when nothing of it is in front.
bool recortarNoPlanoProximo(double za, double zb, double perto, double& t0, double& t1) noexcept;

// The point of the segment a–b at parameter t, linearly (camera space is affine), measured from the
// end nearer to it: each coordinate lies between a's and b's, finite when they are, and t = 1 is b.
PontoDeCamera interpolar(const PontoDeCamera& a, const PontoDeCamera& b, double t) noexcept;

// Where the segment from frente (depth ≥ perto) to atras (depth < perto) crosses the near plane: a
// point whose depth is perto exactly, so that no rounding can leave it behind the plane or at the
// eye. It is measured from the end nearer to it, where the parameter keeps its digits.
PontoDeCamera pontoNoPlanoProximo(const PontoDeCamera& frente, const PontoDeCamera& atras, double perto) noexcept;

// Depth at parameter s of a segment drawn on the projection plane between ends of depths za and zb:
// under perspective the reciprocal of the depth, not the depth, varies linearly across the plane;
// under a parallel projection the depth does.
double profundidadeNaTela(double za, double zb, double s, bool paralela = false) noexcept;

// Sutherland–Hodgman against the near plane, in camera space: saida receives the part of the
// polygon at depth ≥ perto (empty when none). saida must not alias entrada.
void recortarPoligonoNoPlanoProximo(const std::vector<PontoDeCamera>& entrada, double perto,
                                    std::vector<PontoDeCamera>& saida);

// Sutherland–Hodgman against the rectangle, on the projection plane: x and y are clipped, z is the
// depth, interpolated as profundidadeNaTela does. poligono is replaced by the clipped polygon (empty
// when no part of it is inside), whose every vertex r contains, finite for any finite input;
// auxiliar is scratch space, kept by the caller to spare allocations.
void recortarPoligono(std::vector<PontoDeCamera>& poligono, const Retangulo& r,
                      std::vector<PontoDeCamera>& auxiliar, bool paralela = false);

// Whether what recortarPoligono left is nothing to draw: a concave polygon that wraps round r
// without covering any of it leaves a polygon lying on r's edges, of no area but rounding's.
bool soNaBorda(const std::vector<PontoDeCamera>& poligono, const Retangulo& r) noexcept;

// Twice the signed area of a polygon on the plane (x, y), by the shoelace formula.
double areaDupla(const std::vector<PontoDeCamera>& poligono) noexcept;

#endif

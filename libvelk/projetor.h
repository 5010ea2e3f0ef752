#ifndef PROJETOR_H
#define PROJETOR_H

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "arestasprojetadas.h"
#include "coordenada.h"
#include "curvas.h"
#include "geometria.h"
#include "projecao.h"
#include "recorte.h"
#include "vetor.h"

// A segment as the line clipper is handed it: its ends on the projection plane, depths as z, after
// the near plane's cut (cortadoNoPlanoProximo); one wholly behind that plane never reaches it.
struct SegmentoNoPlano {
    PontoDeCamera a;
    PontoDeCamera b;
    bool cortadoNoPlanoProximo;
    bool atrasDoPlanoProximo;
};

// The projection pipeline that every kind of object goes through: takes an object's world geometry
// (as a Geometria sink) and builds its drawing list, in projection-plane coordinates (PPC) clipped
// to the window's rectangle, with null coordinates between the runs of a broken polyline.
// Camera coordinates, PPC and the near plane are as projecao.h sets them out; Vista::projetar is
// where a camera point meets the plane.
// The buffers are kept from one object to the next, so a whole scene costs few allocations.
class Projetor : public Geometria {
public:
    // The camera: centre of projection, orthonormal frame û, v̂, n, focal distance, the window's
    // width and height on the projection plane, the projection and the line clipper.
    Projetor(const Coordenada& centroDeProjecao, const Vetor& u, const Vetor& v, const Vetor& n, double distancia,
             double largura, double altura, Projecao projecao = Projecao::perspectiva,
             AlgoritmoDeRecorte recorte = AlgoritmoDeRecorte::cohenSutherland);

    // Forgets what the last object described.
    void iniciar();

    // While on, an object described by one arestas() call and nothing else is not drawn into
    // desenho() but kept aside, for projetarArestas: a wireframe is drawn by its vertices. Whatever
    // else is described after it draws what was kept aside first, as arestas() would have.
    void adiarArestas(bool adiar) { _adiarArestas = adiar; }
    // The lists of the arestas() call kept aside since iniciar(), or null; they are the describing
    // object's, and must outlive their use.
    const std::vector<Coordenada>* verticesAdiados() const { return _verticesAdiados; }
    const std::vector<std::pair<int, int>>* arestasAdiadas() const { return _arestasAdiadas; }
    // Draws into desenho() what was kept aside.
    void tracarAdiadas();

    // The wireframe of those vertices and edges by its vertices (see ArestasProjetadas): ppc becomes
    // the PPC of the vertices in front of the near plane, in order, and saida what the edges draw,
    // exactly the drawing list arestas() would make. A large one's work is shared among the cores.
    void projetarArestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas,
                         std::vector<Coordenada>& ppc, ArestasProjetadas& saida) const;

    void pontos(const std::vector<Coordenada>& pontos) override;
    void polilinha(const std::vector<Coordenada>& pontos, bool fechada) override;
    void poligonoPreenchido(const std::vector<Coordenada>& vertices) override;
    void arestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas) override;
    void bezier(const std::vector<Coordenada>& controles) override;

    // The drawing list of everything described since iniciar().
    const std::vector<Coordenada>& desenho() const { return _desenho; }
    // Exchanges the drawing list's buffer with outro: a caller that keeps one list per object lends
    // it before iniciar() and takes it back filled, so that nothing is copied.
    void trocarDesenho(std::vector<Coordenada>& outro) noexcept { _desenho.swap(outro); }
    // Whether a filled polygon was described: its vertices after the near-plane cut, in PPC, are
    // then what the projected copy keeps as its own coordinates.
    bool temVerticesRecortados() const { return _temVerticesRecortados; }
    const std::vector<Coordenada>& verticesRecortados() const { return _verticesRecortados; }

    // saida = the PPC of the points of pontos that lie beyond the near plane, in order.
    void projetarCoordenadas(const std::vector<Coordenada>& pontos, std::vector<Coordenada>& saida) const;

    // The piece of the world segment a–b that this camera draws, as parameters 0 ≤ t0 ≤ t1 ≤ 1 along
    // the world segment, by the same near-plane cut and window clip as the drawing; what lies outside
    // [t0, t1] is cut away. False when nothing of it is drawn. A segment of zero length is a point.
    bool trechoVisivel(const Coordenada& a, const Coordenada& b, double& t0, double& t1) const noexcept;
    // The same for a segment whose ends are already in camera space (paraCamera).
    bool trechoVisivel(const PontoDeCamera& a, const PontoDeCamera& b, double& t0, double& t1) const noexcept;

    // Camera coordinates from the COP (projecao.h); a point that is not finite gets a depth of NaN.
    PontoDeCamera paraCamera(const Coordenada& p) const noexcept;
    // Where the camera point c falls on the projection plane, when it lies beyond the near plane and
    // inside the window; false otherwise. The drawing keeps a segment between two such points whole,
    // and every point of it projects as its camera-space point does.
    bool dentroDaJanela(const PontoDeCamera& c, double& x, double& y) const noexcept;
    // The world point whose PPC are ppc (one of the drawing list's, which all lie beyond the near
    // plane): the projection undone.
    Coordenada paraMundo(const Coordenada& ppc) const noexcept;
    const Vista& vista() const { return _vista; }
    Projecao projecao() const { return _projecao; }
    AlgoritmoDeRecorte recorte() const { return _recorte; }
    // Every segment described from now on is also appended to registro as the line clipper is
    // handed it (null: none), so that what the clipper computes can be shown.
    void registrarSegmentos(std::vector<SegmentoNoPlano>* registro) { _registro = registro; }
    // The lengths of (d, xMax) and (d, yMax), which scale the distances to the side planes of the
    // view: worked out once per camera rather than once per object judged against them.
    double normaDosLadosX() const { return _normaDosLadosX; }
    double normaDosLadosY() const { return _normaDosLadosY; }

private:
    // A vertex with its projection and Cohen–Sutherland outcode, worked out once for all the
    // segments that share it; naFrente is false for a vertex nearer than the near plane (or one
    // that is not finite), and then only c is meaningful.
    struct Vertice {
        PontoDeCamera c;
        double x;
        double y;
        std::uint8_t codigo;
        bool naFrente;
    };

    Vertice vertice(const PontoDeCamera& c) const noexcept;
    void preencher(Vertice& v, const PontoDeCamera& c) const noexcept;
    // Appends c's vertex to _vertices.
    void acrescentarVertice(const PontoDeCamera& c) { preencher(_vertices.emplace_back(), c); }
    std::uint8_t codigo(double x, double y) const noexcept;
    // Appends to lista the PPC of a camera point of depth zc that projects to (x, y). Built in
    // place, as every point of a list is: a point built aside and copied in is written in halves and
    // read back whole, and the processor waits for the halves to reach the cache.
    void acrescentarPpc(std::vector<Coordenada>& lista, double x, double y, double zc) const
    {
        lista.emplace_back(x, y, zc - _vista.distancia);
    }
    // The camera-space segment a–b cut at the near plane and divided onto the projection plane, its
    // depths kept as z; [t0, t1] is the part of a–b kept. False when nothing of it is in front.
    bool cortarEProjetar(const PontoDeCamera& a, const PontoDeCamera& b, PontoDeCamera& pa, PontoDeCamera& pb,
                         double& t0, double& t1) const noexcept;
    // The piece of the segment a–b that shows, on the projection plane with its depths as z, and
    // whether each end of it is the vertex's own rather than a cut. False when nothing shows. The
    // segment as the line clipper is handed it goes to registro, unless null.
    bool pedacoVisivel(const Vertice& a, const Vertice& b, PedacoVisivel& pedaco, bool& inicioNoVertice,
                       bool& fimNoVertice, std::vector<SegmentoNoPlano>* registro) const;
    // Clips one segment and adds its visible piece to the drawing list.
    void segmento(const Vertice& a, const Vertice& b);
    // The edges' pieces of projetarArestas, in saida: those of the edges that do not join two vertices
    // inside the window.
    void pedacosDasArestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas,
                           ArestasProjetadas& saida) const;
    // Adds a visible piece (on the projection plane, depth as z) to the drawing list, joining it to
    // the run in progress when it starts at the vertex where the last piece ended.
    void acrescentarPedaco(const PontoDeCamera& inicio, const PontoDeCamera& fim, bool inicioNoVertice,
                           bool fimNoVertice);
    void tracarPolilinha(bool fechada);
    // Joins the last run of the closed polyline that starts at inicioDaPolilinha in the drawing list
    // to its first run, which meets it at the first vertex.
    void unirUltimaAPrimeira(std::size_t inicioDaPolilinha);

    Coordenada _centroDeProjecao;
    Vetor _u;
    Vetor _v;
    Vetor _n;
    Vista _vista;
    Projecao _projecao;
    AlgoritmoDeRecorte _recorte;
    std::vector<SegmentoNoPlano>* _registro = nullptr;
    double _normaDosLadosX;
    double _normaDosLadosY;

    std::vector<Coordenada> _desenho;
    std::vector<Coordenada> _verticesRecortados;
    bool _temVerticesRecortados = false;
    // Whether the run in progress ends at the original end of the last segment.
    bool _runAberta = false;
    bool _ultimoTerminouNoVertice = false;
    bool _ultimoComecouNoVertice = false;

    // The last list of own coordinates described, and which buffer still holds it in camera space,
    // so that projetarCoordenadas need not transform it again.
    enum class Fonte { nenhuma, vertices, auxiliar };
    const std::vector<Coordenada>* _entrada = nullptr;
    Fonte _fonte = Fonte::nenhuma;

    // The subdivisions left to the curves of the object being described (achatarCadeiaDeBezier).
    long long _orcamentoDeCurvas = 0;

    std::vector<PontoDeCamera> _camera;
    std::vector<PontoDeCamera> _auxiliar;
    std::vector<Vertice> _vertices;

    bool _adiarArestas = false;
    // Whether anything was described since iniciar().
    bool _descrito = false;
    const std::vector<Coordenada>* _verticesAdiados = nullptr;
    const std::vector<std::pair<int, int>>* _arestasAdiadas = nullptr;
};

// The per-point work of the pipeline, inline: calls into a shared library's own exported functions
// are not inlined otherwise.

inline PontoDeCamera Projetor::paraCamera(const Coordenada& p) const noexcept
{
    const double dx = p.x() - _centroDeProjecao.x();
    const double dy = p.y() - _centroDeProjecao.y();
    const double dz = p.z() - _centroDeProjecao.z();
    PontoDeCamera c{dx * _u.x() + dy * _u.y() + dz * _u.z(), dx * _v.x() + dy * _v.y() + dz * _v.z(),
                    dx * _n.x() + dy * _n.y() + dz * _n.z()};
    // A point that is not finite is nowhere: a depth of NaN keeps it out of every test of "in front".
    if (!(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z)))
        c.z = std::numeric_limits<double>::quiet_NaN();
    return c;
}

inline std::uint8_t Projetor::codigo(double x, double y) const noexcept
{
    return codigoDeRegiao(x, y, _vista.retangulo);
}

inline void Projetor::preencher(Vertice& v, const PontoDeCamera& c) const noexcept
{
    v.c = c;
    v.x = 0.0;
    v.y = 0.0;
    v.codigo = 0;
    v.naFrente = c.z >= _vista.perto;
    if (v.naFrente) {
        _vista.projetar(c, v.x, v.y);
        if (std::isfinite(v.x) && std::isfinite(v.y)) {
            v.codigo = codigo(v.x, v.y);
        } else {
            v.naFrente = false;
            v.c.z = std::numeric_limits<double>::quiet_NaN();
        }
    }
}

inline Projetor::Vertice Projetor::vertice(const PontoDeCamera& c) const noexcept
{
    Vertice v;
    preencher(v, c);
    return v;
}

inline bool Projetor::dentroDaJanela(const PontoDeCamera& c, double& x, double& y) const noexcept
{
    const Vertice v = vertice(c);
    if (!v.naFrente || v.codigo != 0)
        return false;
    x = v.x;
    y = v.y;
    return true;
}

#endif

#include "projetor.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "paralelo.h"

// The entry points that describe an object and the projection of its own coordinates are
// flattened: the work per segment and per point, down to appending to a list, is then inlined
// into their loops, and an object costs a handful of calls rather than several per point.

Projetor::Projetor(const Coordenada& centroDeProjecao, const Vetor& u, const Vetor& v, const Vetor& n, double distancia,
                   double largura, double altura, Projecao projecao, AlgoritmoDeRecorte recorte)
    : _centroDeProjecao(centroDeProjecao), _u(u), _v(v), _n(n), _projecao(projecao), _recorte(recorte)
{
    _vista.distancia = distancia;
    _vista.perto = distancia / 100.0;
    _vista.retangulo = {-largura / 2.0, largura / 2.0, -altura / 2.0, altura / 2.0};
    // 1/1000 of the window's smaller side, so that a window stretched to a square canvas is as smooth
    // along both axes.
    _vista.tolerancia = std::min(largura, altura) / 1000.0;
    _vista.paralela = projecao != Projecao::perspectiva;
    _vista.obliquidade = obliquidadeDe(projecao);
    if (_vista.paralela) {
        // The sides are the planes xc + k·(zc − d) = ±xMax: normals (±1, 0, k).
        _normaDosLadosX = _normaDosLadosY = std::hypot(1.0, _vista.obliquidade);
    } else {
        _normaDosLadosX = std::hypot(distancia, _vista.retangulo.xMax);
        _normaDosLadosY = std::hypot(distancia, _vista.retangulo.yMax);
    }
}

void Projetor::iniciar()
{
    _desenho.clear();
    _verticesRecortados.clear();
    _temVerticesRecortados = false;
    _runAberta = false;
    _entrada = nullptr;
    _fonte = Fonte::nenhuma;
    _orcamentoDeCurvas = subdivisoesMaximasPorSegmento;
    _descrito = false;
    _verticesAdiados = nullptr;
    _arestasAdiadas = nullptr;
}

void Projetor::tracarAdiadas()
{
    if (_arestasAdiadas == nullptr)
        return;
    const std::vector<Coordenada>& vertices = *_verticesAdiados;
    const std::vector<std::pair<int, int>>& lista = *_arestasAdiadas;
    _verticesAdiados = nullptr;
    _arestasAdiadas = nullptr;
    // Something was described, so this draws.
    arestas(vertices, lista);
}

[[gnu::flatten]] void Projetor::projetarCoordenadas(const std::vector<Coordenada>& pontos, std::vector<Coordenada>& saida) const
{
    saida.clear();
    if (&pontos == _entrada && _fonte == Fonte::vertices) {
        for (const Vertice& v : _vertices)
            if (v.naFrente)
                acrescentarPpc(saida, v.x, v.y, v.c.z);
        return;
    }
    if (&pontos == _entrada && _fonte == Fonte::auxiliar) {
        for (const PontoDeCamera& c : _auxiliar) {
            const Vertice v = vertice(c);
            if (v.naFrente)
                acrescentarPpc(saida, v.x, v.y, v.c.z);
        }
        return;
    }
    for (const Coordenada& p : pontos) {
        const Vertice v = vertice(paraCamera(p));
        if (v.naFrente)
            acrescentarPpc(saida, v.x, v.y, v.c.z);
    }
}

bool Projetor::trechoVisivel(const Coordenada& a, const Coordenada& b, double& t0, double& t1) const noexcept
{
    return trechoVisivel(paraCamera(a), paraCamera(b), t0, t1);
}

bool Projetor::trechoVisivel(const PontoDeCamera& ca, const PontoDeCamera& cb, double& t0, double& t1) const noexcept
{
    PontoDeCamera pa, pb;
    double n0, n1;
    if (!cortarEProjetar(ca, cb, pa, pb, n0, n1))
        return false;
    double s0, s1;
    if (!recortarSegmento(pa.x, pa.y, pb.x, pb.y, _vista.retangulo, s0, s1))
        return false;
    // A parameter on the projection plane is not one along the segment in space: the division by the
    // depth bends it. Back to the camera-space parameter, then to the world segment's.
    // A parallel projection keeps parameters as they are.
    const bool paralela = _vista.paralela;
    const auto emEspaco = [&pa, &pb, paralela](double s) {
        if (s <= 0.0)
            return 0.0;
        if (s >= 1.0)
            return 1.0;
        if (paralela)
            return s;
        return s * pa.z / ((1.0 - s) * pb.z + s * pa.z);
    };
    t0 = n0 + emEspaco(s0) * (n1 - n0);
    t1 = n0 + emEspaco(s1) * (n1 - n0);
    return true;
}

bool Projetor::cortarEProjetar(const PontoDeCamera& a, const PontoDeCamera& b, PontoDeCamera& pa, PontoDeCamera& pb,
                               double& t0, double& t1) const noexcept
{
    // Cut at the near plane in camera space, before the division: what lies behind the eye would
    // otherwise come out mirrored. Which end is cut follows from the ends, not from the parameters,
    // which can round to 0 or 1 on a long segment and keep the end behind.
    if (!recortarNoPlanoProximo(a.z, b.z, _vista.perto, t0, t1))
        return false;
    const PontoDeCamera ca = a.z >= _vista.perto ? a : pontoNoPlanoProximo(b, a, _vista.perto);
    const PontoDeCamera cb = b.z >= _vista.perto ? b : pontoNoPlanoProximo(a, b, _vista.perto);
    pa.z = ca.z;
    pb.z = cb.z;
    _vista.projetar(ca, pa.x, pa.y);
    _vista.projetar(cb, pb.x, pb.y);
    return true;
}

Coordenada Projetor::paraMundo(const Coordenada& ppc) const noexcept
{
    const double zc = ppc.z() + _vista.distancia;
    if (_vista.paralela) {
        const double desvio = _vista.obliquidade * ppc.z();
        return _centroDeProjecao + _u * (ppc.x() - desvio) + _v * (ppc.y() - desvio) + _n * zc;
    }
    const double k = zc / _vista.distancia;
    return _centroDeProjecao + _u * (ppc.x() * k) + _v * (ppc.y() * k) + _n * zc;
}

[[gnu::flatten]] void Projetor::pontos(const std::vector<Coordenada>& pontos)
{
    tracarAdiadas();
    _descrito = true;
    for (const Coordenada& p : pontos) {
        const Vertice v = vertice(paraCamera(p));
        if (v.naFrente && v.codigo == 0)
            acrescentarPpc(_desenho, v.x, v.y, v.c.z);
    }
}

bool Projetor::pedacoVisivel(const Vertice& a, const Vertice& b, PedacoVisivel& pedaco, bool& inicioNoVertice,
                             bool& fimNoVertice, std::vector<SegmentoNoPlano>* registro) const
{
    // The ends on the projection plane, with their depths as z.
    PontoDeCamera pa, pb;
    std::uint8_t codigoA, codigoB;
    bool aOriginal = true;
    bool bOriginal = true;
    if (a.naFrente && b.naFrente) {
        if (registro != nullptr)
            registro->push_back({{a.x, a.y, a.c.z}, {b.x, b.y, b.c.z}, false, false});
        if ((a.codigo & b.codigo) != 0)
            return false;
        pa = {a.x, a.y, a.c.z};
        pb = {b.x, b.y, b.c.z};
        codigoA = a.codigo;
        codigoB = b.codigo;
    } else {
        double t0, t1;
        const bool naFrente = cortarEProjetar(a.c, b.c, pa, pb, t0, t1);
        if (registro != nullptr)
            registro->push_back(naFrente ? SegmentoNoPlano{pa, pb, true, false} : SegmentoNoPlano{{}, {}, false, true});
        if (!naFrente || !(std::isfinite(pa.x) && std::isfinite(pa.y) && std::isfinite(pb.x) && std::isfinite(pb.y)))
            return false;
        aOriginal = a.naFrente;
        bOriginal = b.naFrente;
        codigoA = codigo(pa.x, pa.y);
        codigoB = codigo(pb.x, pb.y);
    }

    pedaco = {pa, pb, true, true};
    if ((codigoA | codigoB) != 0 && !recortarSegmentoCom(_recorte, pa, pb, _vista.retangulo, pedaco, _vista.paralela))
        return false;
    inicioNoVertice = aOriginal && pedaco.inicioEmA;
    fimNoVertice = bOriginal && pedaco.fimEmB;
    return true;
}

void Projetor::segmento(const Vertice& a, const Vertice& b)
{
    PedacoVisivel pedaco;
    bool inicioNoVertice = false;
    bool fimNoVertice = false;
    if (!pedacoVisivel(a, b, pedaco, inicioNoVertice, fimNoVertice, _registro)) {
        // Nothing of the segment is drawn: the run in progress ends.
        _runAberta = false;
        _ultimoComecouNoVertice = _ultimoTerminouNoVertice = false;
        return;
    }
    acrescentarPedaco(pedaco.inicio, pedaco.fim, inicioNoVertice, fimNoVertice);
}

void Projetor::acrescentarPedaco(const PontoDeCamera& inicio, const PontoDeCamera& fim, bool inicioNoVertice,
                                 bool fimNoVertice)
{
    if (_runAberta && inicioNoVertice) {
        acrescentarPpc(_desenho, fim.x, fim.y, fim.z);
    } else {
        if (!_desenho.empty())
            _desenho.emplace_back();
        acrescentarPpc(_desenho, inicio.x, inicio.y, inicio.z);
        acrescentarPpc(_desenho, fim.x, fim.y, fim.z);
    }
    _runAberta = fimNoVertice;
    _ultimoComecouNoVertice = inicioNoVertice;
    _ultimoTerminouNoVertice = fimNoVertice;
}

void Projetor::tracarPolilinha(bool fechada)
{
    const std::size_t n = _vertices.size();
    if (n < 2)
        return;
    const std::size_t inicioDaPolilinha = _desenho.size();
    _runAberta = false;
    segmento(_vertices[0], _vertices[1]);
    const bool comecaNoPrimeiroVertice = _ultimoComecouNoVertice;
    for (std::size_t i = 1; i + 1 < n; ++i)
        segmento(_vertices[i], _vertices[i + 1]);
    if (!fechada)
        return;
    segmento(_vertices[n - 1], _vertices[0]);
    // The closing segment ends where the first began: when both are visible there, the last run
    // and the first are one piece of outline.
    if (comecaNoPrimeiroVertice && _ultimoTerminouNoVertice)
        unirUltimaAPrimeira(inicioDaPolilinha);
}

void Projetor::unirUltimaAPrimeira(std::size_t inicioDaPolilinha)
{
    // The first run moves to the end, without its repeated first point, so that a broken outline
    // has no needless break at v0.
    const auto inicio = _desenho.begin() + static_cast<std::ptrdiff_t>(inicioDaPolilinha);
    const auto nulo = std::find_if(inicio, _desenho.end(), [](const Coordenada& c) { return c.isNull(); });
    if (nulo == _desenho.end())
        return;
    const std::ptrdiff_t primeiraRun = nulo - inicio;
    std::rotate(inicio, nulo + 1, _desenho.end());
    const std::ptrdiff_t restante =
        static_cast<std::ptrdiff_t>(_desenho.size() - inicioDaPolilinha) - primeiraRun - 1;
    // Now: the other runs, then the first run (starting with its copy of v0), then the old break.
    _desenho.erase(inicio + restante);
    _desenho.pop_back();
}

[[gnu::flatten]] void Projetor::polilinha(const std::vector<Coordenada>& pontos, bool fechada)
{
    tracarAdiadas();
    _descrito = true;
    _vertices.clear();
    for (const Coordenada& p : pontos)
        acrescentarVertice(paraCamera(p));
    _entrada = &pontos;
    _fonte = Fonte::vertices;
    tracarPolilinha(fechada);
}

[[gnu::flatten]] void Projetor::arestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas)
{
    // Segments being registered go through the clipper one by one, as they are drawn.
    if (_adiarArestas && !_descrito && _registro == nullptr) {
        _descrito = true;
        _verticesAdiados = &vertices;
        _arestasAdiadas = &arestas;
        return;
    }
    tracarAdiadas();
    _descrito = true;
    _vertices.clear();
    for (const Coordenada& p : vertices)
        acrescentarVertice(paraCamera(p));
    _entrada = &vertices;
    _fonte = Fonte::vertices;
    for (const auto& [i, j] : arestas) {
        if (!arestaValida(i, j, _vertices.size()))
            continue;
        // Every edge is a run of its own.
        _runAberta = false;
        segmento(_vertices[static_cast<std::size_t>(i)], _vertices[static_cast<std::size_t>(j)]);
    }
}

[[gnu::flatten]] void Projetor::bezier(const std::vector<Coordenada>& controles)
{
    tracarAdiadas();
    _descrito = true;
    if (!controlesDeBezier.aceita(controles.size()))
        return;
    _auxiliar.clear();
    for (const Coordenada& p : controles)
        _auxiliar.push_back(paraCamera(p));
    _entrada = &controles;
    _fonte = Fonte::auxiliar;
    _camera.clear();
    _camera.push_back(_auxiliar[0]);
    achatarCadeiaDeBezier(_auxiliar, _vista, _camera, _orcamentoDeCurvas);
    _vertices.clear();
    for (const PontoDeCamera& c : _camera)
        acrescentarVertice(c);
    tracarPolilinha(false);
}

[[gnu::flatten]] void Projetor::poligonoPreenchido(const std::vector<Coordenada>& vertices)
{
    tracarAdiadas();
    _descrito = true;
    _temVerticesRecortados = true;
    _camera.clear();
    for (const Coordenada& p : vertices)
        _camera.push_back(paraCamera(p));
    recortarPoligonoNoPlanoProximo(_camera, _vista.perto, _auxiliar);

    // From here on _camera holds the polygon on the projection plane, its depths kept as z.
    _camera.clear();
    std::uint8_t todos = 0xF;
    std::uint8_t algum = 0;
    for (const PontoDeCamera& c : _auxiliar) {
        const Vertice v = vertice(c);
        if (!v.naFrente)
            continue;
        acrescentarPpc(_verticesRecortados, v.x, v.y, v.c.z);
        _camera.push_back({v.x, v.y, v.c.z});
        todos &= v.codigo;
        algum |= v.codigo;
    }
    if (_camera.size() < 3 || todos != 0)
        return;
    if (algum != 0) {
        recortarPoligono(_camera, _vista.retangulo, _auxiliar, _vista.paralela);
        if (_camera.size() < 3 || soNaBorda(_camera, _vista.retangulo))
            return;
    }
    for (const PontoDeCamera& p : _camera)
        acrescentarPpc(_desenho, p.x, p.y, p.z);
}

namespace {

// A wireframe's vertices and edges are shared among the cores in blocks large enough that handing
// one out costs little beside its work, and only when each core gets many of them.
constexpr Divisao divisaoDosVertices{4096, 16384};
constexpr Divisao divisaoDasArestas{8192, 32768};

} // namespace

[[gnu::flatten]] void Projetor::projetarArestas(const std::vector<Coordenada>& vertices,
                                                const std::vector<std::pair<int, int>>& arestas,
                                                std::vector<Coordenada>& ppc, ArestasProjetadas& saida) const
{
    const std::size_t n = vertices.size();
    std::vector<std::uint8_t>& estados = saida._estados;
    estados.resize(n);
    ppc.resize(n);
    saida._posicoes.clear();
    saida._pedacos.clear();
    // Each vertex is written by one thread only, at its own place.
    std::atomic<std::size_t> atras{0};
    std::atomic<std::size_t> fora{0};
    repartirEmBlocos(n, divisaoDosVertices, [&](std::size_t, std::size_t inicio, std::size_t fim) {
        std::size_t meusAtras = 0;
        std::size_t meusFora = 0;
        for (std::size_t i = inicio; i < fim; ++i) {
            const Vertice v = vertice(paraCamera(vertices[i]));
            std::uint8_t estado = 0;
            if (v.naFrente) {
                ppc[i] = Coordenada(v.x, v.y, v.c.z - _vista.distancia);
                estado = v.codigo == 0 ? ArestasProjetadas::naFrente | ArestasProjetadas::dentroDaJanela
                                       : ArestasProjetadas::naFrente;
            } else {
                ++meusAtras;
            }
            meusFora += estado != (ArestasProjetadas::naFrente | ArestasProjetadas::dentroDaJanela);
            estados[i] = estado;
        }
        atras += meusAtras;
        fora += meusFora;
    });
    if (atras > 0) {
        // The vertices behind the near plane have no PPC: the others close up, in order.
        saida._posicoes.resize(n);
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i) {
            saida._posicoes[i] = k;
            if ((estados[i] & ArestasProjetadas::naFrente) != 0)
                ppc[k++] = ppc[i];
        }
        ppc.resize(k);
    }
    if (fora > 0)
        pedacosDasArestas(vertices, arestas, saida);
}

[[gnu::flatten]] void Projetor::pedacosDasArestas(const std::vector<Coordenada>& vertices,
                                                  const std::vector<std::pair<int, int>>& arestas,
                                                  ArestasProjetadas& saida) const
{
    using Pedaco = ArestasProjetadas::Pedaco;
    const std::vector<std::uint8_t>& estados = saida._estados;
    const std::size_t n = estados.size();
    const std::size_t trabalhadores = trabalhadoresPara(arestas.size(), divisaoDasArestas.itensPorThread);
    // One list per thread; a job on this thread alone writes straight into saida.
    std::vector<std::vector<Pedaco>> porTrabalhador(trabalhadores > 1 ? trabalhadores : 0);
    repartirEmBlocos(arestas.size(), divisaoDasArestas, [&](std::size_t trabalhador, std::size_t inicio, std::size_t fim) {
        std::vector<Pedaco>& meus = porTrabalhador.empty() ? saida._pedacos : porTrabalhador[trabalhador];
        for (std::size_t k = inicio; k < fim; ++k) {
            const auto [i, j] = arestas[k];
            if (!arestaValida(i, j, n)
                || (estados[static_cast<std::size_t>(i)] & estados[static_cast<std::size_t>(j)]
                    & ArestasProjetadas::dentroDaJanela) != 0)
                continue;
            // Few edges get here: their ends are projected again rather than kept for them all.
            const Vertice a = vertice(paraCamera(vertices[static_cast<std::size_t>(i)]));
            const Vertice b = vertice(paraCamera(vertices[static_cast<std::size_t>(j)]));
            PedacoVisivel p;
            bool inicioNoVertice, fimNoVertice;
            if (pedacoVisivel(a, b, p, inicioNoVertice, fimNoVertice, nullptr))
                meus.push_back({k, Coordenada(p.inicio.x, p.inicio.y, p.inicio.z - _vista.distancia),
                                Coordenada(p.fim.x, p.fim.y, p.fim.z - _vista.distancia)});
        }
    });
    if (porTrabalhador.empty())
        return;
    std::size_t total = 0;
    for (const std::vector<Pedaco>& meus : porTrabalhador)
        total += meus.size();
    saida._pedacos.reserve(total);
    for (const std::vector<Pedaco>& meus : porTrabalhador)
        saida._pedacos.insert(saida._pedacos.end(), meus.begin(), meus.end());
    // Blocks fall to the threads in any order.
    std::sort(saida._pedacos.begin(), saida._pedacos.end(),
              [](const Pedaco& a, const Pedaco& b) { return a.aresta < b.aresta; });
}

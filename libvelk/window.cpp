#include "window.h"

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <tinyxml.h>

#include "displayfile.h"
#include "formatoxml.h"
#include "objeto.h"
#include "paralelo.h"
#include "projetor.h"
#include "saidaemnos.h"
#include "tipodeobjeto.h"
#include "transformacao.h"

namespace {

bool finita(const Matriz<1, 4>& m) noexcept
{
    return std::isfinite(m(0, 0)) && std::isfinite(m(0, 1)) && std::isfinite(m(0, 2));
}



// The offset t that minimises max |a_i − t|·w_i (all w_i > 0), and that maximum: the function is
// convex, so a ternary search over [min a, max a] converges on it.
std::pair<double, double> centroPonderado(const std::vector<double>& a, const std::vector<double>& w)
{
    const auto pior = [&a, &w](double t) {
        double m = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            m = std::max(m, std::fabs(a[i] - t) * w[i]);
        return m;
    };
    double lo = *std::min_element(a.begin(), a.end());
    double hi = *std::max_element(a.begin(), a.end());
    for (int i = 0; i < 100 && lo < hi; ++i) {
        const double m1 = lo + (hi - lo) / 3;
        const double m2 = hi - (hi - lo) / 3;
        if (pior(m1) < pior(m2))
            hi = m2;
        else
            lo = m1;
    }
    const double t = lo + (hi - lo) / 2;
    return {t, pior(t)};
}

Vetor linha(const Matriz<4, 4>& m, std::size_t i) noexcept
{
    return Vetor(m(i, 0), m(i, 1), m(i, 2));
}

// The sphere round an object's own coordinates that foraDeVista judges: the centre of their box
// and the square of the farthest one's distance from it; a radius of NaN for no coordinates.
void esferaEnvolvente(const std::vector<Coordenada>& coordenadas, Coordenada& centro, double& raio2) noexcept
{
    if (coordenadas.empty()) {
        centro = Coordenada();
        raio2 = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    // One variable per bound, so that they stay in registers.
    double xMin = coordenadas[0].x(), yMin = coordenadas[0].y(), zMin = coordenadas[0].z();
    double xMax = xMin, yMax = yMin, zMax = zMin;
    for (const Coordenada& c : coordenadas) {
        xMin = std::min(xMin, c.x());
        xMax = std::max(xMax, c.x());
        yMin = std::min(yMin, c.y());
        yMax = std::max(yMax, c.y());
        zMin = std::min(zMin, c.z());
        zMax = std::max(zMax, c.z());
    }
    centro = Coordenada(0.5 * xMin + 0.5 * xMax, 0.5 * yMin + 0.5 * yMax, 0.5 * zMin + 0.5 * zMax);
    raio2 = 0.0;
    for (const Coordenada& c : coordenadas) {
        const double dx = c.x() - centro.x(), dy = c.y() - centro.y(), dz = c.z() - centro.z();
        raio2 = std::max(raio2, dx * dx + dy * dy + dz * dz);
    }
}

// Whether nothing of what an object draws can be seen, judged by a sphere round its own coordinates
// (every kind draws within their convex hull, curves included): the sphere lies wholly behind the
// near plane, or wholly in front of it and wholly beyond one side of the view. An object that
// crosses the near plane is never judged so: a filled one keeps the vertices that plane's cut makes.
// The sphere is taken a little larger than it is, so that rounding never hides what shows; any
// coordinate that is not finite leaves the object to the full pipeline.
bool foraDeVista(const Coordenada& centro, double raio2, const Projetor& projetor) noexcept
{
    const PontoDeCamera o = projetor.paraCamera(centro);
    const double margem = 1e-9 * (std::fabs(o.x) + std::fabs(o.y) + std::fabs(o.z) + std::sqrt(raio2)) + 1e-300;
    const double raio = std::sqrt(raio2) + margem;
    if (!(std::isfinite(raio) && std::isfinite(o.z)))
        return false;
    const Vista& vista = projetor.vista();
    if (o.z + raio < vista.perto)
        return true;
    if (!(o.z - raio > vista.perto))
        return false;
    const double d = vista.distancia;
    const double w = vista.retangulo.xMax;
    const double h = vista.retangulo.yMax;
    const double lw = projetor.normaDosLadosX();
    const double lh = projetor.normaDosLadosY();
    if (vista.paralela) {
        // The side planes are parallel: beyond the right one, x + k·(z − d) − xMax > 0.
        const double desvio = vista.obliquidade * (o.z - d);
        const double x = o.x + desvio;
        const double y = o.y + desvio;
        return x - w > raio * lw || -x - w > raio * lw || y - h > raio * lh || -y - h > raio * lh;
    }
    // The side planes pass through the eye and the window's edges: beyond the right one,
    // x·d − z·xMax > 0, and so on.
    return o.x * d - o.z * w > raio * lw || -o.x * d - o.z * w > raio * lw || o.y * d - o.z * h > raio * lh
           || -o.y * d - o.z * h > raio * lh;
}

// Asks the cache for the lines of [p, p + bytes), at most limite of them, ahead of their use: the
// objects of a scene and their lists are scattered over the heap, and waiting for each in turn is
// most of a projection's time.
// GCC takes a function or a loop that does nothing but prefetch for one without effect, and drops
// it: this one is always inlined, and its loop holds an empty statement the compiler must keep.
template <int escrita, std::size_t limite = 16>
[[gnu::always_inline]] inline void trazer(const void* p, std::size_t bytes) noexcept
{
    const char* c = static_cast<const char*>(p);
    const std::size_t linhas = std::min(limite, (bytes + 63) / 64);
    for (std::size_t k = 0; k < linhas; ++k) {
        __builtin_prefetch(c + 64 * k, escrita);
        __asm__ __volatile__("");
    }
}

// Whether what original described into projetor was its own vertices and its kind's edges alone,
// which its copy keeps too: they are then drawn by their vertices (Projetor::adiarArestas).
bool porVertices(const Objeto& original, const Projetor& projetor)
{
    const TipoDeObjeto* tipo = original.tipo();
    return projetor.arestasAdiadas() != nullptr && tipo != nullptr && tipo->arestas != nullptr
           && projetor.arestasAdiadas() == &tipo->arestas(original) && projetor.verticesAdiados() == &original.coordenadas();
}

} // namespace

Window::Window(Coordenada a, Coordenada b, Coordenada cop)
{
    if (!(finita(a) && finita(b) && finita(cop)))
        throw std::invalid_argument("Window: coordenadas que não são números finitos");
    _centro = Coordenada(0.5 * a.x() + 0.5 * b.x(), 0.5 * a.y() + 0.5 * b.y(), 0.5 * a.z() + 0.5 * b.z());
    const Vetor paraOCentro(cop, _centro);
    _distancia = paraOCentro.modulo();
    if (!(_distancia > 0.0) || !std::isfinite(_distancia))
        throw std::invalid_argument("Window: o centro de projeção não pode ser o centro da window");
    const double largura = std::fabs(b.x() - a.x());
    const double altura = std::fabs(b.y() - a.y());
    if (!(largura > 0.0 && altura > 0.0))
        throw std::invalid_argument("Window: largura e altura precisam ser positivas");

    const Vetor n = paraOCentro * (1.0 / _distancia);
    const Vetor x(1, 0, 0);
    Vetor direita = x - n * x.escalar(n);
    if (direita.modulo() > 1e-9) {
        direita = direita.normalizado();
    } else {
        // Looking along x: right is taken from up instead, so that ŷ stays up on screen.
        const Vetor y(0, 1, 0);
        direita = (y - n * y.escalar(n)).normalizado().vetorial(n);
    }
    const Vetor cima = n.vetorial(direita);
    _direita = direita * largura;
    _cima = cima * altura;
    if (defeito(_centro, _direita, _cima, _distancia) != DefeitoDaWindow::nenhum)
        throw std::invalid_argument("Window: medidas fora do intervalo que a câmera pode projetar e salvar");
}



bool Window::tornarSe(const Coordenada& centro, const Vetor& direita, const Vetor& cima)
{
    if (defeito(centro, direita, cima, _distancia) != DefeitoDaWindow::nenhum)
        return false;
    _centro = centro;
    _direita = direita;
    _cima = cima;
    return true;
}

Vetor Window::direcaoDeVisao() const
{
    return ::direcaoDeVisao(_direita, _cima);
}

Coordenada Window::centroDeProjecao() const
{
    return _centro - direcaoDeVisao() * _distancia;
}

bool Window::mover(double dx, double dy, double dz)
{
    const Coordenada centro =
        _centro + _direita * dx + _cima * dy + direcaoDeVisao() * (dz * _direita.modulo());
    return tornarSe(centro, _direita, _cima);
}

bool Window::escala(double f)
{
    if (!(f > 0.0))
        return false;
    return tornarSe(_centro, _direita * f, _cima * f);
}

bool Window::escala(double f, double x, double y)
{
    if (!(f > 0.0))
        return false;
    // A point of the plane at (x, y) sits at (f·x, f·y) of the scaled window's extent; the centre
    // moves by the difference so that it sits at (x, y) again.
    const double resto = 1.0 - f;
    const Coordenada centro = _centro + _direita.normalizado() * (resto * x) + _cima.normalizado() * (resto * y);
    return tornarSe(centro, _direita * f, _cima * f);
}

bool Window::rodar(double ax, double ay, double az)
{
    if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(az)))
        return false;
    const double largura = _direita.modulo();
    const double altura = _cima.modulo();

    // The frame as the rows of a matrix: û, v̂, n. An object rotation's matrix R read in this frame
    // turns it into R × frame, so each turn, about the axes as they stand, multiplies on the left.
    Matriz<4, 4> frame = Matriz<4, 4>::identidade();
    const Vetor eixos[3] = {_direita.normalizado(), _cima.normalizado(), direcaoDeVisao()};
    for (std::size_t i = 0; i < 3; ++i) {
        frame(i, 0) = eixos[i].x();
        frame(i, 1) = eixos[i].y();
        frame(i, 2) = eixos[i].z();
    }
    const Coordenada origem(0, 0, 0);
    const auto girar = [&frame](const Matriz<4, 4>& rotacao) { frame = rotacao * frame; };
    girar(Transformacao::rotacao(ax, 0, 0, origem));
    girar(Transformacao::rotacao(0, ay, 0, origem));
    girar(Transformacao::rotacao(0, 0, az, origem));

    // Gram–Schmidt, so that rounding never lets û and v̂ drift apart from square or unit length
    // however many turns are made.
    const Vetor direita = linha(frame, 0).normalizado();
    const Vetor cimaBruto = linha(frame, 1);
    const Vetor cima = (cimaBruto - direita * cimaBruto.escalar(direita)).normalizado();
    return tornarSe(_centro, direita * largura, cima * altura);
}

namespace {

// The middle of the points' box and the radius about it that holds them all; false when a point is
// not finite.
bool bolaDosPontos(const std::vector<Coordenada>& pontos, Coordenada& meio, double& raio)
{
    double minimo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double maximo[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const Coordenada& p : pontos) {
        if (!finita(p))
            return false;
        for (std::size_t k = 0; k < 3; ++k) {
            minimo[k] = std::min(minimo[k], p(0, k));
            maximo[k] = std::max(maximo[k], p(0, k));
        }
    }
    meio = Coordenada(minimo[0] / 2 + maximo[0] / 2, minimo[1] / 2 + maximo[1] / 2, minimo[2] / 2 + maximo[2] / 2);
    raio = 0;
    for (const Coordenada& p : pontos)
        raio = std::max(raio, Vetor(meio, p).modulo());
    return true;
}

} // namespace

bool Window::enquadrar(const std::vector<Coordenada>& pontos, double margem)
{
    if (pontos.empty() || !std::isfinite(margem) || margem < 0)
        return false;
    const Vetor u = _direita.normalizado();
    const Vetor v = _cima.normalizado();
    const Vetor n = direcaoDeVisao();
    const double largura = _direita.modulo();
    const double altura = _cima.modulo();

    // The eye goes back along n from the middle of the points' box until a ball holding them all
    // fits in the present field of view; that puts every point well in front of the eye.
    Coordenada meio;
    double raio = 0;
    if (!bolaDosPontos(pontos, meio, raio))
        return false;
    const double tangente = std::min(largura, altura) / 2 / _distancia;
    const double seno = tangente / std::hypot(1.0, tangente);
    const bool paralela = _projecao != Projecao::perspectiva;
    // A parallel projection sees as much from anywhere: its window's plane goes just in front of the ball.
    const double recuo = paralela ? raio + _distancia
                                  : (raio > 0 ? std::max(raio / seno, raio + _distancia / 10) : _distancia);
    const Coordenada olho = meio - n * recuo;
    const double obliquidade = obliquidadeDe(_projecao);

    // Sideways moves of the eye change no depth: the best offset on each axis is the one that
    // minimises the widest projected distance, |xc − t|·d/zc (|xc + k·(zc − d) − t| for a parallel
    // projection).
    std::vector<double> xs, ys, pesos;
    xs.reserve(pontos.size());
    ys.reserve(pontos.size());
    pesos.reserve(pontos.size());
    for (const Coordenada& p : pontos) {
        const Vetor rel(olho, p);
        const double zc = rel.escalar(n);
        if (!(zc > 0))
            return false;
        const double desvio = obliquidade * (zc - _distancia);
        xs.push_back(rel.escalar(u) + desvio);
        ys.push_back(rel.escalar(v) + desvio);
        pesos.push_back(paralela ? 1.0 : _distancia / zc);
    }
    const auto [tx, meiaLargura] = centroPonderado(xs, pesos);
    const auto [ty, meiaAltura] = centroPonderado(ys, pesos);

    const double aspecto = altura / largura;
    double novaLargura = std::max(2 * meiaLargura, 2 * meiaAltura / aspecto) * (1 + 2 * margem);
    if (!std::isfinite(novaLargura) || novaLargura < largura * 1e-12)
        novaLargura = largura;
    // The same rule as every other control: a camera that cannot be projected and saved is refused.
    return tornarSe(olho + u * tx + v * ty + n * _distancia, u * novaLargura, v * (novaLargura * aspecto));
}

void Window::atualizarCPP(const DisplayFile& df)
{
    _cena = &df;
}

Projetor Window::projetor() const
{
    return Projetor(centroDeProjecao(), _direita.normalizado(), _cima.normalizado(), direcaoDeVisao(), _distancia,
                    _direita.modulo(), _cima.modulo(), _projecao, _recorte);
}

std::vector<SegmentoNoPlano> Window::segmentosNoPlano(const Objeto& objeto) const
{
    std::vector<SegmentoNoPlano> segmentos;
    Projetor p = projetor();
    p.registrarSegmentos(&segmentos);
    p.iniciar();
    objeto.descreverGeometria(p);
    return segmentos;
}

void Window::projetar(const Objeto& original, Objeto& copia, Projetor& projetor) const
{
    // A kept copy's list is filled in place, and keeps its memory from one projection to the next;
    // a new copy's is filled in the projector's own and copied at its size, not grown from nothing.
    const bool noLugar = copia._desenho.capacity() != 0;
    if (noLugar)
        projetor.trocarDesenho(copia._desenho);
    projetor.iniciar();
    // The sphere depends on the original's coordinates alone: a copy kept for the same version
    // still holds it.
    if (copia._versaoDoOriginal != original._versao)
        esferaEnvolvente(original.coordenadas(), copia._centroDaEsfera, copia._raioDaEsfera2);
    copia._porVertices = false;
    copia._listado.store(false, std::memory_order_relaxed);
    if (foraDeVista(copia._centroDaEsfera, copia._raioDaEsfera2, projetor)) {
        // What the full pipeline would give such an object: its own coordinates projected, no drawing.
        projetor.projetarCoordenadas(original.coordenadas(), copia._coordenadas);
    } else {
        projetor.adiarArestas(true);
        original.descreverGeometria(projetor);
        projetor.adiarArestas(false);
        if (porVertices(original, projetor)) {
            if (!copia._arestasProjetadas)
                copia._arestasProjetadas = std::make_unique<ArestasProjetadas>();
            projetor.projetarArestas(original.coordenadas(), *projetor.arestasAdiadas(), copia._coordenadas,
                                     *copia._arestasProjetadas);
            copia._porVertices = true;
        } else {
            projetor.tracarAdiadas();
            if (projetor.temVerticesRecortados())
                copia._coordenadas = projetor.verticesRecortados();
            else
                projetor.projetarCoordenadas(original.coordenadas(), copia._coordenadas);
        }
    }
    if (noLugar)
        projetor.trocarDesenho(copia._desenho);
    else
        copia._desenho.assign(projetor.desenho().begin(), projetor.desenho().end());
    // A list made from the drawing kept by vertices holds each vertex once per edge: it is not kept
    // from one projection to the next.
    if (copia._porVertices)
        std::vector<Coordenada>().swap(copia._desenho);
    copia._autorDoDesenho = this;
    copia._versaoDoOriginal = original._versao;
}

DisplayFile Window::coordenadasDePlanoDeProjecao() const
{
    DisplayFile projecao;
    atualizarProjecao(projecao);
    return projecao;
}

void Window::projetarBloco(Projetor& p, const std::vector<const Objeto*>& originais, std::vector<Objeto*>& copias,
                           std::size_t inicio, std::size_t fim) const
{
    constexpr std::size_t longe = 8;
    constexpr std::size_t perto = 4;
    const auto cabecalhos = [&](std::size_t k) __attribute__((always_inline)) {
        trazer<0, 4>(originais[k], sizeof(Objeto) + 64);
        if (copias[k] != nullptr)
            trazer<1, 4>(copias[k], sizeof(Objeto));
    };
    const auto listas = [&](std::size_t k) __attribute__((always_inline)) {
        const Objeto& o = *originais[k];
        trazer<0>(o._coordenadas.data(), o._coordenadas.size() * sizeof(Coordenada));
        if (o.tipo() != nullptr && o.tipo()->arestas != nullptr) {
            const std::vector<std::pair<int, int>>& arestas = o.tipo()->arestas(o);
            trazer<0, 4>(arestas.data(), arestas.size() * sizeof(arestas[0]));
        }
        if (const Objeto* c = copias[k]) {
            trazer<1>(c->_desenho.data(), c->_desenho.size() * sizeof(Coordenada));
            trazer<1>(c->_coordenadas.data(), c->_coordenadas.size() * sizeof(Coordenada));
        }
    };
    for (std::size_t k = inicio; k < std::min(fim, inicio + longe); ++k)
        cabecalhos(k);
    for (std::size_t i = inicio; i < fim; ++i) {
        if (i + longe < fim)
            cabecalhos(i + longe);
        if (i + perto < fim)
            listas(i + perto);
        const Objeto& original = *originais[i];
        Objeto*& copia = copias[i];
        // Same version, same object in the same state: only the camera may have moved, and
        // the copy's memory is reused. Otherwise a new copy.
        if (copia == nullptr || copia->_versaoDoOriginal != original._versao) {
            delete copia;
            copia = nullptr;
            copia = original.clone();
        }
        projetar(original, *copia, p);
    }
}

namespace {

// Keeps the first quantas copies; new places are null until a worker clones the object, so that a
// clone that throws leaves a list the destructor can still walk.
void ajustarCopias(std::vector<Objeto*>& copias, std::size_t quantas)
{
    while (copias.size() > quantas) {
        delete copias.back();
        copias.pop_back();
    }
    copias.resize(quantas, nullptr);
}

} // namespace

std::vector<const Objeto*> Window::objetosDaCena() const
{
    std::vector<const Objeto*> originais;
    if (_cena != nullptr) {
        originais.reserve(_cena->listaDeObjetos.size());
        for (const Objeto* o : _cena->listaDeObjetos)
            if (o != nullptr)
                originais.push_back(o);
    }
    return originais;
}

void Window::atualizarProjecao(DisplayFile& projecao, const std::function<void(std::size_t)>& prontos) const
{
    const std::vector<const Objeto*> originais = objetosDaCena();
    std::vector<Objeto*>& copias = projecao.listaDeObjetos;
    ajustarCopias(copias, originais.size());

    // Each copy is written by one thread only and depends on nothing but its object and the camera,
    // so the result is the same however the blocks fall.
    const std::size_t blocos = (originais.size() + Blocos::tamanho - 1) / Blocos::tamanho;
    // Set, with release order, once a block's copies are written.
    const std::unique_ptr<std::atomic<bool>[]> feitos(new std::atomic<bool>[blocos]());
    const auto projetarBloco = [&](Projetor& p, std::size_t bloco, std::size_t inicio, std::size_t fim) {
        this->projetarBloco(p, originais, copias, inicio, fim);
        feitos[bloco].store(true, std::memory_order_release);
    };
    const auto trabalhar = [&](std::size_t trabalhador, Blocos& fila) {
        Projetor p = projetor();
        std::size_t bloco, inicio, fim;
        if (trabalhador != 0 || !prontos) {
            while (fila.proximo(bloco, inicio, fim))
                projetarBloco(p, bloco, inicio, fim);
            return;
        }
        // This thread hands each finished run of blocks to prontos as soon as it has one, and
        // projects only while the next block it must hand over is not finished yet.
        std::size_t entregues = 0;
        while (entregues < blocos && !fila.parada()) {
            if (feitos[entregues].load(std::memory_order_acquire)) {
                do
                    ++entregues;
                while (entregues < blocos && feitos[entregues].load(std::memory_order_acquire));
                prontos(std::min(entregues * Blocos::tamanho, originais.size()));
            } else if (fila.proximo(bloco, inicio, fim)) {
                projetarBloco(p, bloco, inicio, fim);
            } else {
                // Another core is finishing that block.
                std::this_thread::yield();
            }
        }
    };
    try {
        repartir(originais.size(), trabalhar);
    } catch (...) {
        // Some copies are missing or stale: nothing of this projection is kept.
        for (Objeto* copia : copias)
            delete copia;
        copias.clear();
        throw;
    }
}

void Window::persist(TiXmlElement* element) const
{
    SaidaEmNos saida(element);
    persist(saida);
}

void Window::persist(SaidaXml& saida) const
{
    FormatoXml::EstadoDaWindow estado;
    estado.centro = _centro;
    estado.direita = _direita;
    estado.cima = _cima;
    estado.distancia = _distancia;
    estado.projecao = _projecao;
    FormatoXml::escreverWindow(saida, estado);
}

void Window::restore(TiXmlNode* node)
{
    if (node == nullptr)
        throw std::string("Não há elemento <window> para ler.");
    // lerWindow checks everything and throws before anything here changes.
    const FormatoXml::EstadoDaWindow estado = FormatoXml::lerWindow(node);
    _centro = estado.centro;
    _direita = estado.direita;
    _cima = estado.cima;
    _distancia = estado.distancia;
    _projecao = estado.projecao;
}

#include "vistaexterna.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

#include <QAction>
#include <QColor>
#include <QEvent>
#include <QList>
#include <QFontMetrics>
#include <QLine>
#include <QMetaObject>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSplitter>

#include "cor.h"
#include "curvas.h"
#include "displayfile.h"
#include "estagios.h"
#include "geometria.h"
#include "objeto.h"
#include "paralelo.h"
#include "projetor.h"
#include "vetor.h"
#include "window.h"

namespace {

// Steps per cubic segment of a curve: at most this many, and one per this many pixels that its
// control polygon spans in this overview, where most curves are small; a chord of that length
// strays from the curve by less than a pixel.
constexpr int passosPorBezier = 8;
constexpr double pixelsPorPasso = 6;

// The world geometry of one object as vertices, segments between them and loose points; curves
// become polylines. A filled polygon's outline is among the segments, and its vertices a run of
// their own.
class Coletor : public Geometria {
public:
    // How many pixels apart the observer draws two world points, or infinity when it does not draw
    // both inside its window.
    std::function<double(const Coordenada&, const Coordenada&)> distanciaNaTela;

    std::vector<Coordenada> vertices;
    std::vector<std::pair<std::size_t, std::size_t>> segmentos;
    std::vector<std::size_t> soltos;
    // Each filled polygon's first vertex and one past its last.
    std::vector<std::pair<std::size_t, std::size_t>> poligonos;

    void limpar()
    {
        vertices.clear();
        segmentos.clear();
        soltos.clear();
        poligonos.clear();
    }

    void pontos(const std::vector<Coordenada>& pontos) override
    {
        for (const Coordenada& p : pontos) {
            soltos.push_back(vertices.size());
            vertices.push_back(p);
        }
    }

    void polilinha(const std::vector<Coordenada>& pontos, bool fechada) override
    {
        const std::size_t inicio = vertices.size();
        vertices.insert(vertices.end(), pontos.begin(), pontos.end());
        for (std::size_t i = inicio + 1; i < vertices.size(); ++i)
            segmentos.emplace_back(i - 1, i);
        if (fechada && pontos.size() > 2)
            segmentos.emplace_back(vertices.size() - 1, inicio);
    }

    void poligonoPreenchido(const std::vector<Coordenada>& vertices) override
    {
        const std::size_t inicio = this->vertices.size();
        polilinha(vertices, true);
        poligonos.emplace_back(inicio, this->vertices.size());
    }

    void arestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas) override
    {
        const std::size_t inicio = this->vertices.size();
        this->vertices.insert(this->vertices.end(), vertices.begin(), vertices.end());
        for (const auto& [i, j] : arestas)
            if (arestaValida(i, j, vertices.size()))
                segmentos.emplace_back(inicio + static_cast<std::size_t>(i), inicio + static_cast<std::size_t>(j));
    }

    void bezier(const std::vector<Coordenada>& controles) override
    {
        const std::size_t n = controles.size();
        if (!controlesDeBezier.aceita(n))
            return;
        vertices.push_back(controles[0]);
        for (std::size_t i = 0; i + 3 < n; i += 3) {
            PontoDeCamera c[4];
            for (std::size_t k = 0; k < 4; ++k)
                c[k] = {controles[i + k].x(), controles[i + k].y(), controles[i + k].z()};
            double extensao = 0;
            for (std::size_t k = 0; k < 3; ++k)
                extensao += distanciaNaTela(controles[i + k], controles[i + k + 1]);
            // NaN and infinity take the most steps.
            const int passos = extensao < passosPorBezier * pixelsPorPasso
                                   ? std::max(1, static_cast<int>(std::ceil(extensao / pixelsPorPasso)))
                                   : passosPorBezier;
            for (int passo = 1; passo <= passos; ++passo) {
                const PontoDeCamera p = pontoDeBezier(c, passo / static_cast<double>(passos));
                segmentos.emplace_back(vertices.size() - 1, vertices.size());
                vertices.emplace_back(p.x, p.y, p.z);
            }
        }
    }
};

Coordenada pontoEntre(const Coordenada& a, const Coordenada& b, double t)
{
    return a + Vetor(a, b) * t;
}

// The edges of the main camera's viewing pyramid or box, and its direction of projection.
const QColor corDosProjetores(230, 140, 0);

// The inset's distance from the view's edges: inside the frame, drawn 20 pixels in.
constexpr int margemDaLupa = 24;

// A filled polygon's fill where the main camera cuts it away: its colour, mostly white.
QColor desbotada(const QColor& cor)
{
    return QColor((cor.red() + 3 * 255) / 4, (cor.green() + 3 * 255) / 4, (cor.blue() + 3 * 255) / 4);
}

// What the outside view frames of the main camera: its COP in perspective, its window's corners, and
// its near plane's, which a parallel projection puts anywhere in front of the window.
std::vector<Coordenada> pontosDaCamera(const Window& camera)
{
    const Projetor projetor = camera.projetor();
    const Vista& vista = projetor.vista();
    std::vector<Coordenada> pontos;
    if (!vista.paralela)
        pontos.push_back(camera.centroDeProjecao());
    const Retangulo& r = vista.retangulo;
    for (double x : {r.xMin, r.xMax})
        for (double y : {r.yMin, r.yMax}) {
            pontos.push_back(projetor.paraMundo(Coordenada(x, y, 0)));
            pontos.push_back(projetor.paraMundo(Coordenada(x, y, vista.perto - vista.distancia)));
        }
    return pontos;
}

bool finita(const Coordenada& p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y()) && std::isfinite(p.z());
}

// The box of the scene's finite coordinates: its least and greatest corners; none without any.
std::optional<std::pair<Coordenada, Coordenada>> caixaDaCena(const DisplayFile& cena)
{
    std::optional<std::pair<Coordenada, Coordenada>> caixa;
    for (const Objeto* o : cena.listaDeObjetos)
        if (o != nullptr)
            for (const Coordenada& p : o->coordenadas()) {
                if (!finita(p))
                    continue;
                if (!caixa)
                    caixa.emplace(p, p);
                auto& [menor, maior] = *caixa;
                menor = Coordenada(std::min(menor.x(), p.x()), std::min(menor.y(), p.y()), std::min(menor.z(), p.z()));
                maior = Coordenada(std::max(maior.x(), p.x()), std::max(maior.y(), p.y()), std::max(maior.z(), p.z()));
            }
    return caixa;
}

} // namespace

struct VistaExterna::Bloco {
    // A fill: its pixels in pontos, from inicio to fim; visivel where the main camera draws it.
    struct Preenchimento {
        std::size_t inicio;
        std::size_t fim;
        bool visivel;
    };
    // Where each object's lines and fills end in the lists below, and what it is.
    struct Desenho {
        std::size_t fimDasVisiveis;
        std::size_t fimDosPreenchimentos;
        QColor cor;
        const Objeto* objeto;
    };

    std::vector<QLine> visiveis;
    // The first curtas are short enough that a dashed pen draws them whole.
    std::vector<QLine> cortadas;
    std::size_t curtas = 0;
    std::vector<QPoint> pontos;
    std::vector<Preenchimento> preenchimentos;
    std::vector<Desenho> desenhos;
    // How deep its objects reach in front of the main camera.
    double profundidade = 0;

    void limpar()
    {
        visiveis.clear();
        cortadas.clear();
        curtas = 0;
        pontos.clear();
        preenchimentos.clear();
        desenhos.clear();
        profundidade = 0;
    }
};

// Splits each object by the main camera (camera) and draws it through the observer (observador).
class VistaExterna::Trabalhador {
public:
    Trabalhador(const Projetor& camera, const Projetor& observador) : camera(camera), observador(observador), _par(2)
    {
        _coletor.distanciaNaTela = [this](const Coordenada& a, const Coordenada& b) {
            QPoint p, q;
            if (!pixelDe(*_mapa, this->observador.paraCamera(a), p) || !pixelDe(*_mapa, this->observador.paraCamera(b), q))
                return std::numeric_limits<double>::infinity();
            return std::hypot(static_cast<double>(p.x() - q.x()), static_cast<double>(p.y() - q.y()));
        };
    }
    Trabalhador(const Trabalhador&) = delete;
    Trabalhador& operator=(const Trabalhador&) = delete;

    Projetor camera;
    Projetor observador;

    void desenhar(const Objeto& objeto, const Mapeamento& mapa, Bloco& bloco);
    // Adds to saida the pixels of the world segment a–b as the observer draws it, if it does.
    bool tracar(const Mapeamento& mapa, const Coordenada& a, const Coordenada& b, std::vector<QLine>& saida);

private:
    // A vertex as the observer sees it: in camera space, and its pixel when it lies inside the
    // observer's window.
    struct NoObservador {
        PontoDeCamera c;
        QPoint pixel;
        bool dentro;
    };

    bool pixelDe(const Mapeamento& mapa, const PontoDeCamera& c, QPoint& pixel) const;
    // Adds the piece [s, e] of the segment i–j to saida, whose lines from desde on are this object's.
    void pedaco(const Mapeamento& mapa, std::size_t i, std::size_t j, double s, double e, std::vector<QLine>& saida,
                std::size_t desde);
    // Adds the pixels of the filled world polygon to the block, as a fill of its own.
    void preencher(const Mapeamento& mapa, const std::vector<Coordenada>& poligono, bool visivel, Bloco& bloco);
    // The steps of desenhar: the collected vertices into both cameras, the fills, the segments
    // split where the main camera cuts them, the points' crosses.
    void projetarVertices(const Mapeamento& mapa, Bloco& bloco);
    void preencherPoligonos(const Mapeamento& mapa, Bloco& bloco);
    void tracarSegmentos(const Mapeamento& mapa, Bloco& bloco);
    void marcarPontos(Bloco& bloco);

    Coletor _coletor;
    // The mapping of the object being drawn.
    const Mapeamento* _mapa = nullptr;
    std::vector<PontoDeCamera> _naCamera;
    std::vector<NoObservador> _noObservador;
    std::vector<Coordenada> _par;
    std::vector<Coordenada> _poligono;
};

bool VistaExterna::Trabalhador::pixelDe(const Mapeamento& mapa, const PontoDeCamera& c, QPoint& pixel) const
{
    double x, y;
    return observador.dentroDaJanela(c, x, y) && paraPixel(mapa.aplicar(Coordenada(x, y, 0)), pixel);
}

bool VistaExterna::Trabalhador::tracar(const Mapeamento& mapa, const Coordenada& a, const Coordenada& b,
                                       std::vector<QLine>& saida)
{
    _par[0] = a;
    _par[1] = b;
    observador.iniciar();
    observador.polilinha(_par, false);
    const std::vector<Coordenada>& d = observador.desenho();
    QPoint p, q;
    if (d.size() < 2 || !paraPixel(mapa.aplicar(d[0]), p) || !paraPixel(mapa.aplicar(d[1]), q))
        return false;
    saida.emplace_back(p, q);
    return true;
}

void VistaExterna::Trabalhador::pedaco(const Mapeamento& mapa, std::size_t i, std::size_t j, double s, double e,
                                       std::vector<QLine>& saida, std::size_t desde)
{
    const NoObservador& a = _noObservador[i];
    const NoObservador& b = _noObservador[j];
    // Wholly inside the observer's view, so is every piece: its ends are projected as they are.
    if (a.dentro && b.dentro) {
        QPoint p = a.pixel;
        QPoint q = b.pixel;
        if ((s <= 0 || pixelDe(mapa, interpolar(a.c, b.c, s), p)) && (e >= 1 || pixelDe(mapa, interpolar(a.c, b.c, e), q))) {
            // A piece of one pixel where the last one of this object begins or ends adds nothing; in
            // this overview, where most objects are a few pixels wide, such pieces are many.
            if (p == q && saida.size() > desde && (saida.back().p1() == p || saida.back().p2() == p))
                return;
            saida.emplace_back(p, q);
            return;
        }
    }
    const Coordenada& va = _coletor.vertices[i];
    const Coordenada& vb = _coletor.vertices[j];
    tracar(mapa, s > 0 ? pontoEntre(va, vb, s) : va, e < 1 ? pontoEntre(va, vb, e) : vb, saida);
}

void VistaExterna::Trabalhador::preencher(const Mapeamento& mapa, const std::vector<Coordenada>& poligono,
                                          bool visivel, Bloco& bloco)
{
    observador.iniciar();
    observador.poligonoPreenchido(poligono);
    const std::size_t inicio = bloco.pontos.size();
    QPoint p;
    for (const Coordenada& c : observador.desenho())
        if (paraPixel(mapa.aplicar(c), p))
            bloco.pontos.push_back(p);
    if (bloco.pontos.size() - inicio >= 3)
        bloco.preenchimentos.push_back({inicio, bloco.pontos.size(), visivel});
    else
        bloco.pontos.resize(inicio);
}

void VistaExterna::Trabalhador::desenhar(const Objeto& objeto, const Mapeamento& mapa, Bloco& bloco)
{
    _mapa = &mapa;
    _coletor.limpar();
    objeto.descreverGeometria(_coletor);
    projetarVertices(mapa, bloco);
    preencherPoligonos(mapa, bloco);
    tracarSegmentos(mapa, bloco);
    marcarPontos(bloco);
    bloco.desenhos.push_back({bloco.visiveis.size(), bloco.preenchimentos.size(), objeto.cor().qcolor(), &objeto});
}

void VistaExterna::Trabalhador::projetarVertices(const Mapeamento& mapa, Bloco& bloco)
{
    // Each vertex once into both cameras.
    _naCamera.clear();
    _noObservador.clear();
    for (const Coordenada& v : _coletor.vertices) {
        const PontoDeCamera c = camera.paraCamera(v);
        // A NaN depth is no depth: max keeps what it had.
        bloco.profundidade = std::max(bloco.profundidade, c.z);
        _naCamera.push_back(c);
        NoObservador o{observador.paraCamera(v), QPoint(), false};
        o.dentro = pixelDe(mapa, o.c, o.pixel);
        _noObservador.push_back(o);
    }
}

void VistaExterna::Trabalhador::preencherPoligonos(const Mapeamento& mapa, Bloco& bloco)
{
    // A fill the main camera keeps whole is drawn from its vertices; one it cuts is drawn faded
    // whole, and what the camera fills of it (its drawing list, back in the world) over it.
    const std::vector<Coordenada>& vertices = _coletor.vertices;
    for (const auto& [inicio, fim] : _coletor.poligonos) {
        _poligono.assign(vertices.begin() + static_cast<std::ptrdiff_t>(inicio),
                         vertices.begin() + static_cast<std::ptrdiff_t>(fim));
        double x, y;
        bool inteiro = true;
        for (std::size_t k = inicio; k < fim && inteiro; ++k)
            inteiro = camera.dentroDaJanela(_naCamera[k], x, y);
        if (inteiro) {
            preencher(mapa, _poligono, true, bloco);
            continue;
        }
        preencher(mapa, _poligono, false, bloco);
        camera.iniciar();
        camera.poligonoPreenchido(_poligono);
        _poligono.clear();
        for (const Coordenada& c : camera.desenho())
            _poligono.push_back(camera.paraMundo(c));
        if (_poligono.size() >= 3)
            preencher(mapa, _poligono, true, bloco);
    }
}

void VistaExterna::Trabalhador::tracarSegmentos(const Mapeamento& mapa, Bloco& bloco)
{
    // Cut-away lines are all drawn alike: any of them may stand for another's pixel.
    const std::size_t visiveis = bloco.visiveis.size();
    for (const auto& [i, j] : _coletor.segmentos) {
        double t0, t1;
        if (!camera.trechoVisivel(_naCamera[i], _naCamera[j], t0, t1)) {
            pedaco(mapa, i, j, 0, 1, bloco.cortadas, 0);
            continue;
        }
        if (t0 > 0)
            pedaco(mapa, i, j, 0, t0, bloco.cortadas, 0);
        pedaco(mapa, i, j, t0, t1, bloco.visiveis, visiveis);
        if (t1 < 1)
            pedaco(mapa, i, j, t1, 1, bloco.cortadas, 0);
    }
}

void VistaExterna::Trabalhador::marcarPontos(Bloco& bloco)
{
    for (const std::size_t k : _coletor.soltos) {
        const NoObservador& o = _noObservador[k];
        if (!o.dentro)
            continue;
        double t0, t1;
        std::vector<QLine>& lista = camera.trechoVisivel(_naCamera[k], _naCamera[k], t0, t1) ? bloco.visiveis
                                                                                              : bloco.cortadas;
        // A cross, as the canvas marks a point.
        const QPoint& p = o.pixel;
        lista.emplace_back(p.x() - 2, p.y() + 2, p.x() + 2, p.y() - 2);
        lista.emplace_back(p.x() + 2, p.y() + 2, p.x() - 2, p.y() - 2);
    }
}

VistaExterna::VistaExterna(QWidget* parent) : QViewport(parent), _acao(new QAction(QStringLiteral("Vista Externa"), this))
{
    setObjectName(QStringLiteral("vistaExterna"));
    setMinimumSize(300, 300);
    hide();
    _acao->setObjectName(QStringLiteral("actionVistaExterna"));
    _acao->setCheckable(true);
    connect(_acao, &QAction::toggled, this, &VistaExterna::mostrar);
}

VistaExterna::~VistaExterna() = default;

void VistaExterna::colocarAoLado(QSplitter& divisao)
{
    divisao.addWidget(this);
    divisao.setCollapsible(divisao.indexOf(this), false);
    // Grows with the window as the canvas does.
    divisao.setStretchFactor(divisao.indexOf(this), 1);
    _divisao = &divisao;
}

void VistaExterna::mostrar(bool mostrar)
{
    const int i = _divisao != nullptr ? _divisao->indexOf(this) : -1;
    if (i < 1) {
        setVisible(mostrar);
    } else {
        // The splitter would share the space with every pane, the side panel's among them.
        QList<int> larguras = _divisao->sizes();
        const int juntas = larguras[i - 1] + larguras[i];
        // Beside this view the canvas may be as narrow as it, so that both fit with the side panel
        // and the inspector on a screen 1366 pixels wide; hidden, it gives back the least width the
        // canvas's own layout asks for.
        _divisao->widget(i - 1)->setMinimumWidth(mostrar ? minimumWidth() : 0);
        setVisible(mostrar);
        larguras[i] = mostrar ? juntas / 2 : 0;
        larguras[i - 1] = juntas - larguras[i];
        _divisao->setSizes(larguras);
    }
    // Framed once the layout has given it its size, so that the scene fits its proportions.
    if (mostrar)
        QMetaObject::invokeMethod(this, &VistaExterna::enquadrar, Qt::QueuedConnection);
}

void VistaExterna::observar(QViewport& principal)
{
    if (_principal != nullptr)
        _principal->removeEventFilter(this);
    _principal = &principal;
    mostrarCena(*principal.displayFile());
    if (principal.documento() != nullptr)
        seguir(*principal.documento());
    principal.installEventFilter(this);
    enquadrar();
}

bool VistaExterna::eventFilter(QObject* objeto, QEvent* evento)
{
    // The main canvas repaints on every change of its camera, scene or selection, including those
    // made straight on its camera: this view then repaints if what it shows changed.
    if (objeto == _principal && evento->type() == QEvent::Paint && isVisible() && imagemDesatualizada())
        update();
    return QViewport::eventFilter(objeto, evento);
}

bool VistaExterna::imagemDesatualizada() const
{
    return Renderizador::imagemDesatualizada()
           || (_principal != nullptr
               && (!_origemDaCamera.igual(*_principal->janela()) || _principal->selecionado() != _selecionadoPintado
                   || std::make_pair(_principal->objetoMarcado(), _principal->verticeMarcado()) != _marcaPintada));
}

void VistaExterna::enquadrar()
{
    if (_principal == nullptr)
        return;
    const Window& camera = *_principal->janela();
    const Vetor u = camera.viewRightVector();
    const Vetor v = camera.viewUpVector();
    // The camera and the corners of the scene's box: framing every point of a large model would
    // cost a few hundred passes over them.
    std::vector<Coordenada> pontos = pontosDaCamera(camera);
    const auto caixa = caixaDaCena(*displayFile());
    if (caixa)
        for (int k = 0; k < 8; ++k)
            pontos.emplace_back((k & 1 ? caixa->second : caixa->first).x(), (k & 2 ? caixa->second : caixa->first).y(),
                                (k & 4 ? caixa->second : caixa->first).z());
    pontos.erase(std::remove_if(pontos.begin(), pontos.end(), [](const Coordenada& p) { return !finita(p); }),
                 pontos.end());
    const Coordenada c = camera.centro();
    Coordenada minimo = c;
    Coordenada maximo = c;
    for (const Coordenada& p : pontos) {
        minimo = Coordenada(std::min(minimo.x(), p.x()), std::min(minimo.y(), p.y()), std::min(minimo.z(), p.z()));
        maximo = Coordenada(std::max(maximo.x(), p.x()), std::max(maximo.y(), p.y()), std::max(maximo.z(), p.z()));
    }
    const Coordenada meio((minimo.x() + maximo.x()) / 2, (minimo.y() + maximo.y()) / 2, (minimo.z() + maximo.z()) / 2);
    double raio = std::hypot(maximo.x() - minimo.x(), maximo.y() - minimo.y(), maximo.z() - minimo.z()) / 2;
    if (!(raio > 0))
        raio = 1;

    // Behind the main camera (against n), to its right (û) and above it (v̂).
    const Vetor direcao = (-camera.direcaoDeVisao() + u.normalizado() * 0.6 + v.normalizado() * 0.6).normalizado();
    const Coordenada olho = meio + direcao * (3 * raio);
    // A sphere of that radius seen from three radii away spans about ±1.06 radii on the plane
    // through its centre: a little more, stretched to the canvas's proportions.
    const double proporcao = altura() > 0 && largura() > 0 ? largura() / static_cast<double>(altura()) : 1.0;
    const double meiaLargura = 1.25 * raio * std::max(1.0, proporcao);
    const double meiaAltura = 1.25 * raio * std::max(1.0, 1.0 / proporcao);
    try {
        *janela() = Window(meio - Vetor(meiaLargura, meiaAltura, 0), meio + Vetor(meiaLargura, meiaAltura, 0), olho);
    } catch (const std::invalid_argument&) {
        // A scene too large or too small for a camera that can be saved: the observer stays.
    }
    // From there, as close as the camera and the scene allow: the sphere round their box leaves
    // most of the view empty.
    janela()->enquadrar(pontos, 0.05);
    janela()->atualizarCPP(*displayFile());
    update();
}

void VistaExterna::atualizarDesenho()
{
    const Window& principal = *_principal->janela();
    const Mapeamento mapa = mapeamento();
    const bool mesmoMapa = mapa.aX == _mapa.aX && mapa.bX == _mapa.bX && mapa.aY == _mapa.aY && mapa.bY == _mapa.bY;
    if (mesmoMapa && _origemDaCamera.igual(principal) && _origemDoObservador.igual(*janela()))
        return;
    // Forgotten first: should the work throw, the next paint does it again.
    _origemDaCamera.esquecer();
    _origemDoObservador.esquecer();
    _mapa = mapa;

    const std::vector<Objeto*>& objetos = displayFile()->listaDeObjetos;
    const Projetor camera = principal.projetor();
    const Projetor observador = janela()->projetor();
    const std::size_t trabalhadores = trabalhadoresPara(objetos.size());
    for (const auto& t : _trabalhadores) {
        t->camera = camera;
        t->observador = observador;
    }
    while (_trabalhadores.size() < trabalhadores)
        _trabalhadores.push_back(std::make_unique<Trabalhador>(camera, observador));
    _blocos.resize((objetos.size() + Blocos::tamanho - 1) / Blocos::tamanho);
    repartir(objetos.size(), [this, &objetos](std::size_t t, Blocos& blocos) {
        Trabalhador& trabalhador = *_trabalhadores[t];
        std::size_t numero, inicio, fim;
        while (blocos.proximo(numero, inicio, fim)) {
            Bloco& bloco = _blocos[numero];
            bloco.limpar();
            for (std::size_t i = inicio; i < fim; ++i)
                if (objetos[i] != nullptr)
                    trabalhador.desenhar(*objetos[i], _mapa, bloco);
            // The dash pattern's first dash is 4 pixels: it draws a line of up to 4 pixels whole, as a
            // plain pen does faster. Most lines of this overview are that short.
            const auto curta = [](const QLine& l) { return std::max(std::abs(l.dx()), std::abs(l.dy())) <= 3; };
            bloco.curtas = static_cast<std::size_t>(
                std::partition(bloco.cortadas.begin(), bloco.cortadas.end(), curta) - bloco.cortadas.begin());
        }
    });
    _profundidadeMaxima = 0;
    for (const Bloco& bloco : _blocos)
        _profundidadeMaxima = std::max(_profundidadeMaxima, bloco.profundidade);
    _origemDaCamera.registrar(principal);
    _origemDoObservador.registrar(*janela());
}

void VistaExterna::repintar()
{
    if (_principal != nullptr)
        atualizarDesenho();
    iniciarPintura();
    if (_principal == nullptr) {
        finalizarPintura();
        return;
    }
    QPainter& pintor = pintorAtivo();
    pintor.setRenderHint(QPainter::Antialiasing, false);
    // What the main camera cuts away goes underneath what it draws.
    pintarCortado(pintor);
    _selecionadoPintado = _principal->selecionado();
    for (const Bloco& bloco : _blocos)
        pintarVisivel(pintor, bloco, _selecionadoPintado);
    pintarCamera(_profundidadeMaxima);
    finalizarPintura();
}

void VistaExterna::pintarCortado(QPainter& pintor)
{
    // Faded fills, then dashed lines.
    pintor.setPen(Qt::NoPen);
    for (const Bloco& bloco : _blocos) {
        std::size_t p = 0;
        for (const Bloco::Desenho& d : bloco.desenhos) {
            for (; p < d.fimDosPreenchimentos; ++p) {
                const Bloco::Preenchimento& f = bloco.preenchimentos[p];
                if (f.visivel)
                    continue;
                pintor.setBrush(desbotada(d.cor));
                pintor.drawPolygon(bloco.pontos.data() + f.inicio, static_cast<int>(f.fim - f.inicio), Qt::OddEvenFill);
            }
        }
    }
    pintor.setBrush(Qt::NoBrush);
    const QColor cinza(190, 190, 190);
    pintor.setPen(QPen(cinza, 1));
    for (const Bloco& bloco : _blocos) {
        if (pixelsAMao())
            tracarNosPixels(bloco.cortadas.data(), bloco.curtas, cinza.rgb());
        else
            pintor.drawLines(bloco.cortadas.data(), static_cast<int>(bloco.curtas));
    }
    pintor.setPen(QPen(cinza, 1, Qt::DashLine));
    for (const Bloco& bloco : _blocos)
        pintor.drawLines(bloco.cortadas.data() + bloco.curtas, static_cast<int>(bloco.cortadas.size() - bloco.curtas));
}

void VistaExterna::pintarVisivel(QPainter& pintor, const Bloco& bloco, const Objeto* selecionado)
{
    std::size_t linha = 0;
    std::size_t p = 0;
    for (const Bloco::Desenho& d : bloco.desenhos) {
        for (; p < d.fimDosPreenchimentos; ++p) {
            const Bloco::Preenchimento& f = bloco.preenchimentos[p];
            if (!f.visivel)
                continue;
            pintor.setPen(Qt::NoPen);
            pintor.setBrush(d.cor);
            pintor.drawPolygon(bloco.pontos.data() + f.inicio, static_cast<int>(f.fim - f.inicio), Qt::OddEvenFill);
            pintor.setBrush(Qt::NoBrush);
        }
        if (d.fimDasVisiveis > linha) {
            const bool largo = d.objeto == selecionado;
            if (!largo && d.cor.alpha() == 255 && pixelsAMao()) {
                tracarNosPixels(bloco.visiveis.data() + linha, d.fimDasVisiveis - linha, d.cor.rgb());
            } else {
                QPen caneta(d.cor, largo ? 3 : 1);
                caneta.setCapStyle(Qt::RoundCap);
                pintor.setPen(caneta);
                pintor.drawLines(bloco.visiveis.data() + linha, static_cast<int>(d.fimDasVisiveis - linha));
            }
        }
        linha = d.fimDasVisiveis;
    }
}

void VistaExterna::pintarCamera(double profundidadeMaxima)
{
    QPainter& pintor = pintorAtivo();
    Trabalhador& t = *_trabalhadores.front();
    const Vista& vista = t.camera.vista();
    // Depths beyond the window's plane, as projecao.h measures them: the near plane's; where the
    // projectors start, at the COP in perspective and at the near plane in a parallel projection;
    // and where they end, at the far side of the scene and at least at the window.
    const double perto = vista.perto - vista.distancia;
    const double inicio = vista.paralela ? perto : -vista.distancia;
    const double fim = std::max(profundidadeMaxima - vista.distancia, 0.0);
    const auto canto = [this](int i, double z) { return cantoDaCamera(i, z); };

    std::vector<QLine> linhas;
    const auto desenhar = [&](const QPen& caneta) {
        pintor.setPen(caneta);
        pintor.drawLines(linhas.data(), static_cast<int>(linhas.size()));
        linhas.clear();
    };
    // A pyramid from the COP, or a box of parallel projectors closed at its far end.
    for (int i = 0; i < 4; ++i) {
        t.tracar(_mapa, canto(i, inicio), canto(i, fim), linhas);
        if (vista.paralela)
            t.tracar(_mapa, canto(i, fim), canto(i + 1, fim), linhas);
    }
    desenhar(QPen(corDosProjetores, 1));
    for (int i = 0; i < 4; ++i)
        t.tracar(_mapa, canto(i, perto), canto(i + 1, perto), linhas);
    desenhar(QPen(QColor(200, 0, 200), 2));
    for (int i = 0; i < 4; ++i)
        t.tracar(_mapa, canto(i, 0), canto(i + 1, 0), linhas);
    desenhar(QPen(QColor(0, 0, 230), 2));
    pintarProjetorDoVertice(inicio);
    rotularCamera(inicio, perto, vista.paralela);
}

Coordenada VistaExterna::cantoDaCamera(int i, double z) const
{
    const Projetor& camera = _trabalhadores.front()->camera;
    const Retangulo& r = camera.vista().retangulo;
    const bool direita = i % 4 == 1 || i % 4 == 2;
    const bool cima = i % 4 >= 2;
    return camera.paraMundo(Coordenada(direita ? r.xMax : r.xMin, cima ? r.yMax : r.yMin, z));
}

void VistaExterna::rotularCamera(double inicio, double perto, bool paralela)
{
    Trabalhador& t = *_trabalhadores.front();
    std::vector<QLine> linhas;
    // The eye's labels first: they are placed first, nearest their points.
    _rotulos.clear();
    _lupa = QRect();
    pintarOlho(inicio, paralela);
    std::vector<RotuloNaTela> daLupa;
    QRect planoNaLupa;
    if (paralela) {
        // As large as the window here: labelled at a corner of its own that is in sight.
        for (int i = 0; i < 4; ++i)
            if (t.tracar(_mapa, cantoDaCamera(i, perto), cantoDaCamera(i, perto), linhas)) {
                _rotulos.push_back(rotulo(QStringLiteral("Plano próximo"), linhas.back().p1(), true));
                break;
            }
    } else {
        pintarLupa(daLupa, planoNaLupa);
    }
    if (t.tracar(_mapa, cantoDaCamera(3, 0), cantoDaCamera(3, 0), linhas))
        _rotulos.push_back(rotulo(QStringLiteral("Window"), linhas.back().p1(), false));
    pintarRotulos(daLupa, planoNaLupa);
}

void VistaExterna::pintarOlho(double inicio, bool paralela)
{
    Trabalhador& t = *_trabalhadores.front();
    std::vector<QLine> linhas;
    const Coordenada olho = t.camera.paraMundo(Coordenada(0, 0, inicio));
    if (!t.tracar(_mapa, olho, olho, linhas))
        return;
    const QPoint p = linhas.back().p1();
    if (paralela) {
        pintarDirecaoDeProjecao(p);
    } else {
        QPainter& pintor = pintorAtivo();
        pintor.setPen(QPen(Qt::black, 1));
        pintor.setBrush(Qt::black);
        pintor.drawEllipse(p, 4, 4);
        pintor.setBrush(Qt::NoBrush);
    }
    // On the side away from the window, where the pyramid does not run.
    const Coordenada c = _principal->janela()->centro();
    const bool aEsquerda = t.tracar(_mapa, c, c, linhas) && linhas.back().p1().x() > p.x();
    _rotulos.push_back(rotulo(paralela ? QStringLiteral("DOP") : QStringLiteral("COP"), p, aEsquerda));
}

void VistaExterna::pintarDirecaoDeProjecao(QPoint inicio)
{
    // From the near plane's centre to the window's, with its head drawn on the screen.
    Trabalhador& t = *_trabalhadores.front();
    std::vector<QLine> linhas;
    const Coordenada centro = t.camera.paraMundo(Coordenada(0, 0, 0));
    if (!t.tracar(_mapa, centro, centro, linhas) || linhas.back().p1() == inicio)
        return;
    const QPointF ponta = linhas.back().p1();
    const QPointF ao = QPointF(inicio) - ponta;
    const double comprimento = std::hypot(ao.x(), ao.y());
    const QPointF para = ao / comprimento * 10.0;
    // ±25° off the shaft.
    const double c = std::cos(0.436), s = std::sin(0.436);
    const QPointF lados[2] = {{para.x() * c - para.y() * s, para.x() * s + para.y() * c},
                              {para.x() * c + para.y() * s, -para.x() * s + para.y() * c}};
    QPainter& pintor = pintorAtivo();
    pintor.setPen(QPen(corDosProjetores, 2));
    pintor.drawLine(QPointF(inicio), ponta);
    pintor.drawLine(ponta, ponta + lados[0]);
    pintor.drawLine(ponta, ponta + lados[1]);
}

bool VistaExterna::pixelExato(const Coordenada& p, QPointF& pixel) const
{
    const Projetor& observador = _trabalhadores.front()->observador;
    const PontoDeCamera c = observador.paraCamera(p);
    if (!(c.z > observador.vista().perto))
        return false;
    double x, y;
    observador.vista().projetar(c, x, y);
    pixel = QPointF(x * _mapa.aX + _mapa.bX, y * _mapa.aY + _mapa.bY);
    return std::isfinite(pixel.x()) && std::isfinite(pixel.y());
}

void VistaExterna::pintarLupa(std::vector<RotuloNaTela>& rotulos, QRect& plano)
{
    const Projetor& camera = _trabalhadores.front()->camera;
    const Vista& vista = camera.vista();
    // Depths beyond the window: the COP's, the near plane's, and where the pyramid's edges leave the inset.
    const double profundidades[3] = {-vista.distancia, vista.perto - vista.distancia, 3 * vista.perto - vista.distancia};
    QPointF olho;
    QPointF cantos[2][4];
    if (!pixelExato(camera.paraMundo(Coordenada(0, 0, profundidades[0])), olho))
        return;
    // Framed on the COP and the near plane together, which fill half of it.
    QPointF menor = olho;
    QPointF maior = olho;
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 4; ++i) {
            if (!pixelExato(cantoDaCamera(i, profundidades[k + 1]), cantos[k][i]))
                return;
            if (k == 0) {
                menor = QPointF(std::min(menor.x(), cantos[k][i].x()), std::min(menor.y(), cantos[k][i].y()));
                maior = QPointF(std::max(maior.x(), cantos[k][i].x()), std::max(maior.y(), cantos[k][i].y()));
            }
        }
    const QRectF juntos(menor, maior);
    // Wide enough for its label.
    const QString texto = QStringLiteral("Plano próximo");
    const int lado = std::max(std::min(std::min(largura(), altura()) / 4, 200), rotulo(texto, QPoint(), false).tamanho.width() + 16);
    const double extensao = std::max(juntos.width(), juntos.height());
    if (!(extensao > 0 && std::isfinite(extensao)) || std::min(largura(), altura()) < 2 * lado + 2 * margemDaLupa)
        return;
    _lupa = cantoDaLupa(lado, olho);
    const double aumento = 0.5 * lado / extensao;
    const QPointF meio = QRectF(_lupa).center();
    const QPointF centro = juntos.center();
    olho = meio + (olho - centro) * aumento;
    for (auto& linha : cantos)
        for (QPointF& q : linha)
            q = meio + (q - centro) * aumento;
    // What its label keeps clear of.
    plano = QRectF(meio + (menor - centro) * aumento, meio + (maior - centro) * aumento).toAlignedRect();
    pintarNaLupa(olho, cantos);
    // Over the drawing, or under it, where the inset has room for it.
    rotulos.push_back(rotulo(texto, QPoint(plano.center().x(), plano.top()), false));
}

void VistaExterna::pintarNaLupa(QPointF olho, const QPointF (&cantos)[2][4])
{
    QPainter& pintor = pintorAtivo();
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing, true);
    pintor.setPen(QPen(QColor(160, 160, 160), 1));
    pintor.setBrush(Qt::white);
    pintor.drawRect(_lupa);
    pintor.setClipRect(_lupa.adjusted(1, 1, 0, 0));
    pintor.setPen(QPen(corDosProjetores, 1));
    for (int i = 0; i < 4; ++i)
        pintor.drawLine(olho, cantos[1][i]);
    pintor.setPen(QPen(QColor(200, 0, 200), 2));
    pintor.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i)
        pintor.drawLine(cantos[0][i], cantos[0][(i + 1) % 4]);
    pintor.setPen(QPen(Qt::black, 1));
    pintor.setBrush(Qt::black);
    pintor.drawEllipse(olho, 3, 3);
    pintor.restore();
}

QRect VistaExterna::cantoDaLupa(int lado, QPointF olho) const
{
    // Inside the frame; the window's corners are kept in sight where a corner of the view allows.
    const int direita = largura() - margemDaLupa - lado;
    const int baixo = altura() - margemDaLupa - lado;
    const QRect cantos[4] = {{margemDaLupa, margemDaLupa, lado, lado}, {direita, margemDaLupa, lado, lado},
                             {margemDaLupa, baixo, lado, lado}, {direita, baixo, lado, lado}};
    const auto cobreAJanela = [this](const QRect& q) {
        QPointF p;
        for (int i = 0; i < 4; ++i)
            if (pixelExato(cantoDaCamera(i, 0), p) && QRectF(q).contains(p))
                return true;
        return false;
    };
    const auto pior = [&](const QRect& a, const QRect& b) {
        const bool cobreA = cobreAJanela(a);
        if (cobreA != cobreAJanela(b))
            return cobreA;
        return std::hypot(a.center().x() - olho.x(), a.center().y() - olho.y())
               < std::hypot(b.center().x() - olho.x(), b.center().y() - olho.y());
    };
    return *std::max_element(std::begin(cantos), std::end(cantos), pior);
}

RotuloNaTela VistaExterna::rotulo(const QString& texto, QPoint p, bool aEsquerda)
{
    const QFontMetrics medidas = pintorAtivo().fontMetrics();
    return {texto, p, QSize(medidas.horizontalAdvance(texto) + 4, medidas.height()), aEsquerda, QRect()};
}

void VistaExterna::pintarRotulos(std::vector<RotuloNaTela>& daLupa, const QRect& planoNaLupa)
{
    disporRotulos(daLupa, _lupa.adjusted(2, 2, -2, -2), {planoNaLupa});
    std::vector<QRect> ocupados;
    if (!_lupa.isEmpty())
        ocupados.push_back(_lupa);
    disporRotulos(_rotulos, rect().adjusted(2, 2, -2, -2), ocupados);
    _rotulos.insert(_rotulos.end(), daLupa.begin(), daLupa.end());
    QPainter& pintor = pintorAtivo();
    pintor.setPen(QPen(Qt::black, 1));
    for (const RotuloNaTela& r : _rotulos)
        if (!r.caixa.isEmpty())
            pintor.drawText(r.caixa, Qt::AlignCenter, r.texto);
}

void VistaExterna::pintarProjetorDoVertice(double inicio)
{
    _marcaPintada = {_principal->objetoMarcado(), _principal->verticeMarcado()};
    Coordenada vertice;
    if (!_principal->verticeMarcadoNaCena(vertice))
        return;
    const EstagiosDoVertice e = estagiosDoVertice(*_principal->janela(), vertice);
    if (!e.projetado)
        return;
    // Its projector, from the COP or the near plane, through the window to the vertex; rings where
    // it crosses the window and on the vertex.
    Trabalhador& t = *_trabalhadores.front();
    std::vector<QLine> linhas;
    t.tracar(_mapa, t.camera.paraMundo(Coordenada(e.xPlano, e.yPlano, inicio)), vertice, linhas);
    QPainter& pintor = pintorAtivo();
    pintor.setPen(QPen(corDaMarca, 1));
    pintor.drawLines(linhas.data(), static_cast<int>(linhas.size()));
    linhas.clear();
    const Coordenada noPlano = t.camera.paraMundo(Coordenada(e.xPlano, e.yPlano, 0));
    t.tracar(_mapa, noPlano, noPlano, linhas);
    t.tracar(_mapa, vertice, vertice, linhas);
    pintor.setPen(QPen(corDaMarca, 2));
    for (const QLine& l : linhas)
        pintor.drawEllipse(l.p1(), 4, 4);
}

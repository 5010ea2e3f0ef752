#include "vistaexterna.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include <QEvent>
#include <QPainter>
#include <QPen>

#include "cor.h"
#include "curvas.h"
#include "displayfile.h"
#include "objeto.h"
#include "projetor.h"
#include "vetor.h"
#include "window.h"

namespace {

// Steps per cubic segment of a curve: enough for the size a curve has in this overview, and few
// enough that curves do not make most of its cost.
constexpr int passosPorBezier = 8;

Coordenada pontoEntre(const Coordenada& a, const Coordenada& b, double t)
{
    return a + Vetor(a, b) * t;
}

} // namespace

void VistaExterna::Coletor::pontos(const std::vector<Coordenada>& pontos)
{
    soltos.insert(soltos.end(), pontos.begin(), pontos.end());
}

void VistaExterna::Coletor::polilinha(const std::vector<Coordenada>& pontos, bool fechada)
{
    for (std::size_t i = 1; i < pontos.size(); ++i)
        segmentos.emplace_back(pontos[i - 1], pontos[i]);
    if (fechada && pontos.size() > 2)
        segmentos.emplace_back(pontos.back(), pontos.front());
}

void VistaExterna::Coletor::poligonoPreenchido(const std::vector<Coordenada>& vertices)
{
    // Its outline: the fill would hide the camera's pieces behind it.
    polilinha(vertices, true);
}

void VistaExterna::Coletor::arestas(const std::vector<Coordenada>& vertices,
                                    const std::vector<std::pair<int, int>>& arestas)
{
    for (const auto& [i, j] : arestas)
        if (arestaValida(i, j, vertices.size()))
            segmentos.emplace_back(vertices[static_cast<std::size_t>(i)], vertices[static_cast<std::size_t>(j)]);
}

void VistaExterna::Coletor::bezier(const std::vector<Coordenada>& controles)
{
    const std::size_t n = controles.size();
    if (!controlesDeBezier.aceita(n))
        return;
    for (std::size_t i = 0; i + 3 < n; i += 3) {
        PontoDeCamera c[4];
        for (std::size_t k = 0; k < 4; ++k)
            c[k] = {controles[i + k].x(), controles[i + k].y(), controles[i + k].z()};
        Coordenada anterior = controles[i];
        for (int passo = 1; passo <= passosPorBezier; ++passo) {
            const PontoDeCamera p = pontoDeBezier(c, passo / static_cast<double>(passosPorBezier));
            const Coordenada atual(p.x, p.y, p.z);
            segmentos.emplace_back(anterior, atual);
            anterior = atual;
        }
    }
}

VistaExterna::VistaExterna(QWidget* parent) : QViewport(parent), _par(2)
{
}

void VistaExterna::observar(QViewport& principal)
{
    if (_principal != nullptr)
        _principal->removeEventFilter(this);
    _principal = &principal;
    mostrarCenaDe(principal);
    principal.installEventFilter(this);
    enquadrar();
}

bool VistaExterna::eventFilter(QObject* objeto, QEvent* evento)
{
    // The main canvas repaints on every change of its camera, scene or selection: so does this view.
    if (objeto == _principal && evento->type() == QEvent::Paint && isVisible())
        update();
    return QViewport::eventFilter(objeto, evento);
}

void VistaExterna::enquadrar()
{
    if (_principal == nullptr)
        return;
    const Window& camera = *_principal->janela();
    const Vetor u = camera.viewRightVector();
    const Vetor v = camera.viewUpVector();
    const Coordenada c = camera.centro();
    double minimo[3] = {c.x(), c.y(), c.z()};
    double maximo[3] = {c.x(), c.y(), c.z()};
    const auto incluir = [&minimo, &maximo](const Coordenada& p) {
        const double xyz[3] = {p.x(), p.y(), p.z()};
        if (!(std::isfinite(xyz[0]) && std::isfinite(xyz[1]) && std::isfinite(xyz[2])))
            return;
        for (int k = 0; k < 3; ++k) {
            minimo[k] = std::min(minimo[k], xyz[k]);
            maximo[k] = std::max(maximo[k], xyz[k]);
        }
    };
    incluir(camera.centroDeProjecao());
    for (double a : {-0.5, 0.5})
        for (double b : {-0.5, 0.5})
            incluir(c + u * a + v * b);
    for (const Objeto* o : displayFile()->listaDeObjetos)
        if (o != nullptr)
            for (const Coordenada& p : o->coordenadas())
                incluir(p);
    const Coordenada meio((minimo[0] + maximo[0]) / 2, (minimo[1] + maximo[1]) / 2, (minimo[2] + maximo[2]) / 2);
    double raio = std::hypot(maximo[0] - minimo[0], maximo[1] - minimo[1], maximo[2] - minimo[2]) / 2;
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
    janela()->atualizarCPP(*displayFile());
    update();
}

bool VistaExterna::tracar(Projetor& observador, const Coordenada& a, const Coordenada& b, std::vector<QLine>& saida)
{
    _par[0] = a;
    _par[1] = b;
    observador.iniciar();
    observador.polilinha(_par, false);
    const std::vector<Coordenada>& d = observador.desenho();
    QPoint p, q;
    if (d.size() < 2 || !paraPixel(_mapa.aplicar(d[0]), p) || !paraPixel(_mapa.aplicar(d[1]), q))
        return false;
    saida.emplace_back(p, q);
    return true;
}

void VistaExterna::repintar()
{
    iniciarPintura();
    if (_principal == nullptr) {
        finalizarPintura();
        return;
    }
    QPainter& pintor = pintorAtivo();
    pintor.setRenderHint(QPainter::Antialiasing, false);
    const Projetor camera = _principal->janela()->projetor();
    Projetor observador = janela()->projetor();
    _mapa = mapeamento();
    _visiveis.clear();
    _cortadas.clear();
    _trechos.clear();
    const Objeto* selecionado = _principal->selecionado();
    // How deep the scene reaches in front of the main camera: the pyramid is drawn that far.
    double profundidadeMaxima = 0;
    for (const Objeto* o : displayFile()->listaDeObjetos) {
        if (o == nullptr)
            continue;
        _coletor.segmentos.clear();
        _coletor.soltos.clear();
        o->descreverGeometria(_coletor);
        for (const auto& [a, b] : _coletor.segmentos) {
            profundidadeMaxima = std::max({profundidadeMaxima, camera.paraCamera(a).z, camera.paraCamera(b).z});
            double t0, t1;
            if (!camera.trechoVisivel(a, b, t0, t1)) {
                tracar(observador, a, b, _cortadas);
                continue;
            }
            const Coordenada inicio = t0 > 0 ? pontoEntre(a, b, t0) : a;
            const Coordenada fim = t1 < 1 ? pontoEntre(a, b, t1) : b;
            if (t0 > 0)
                tracar(observador, a, inicio, _cortadas);
            tracar(observador, inicio, fim, _visiveis);
            if (t1 < 1)
                tracar(observador, fim, b, _cortadas);
        }
        for (const Coordenada& p : _coletor.soltos) {
            profundidadeMaxima = std::max(profundidadeMaxima, camera.paraCamera(p).z);
            double t0, t1;
            std::vector<QLine>& lista = camera.trechoVisivel(p, p, t0, t1) ? _visiveis : _cortadas;
            const std::size_t antes = lista.size();
            if (!tracar(observador, p, p, lista))
                continue;
            // A cross, as the canvas marks a point.
            const QPoint centro = lista[antes].p1();
            lista.back() = QLine(centro.x() - 2, centro.y() + 2, centro.x() + 2, centro.y() - 2);
            lista.emplace_back(centro.x() + 2, centro.y() + 2, centro.x() - 2, centro.y() - 2);
        }
        _trechos.push_back({_visiveis.size(), o->cor().qcolor(), o == selecionado});
    }

    // What the main camera cuts away goes underneath what it draws.
    QPen tracejada(QColor(190, 190, 190), 1, Qt::DashLine);
    pintor.setPen(tracejada);
    pintor.drawLines(_cortadas.data(), static_cast<int>(_cortadas.size()));
    std::size_t inicio = 0;
    for (const Trecho& t : _trechos) {
        if (t.fim > inicio) {
            QPen caneta(t.cor, t.selecionado ? 3 : 1);
            caneta.setCapStyle(Qt::RoundCap);
            pintor.setPen(caneta);
            pintor.drawLines(_visiveis.data() + inicio, static_cast<int>(t.fim - inicio));
        }
        inicio = t.fim;
    }
    pintarCamera(observador, profundidadeMaxima);
    finalizarPintura();
}

void VistaExterna::pintarCamera(Projetor& observador, double profundidadeMaxima)
{
    QPainter& pintor = pintorAtivo();
    const Window& camera = *_principal->janela();
    const Coordenada cop = camera.centroDeProjecao();
    const Coordenada c = camera.centro();
    const Vetor u = camera.viewRightVector();
    const Vetor v = camera.viewUpVector();
    const double d = camera.distanciaFocal();
    // Corners in order round the rectangle.
    const Coordenada cantos[4] = {c - u * 0.5 - v * 0.5, c + u * 0.5 - v * 0.5, c + u * 0.5 + v * 0.5,
                                  c - u * 0.5 + v * 0.5};
    // The pyramid reaches the far side of the scene, and at least the window.
    const double alcance = std::max(profundidadeMaxima, d) / d;

    std::vector<QLine> linhas;
    const auto desenhar = [&](const QPen& caneta) {
        pintor.setPen(caneta);
        pintor.drawLines(linhas.data(), static_cast<int>(linhas.size()));
        linhas.clear();
    };
    for (int i = 0; i < 4; ++i)
        tracar(observador, cop, cop + Vetor(cop, cantos[i]) * alcance, linhas);
    desenhar(QPen(QColor(230, 140, 0), 1));
    for (int i = 0; i < 4; ++i)
        tracar(observador, cop + Vetor(cop, cantos[i]) * 0.01, cop + Vetor(cop, cantos[(i + 1) % 4]) * 0.01, linhas);
    desenhar(QPen(QColor(200, 0, 200), 2));
    for (int i = 0; i < 4; ++i)
        tracar(observador, cantos[i], cantos[(i + 1) % 4], linhas);
    desenhar(QPen(QColor(0, 0, 230), 2));

    pintor.setPen(QPen(Qt::black, 1));
    if (tracar(observador, cantos[3], cantos[3], linhas))
        pintor.drawText(linhas.back().p1() + QPoint(4, -4), QStringLiteral("Window"));
    linhas.clear();
    if (tracar(observador, cop, cop, linhas)) {
        const QPoint p = linhas.back().p1();
        pintor.setBrush(Qt::black);
        pintor.drawEllipse(p, 4, 4);
        pintor.setBrush(Qt::NoBrush);
        pintor.drawText(p + QPoint(7, -7), QStringLiteral("COP"));
    }
}

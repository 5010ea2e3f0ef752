#include "viewport.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "displayfile.h"
#include "objeto.h"
#include "projetor.h"
#include "window.h"
#include "xmldacena.h"

Viewport::Viewport()
    : _cenaPropria(std::make_unique<DisplayFile>()), _janelaPropria(std::make_unique<Window>(cameraInicial())),
      _displayFile(_cenaPropria.get()), _janela(_janelaPropria.get()), _projecao(std::make_unique<DisplayFile>())
{
}

namespace {

// The scene's objects in the order of their projected copies, which skip null entries.
std::vector<Objeto*> originais(const DisplayFile& cena)
{
    std::vector<Objeto*> lista;
    lista.reserve(cena.listaDeObjetos.size());
    for (Objeto* o : cena.listaDeObjetos)
        if (o != nullptr)
            lista.push_back(o);
    return lista;
}

double distanciaAoSegmento(double px, double py, const Coordenada& a, const Coordenada& b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double comprimento2 = dx * dx + dy * dy;
    double t = 0;
    if (comprimento2 > 0)
        t = std::clamp(((px - a.x()) * dx + (py - a.y()) * dy) / comprimento2, 0.0, 1.0);
    return std::hypot(px - (a.x() + t * dx), py - (a.y() + t * dy));
}

// How far (x, y) lies from what the canvas draws for the projected copy, in pixels; infinity when
// it draws nothing.
double distanciaAoDesenho(const Objeto& copia, const Window* janela, const Viewport::Mapeamento& mapa, double x,
                          double y)
{
    std::vector<Coordenada> pixels;
    pixels.reserve(static_cast<std::size_t>(std::max(0, copia.tamanhoDoDesenho(janela))));
    for (auto c = copia.inicioDoDesenho(janela), fim = copia.fimDoDesenho(janela); c != fim; ++c)
        pixels.push_back(c->isNull() ? Coordenada() : mapa.aplicar(*c));

    double menor = std::numeric_limits<double>::infinity();
    const char nivel = copia.nivelDePreenchimento();
    if (nivel == 2) {
        if (copia.numeroDeCoordenadas() <= 2 || pixels.size() < 3)
            return menor;
        // Even-odd, as the polygon is filled.
        bool dentro = false;
        for (std::size_t i = 0, j = pixels.size() - 1; i < pixels.size(); j = i++) {
            const Coordenada& a = pixels[i];
            const Coordenada& b = pixels[j];
            if ((a.y() > y) != (b.y() > y) && x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x())
                dentro = !dentro;
            menor = std::min(menor, distanciaAoSegmento(x, y, a, b));
        }
        return dentro ? 0.0 : menor;
    }
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Coordenada& p = pixels[i];
        if (p.isNull())
            continue;
        if (nivel == 0)
            menor = std::min(menor, std::hypot(x - p.x(), y - p.y()));
        else if (nivel == 1 && i + 1 < pixels.size() && !pixels[i + 1].isNull())
            menor = std::min(menor, distanciaAoSegmento(x, y, p, pixels[i + 1]));
    }
    return menor;
}

} // namespace

Viewport::~Viewport() = default;

void Viewport::mostrar(DisplayFile& cena, Window& camera)
{
    _displayFile = &cena;
    _janela = &camera;
    _cenaPropria.reset();
    _janelaPropria.reset();
}

void Viewport::mostrarCena(DisplayFile& cena)
{
    if (_janelaPropria == nullptr) {
        _janelaPropria = std::make_unique<Window>(*_janela);
        _janela = _janelaPropria.get();
    }
    _displayFile = &cena;
    _cenaPropria.reset();
    _janela->atualizarCPP(*_displayFile);
}

bool OrigemDaProjecao::igual(const Window& janela) const
{
    const DisplayFile* cena = janela.cena();
    if (!_registrada || cena != _cena || !(janela.centro() == _centro) || !(janela.viewRightVector() == _direita)
        || !(janela.viewUpVector() == _cima) || janela.distanciaFocal() != _distancia || janela.projecao() != _projecao
        || janela.recorte() != _recorte)
        return false;
    if (cena == nullptr)
        return true;
    const std::vector<Objeto*>& objetos = cena->listaDeObjetos;
    if (objetos.size() != _objetos.size())
        return false;
    for (std::size_t i = 0; i < objetos.size(); ++i) {
        const Objeto* o = objetos[i];
        if (o != _objetos[i].first || (o != nullptr && o->versao() != _objetos[i].second))
            return false;
    }
    return true;
}

void OrigemDaProjecao::registrar(const Window& janela)
{
    const DisplayFile* cena = janela.cena();
    _cena = cena;
    _objetos.clear();
    if (cena != nullptr)
        for (const Objeto* o : cena->listaDeObjetos)
            _objetos.emplace_back(o, o != nullptr ? o->versao() : 0);
    _centro = janela.centro();
    _direita = janela.viewRightVector();
    _cima = janela.viewUpVector();
    _distancia = janela.distanciaFocal();
    _projecao = janela.projecao();
    _recorte = janela.recorte();
    _registrada = true;
}

bool Viewport::atualizarProjecao(const std::function<void(std::size_t)>& prontos)
{
    if (_origem.igual(*_janela))
        return false;
    // Forgotten first: should the projection throw, the next paint tries again.
    _origem.esquecer();
    _janela->atualizarProjecao(*_projecao, prontos);
    _origem.registrar(*_janela);
    return true;
}

void Viewport::desenhar(Objeto* atual)
{
    const char nivel = atual->nivelDePreenchimento();
    if (nivel == 1)
        repintar1(atual);
    else if (nivel == 2)
        repintar2(atual);
    else if (nivel == 0)
        repintar0(atual);
    if (_debugInformation) {
        pintarInformacoes(atual);
        repintar0(atual);
    }
}

void Viewport::repintar()
{
    iniciarPintura();
    const std::vector<Objeto*>& copias = _projecao->listaDeObjetos;
    std::size_t desenhados = 0;
    const auto desenharAte = [&](std::size_t fim) {
        for (; desenhados < fim; ++desenhados)
            desenhar(copias[desenhados]);
    };
    try {
        // Objects are drawn, in order, as their copies come out of the projection.
        atualizarProjecao(desenharAte);
    } catch (...) {
        finalizarPintura();
        throw;
    }
    desenharAte(copias.size());
    Objeto* copiaDoSelecionado = nullptr;
    if (_selecionado != nullptr) {
        const std::vector<Objeto*> cena = originais(*_displayFile);
        const auto onde = std::find(cena.begin(), cena.end(), _selecionado);
        const auto i = static_cast<std::size_t>(onde - cena.begin());
        if (onde != cena.end() && i < copias.size())
            copiaDoSelecionado = copias[i];
    }
    if (copiaDoSelecionado != nullptr)
        pintarSelecao(copiaDoSelecionado);
    finalizarPintura();
}

bool Viewport::enquadrarTudo()
{
    // Own coordinates bound what is drawn: curves lie within their control points' hull.
    std::vector<Coordenada> pontos;
    for (const Objeto* o : _displayFile->listaDeObjetos)
        if (o != nullptr)
            pontos.insert(pontos.end(), o->inicioDasCoordenadas(), o->fimDasCoordenadas());
    return _janela->enquadrar(pontos, 0.05);
}

Objeto* Viewport::objetoEm(double x, double y, double raio) const
{
    const std::vector<Objeto*> cena = originais(*_displayFile);
    const DisplayFile projecao = _janela->coordenadasDePlanoDeProjecao();
    const Mapeamento mapa = mapeamento();
    Objeto* achado = nullptr;
    double menor = raio;
    // From the last drawn, so that only a strictly nearer object below takes its place.
    for (std::size_t i = std::min(cena.size(), projecao.listaDeObjetos.size()); i-- > 0;) {
        double d = distanciaAoDesenho(*projecao.listaDeObjetos[i], _janela, mapa, x, y);
        // On the drawn pixels counts as a hit like inside a fill: what lies on top there wins.
        if (d <= 1)
            d = 0;
        if (d < menor || (achado == nullptr && d <= menor)) {
            menor = d;
            achado = cena[i];
        }
    }
    return achado;
}

Viewport::Mapeamento Viewport::mapeamento() const
{
    const double larguraDaJanela = _janela->viewRightVector().modulo();
    const double alturaDaJanela = _janela->viewUpVector().modulo();

    const double xMaximoMundo = larguraDaJanela / 2;
    const double xMaximoWindow = largura() - 20;
    const double xMinimoWindow = 20;
    const double yMaximoMundo = alturaDaJanela / 2;
    const double yMaximoWindow = 20;
    const double yMinimoWindow = altura() - 20;

    Mapeamento m;
    m.aX = (xMaximoWindow - xMinimoWindow) / larguraDaJanela;
    m.bX = xMaximoWindow - xMaximoMundo * m.aX;
    m.aY = (yMaximoWindow - yMinimoWindow) / alturaDaJanela;
    m.bY = yMaximoWindow - yMaximoMundo * m.aY;
    return m;
}

Coordenada Viewport::viewportToWindow(double x, double y) const
{
    const Mapeamento m = mapeamento();
    return Coordenada((x - m.bX) / m.aX, (y - m.bY) / m.aY, 0);
}

void Viewport::persist(TiXmlNode* where) const
{
    XmlDaCena::escrever(where, *_janela, *_displayFile);
}

Window Viewport::cameraInicial()
{
    return Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
}

void Viewport::ler(TiXmlNode* where, Window& janela, DisplayFile& cena)
{
    XmlDaCena::ler(where, janela, cena);
}

void Viewport::restore(TiXmlNode* where)
{
    // Everything is read into new values first, so that a file the library rejects changes neither
    // the camera nor the scene.
    Window janela = *_janela;
    DisplayFile cena;
    ler(where, janela, cena);

    *_janela = janela;
    *_displayFile = std::move(cena);
    _janela->atualizarCPP(*_displayFile);
}

bool Viewport::verticeEm(double x, double y, double raio, Objeto*& objeto, int& indice) const
{
    const std::vector<Objeto*> cena = originais(*_displayFile);
    const Projetor projetor = _janela->projetor();
    const Mapeamento mapa = mapeamento();
    double menor = raio;
    bool achou = false;
    for (std::size_t i = cena.size(); i-- > 0;) {
        const std::vector<Coordenada>& vertices = cena[i]->coordenadas();
        for (std::size_t k = 0; k < vertices.size(); ++k) {
            double px, py;
            if (!projetor.dentroDaJanela(projetor.paraCamera(vertices[k]), px, py))
                continue;
            const Coordenada pixel = mapa.aplicar(Coordenada(px, py, 0));
            const double d = std::hypot(pixel.x() - x, pixel.y() - y);
            if (d < menor || (!achou && d <= menor)) {
                menor = d;
                objeto = cena[i];
                indice = static_cast<int>(k);
                achou = true;
            }
        }
    }
    return achou;
}

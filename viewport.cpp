#include "viewport.h"

#include <iostream>
#include <memory>

#include <tinyxml.h>

#include "displayfile.h"
#include "objeto.h"
#include "window.h"

Viewport::Viewport()
{
    auto janela = std::make_unique<Window>(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    auto displayFile = std::make_unique<DisplayFile>();
    _projecao = new DisplayFile();
    _displayFile = displayFile.release();
    _janela = janela.release();
}

Viewport::~Viewport()
{
    delete _projecao;
    delete _janela;
    delete _displayFile;
}

bool Viewport::mesmaOrigem() const
{
    const DisplayFile* cena = _janela->cena();
    if (!_projecaoFeita || cena != _origem.cena || !(_janela->centro() == _origem.centro)
        || !(_janela->viewRightVector() == _origem.direita) || !(_janela->viewUpVector() == _origem.cima)
        || _janela->distanciaFocal() != _origem.distancia)
        return false;
    if (cena == nullptr)
        return true;
    const std::vector<Objeto*>& objetos = cena->listaDeObjetos;
    if (objetos.size() != _origem.objetos.size())
        return false;
    for (std::size_t i = 0; i < objetos.size(); ++i) {
        const Objeto* o = objetos[i];
        if (o != _origem.objetos[i].first || (o != nullptr && o->versao() != _origem.objetos[i].second))
            return false;
    }
    return true;
}

bool Viewport::atualizarProjecao()
{
    if (mesmaOrigem())
        return false;
    // Marked undone first: should the projection throw, the next paint tries again.
    _projecaoFeita = false;
    _janela->atualizarProjecao(*_projecao);
    const DisplayFile* cena = _janela->cena();
    _origem.cena = cena;
    _origem.objetos.clear();
    if (cena != nullptr)
        for (const Objeto* o : cena->listaDeObjetos)
            _origem.objetos.emplace_back(o, o != nullptr ? o->versao() : 0);
    _origem.centro = _janela->centro();
    _origem.direita = _janela->viewRightVector();
    _origem.cima = _janela->viewUpVector();
    _origem.distancia = _janela->distanciaFocal();
    _projecaoFeita = true;
    return true;
}

void Viewport::repintar()
{
    atualizarProjecao();
    iniciarPintura();
    for (Objeto* atual : _projecao->listaDeObjetos) {
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
    finalizarPintura();
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

void Viewport::persist(TiXmlNode* where) const
{
    auto window = std::make_unique<TiXmlElement>("window");
    _janela->persist(window.get());
    where->LinkEndChild(window.release());
    _displayFile->persist(where);
}

void Viewport::restore(TiXmlNode* where)
{
    // Everything is read into new values first, so that a file the library rejects changes neither
    // the camera nor the scene.
    Window janela = *_janela;
    // An element: a comment that reads "window" is no camera.
    if (TiXmlElement* window = where->FirstChildElement("window"))
        janela.restore(window);
    else
        std::cerr << "Não há window especificada no arquivo XML, mantendo a window atual.";
    DisplayFile cena;
    cena.restore(where);

    *_janela = janela;
    *_displayFile = std::move(cena);
    _janela->atualizarCPP(*_displayFile);
}

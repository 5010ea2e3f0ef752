#include "viewport.h"

#include <cmath>
#include <iostream>
#include <memory>

#include <tinyxml.h>

#include "displayfile.h"
#include "objeto.h"
#include "window.h"

Viewport::Viewport()
    : _displayFile(nullptr), _janela(new Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10)))
{
    _displayFile = new DisplayFile();
}

Viewport::~Viewport()
{
    delete _janela;
    delete _displayFile;
}

void Viewport::repintar()
{
    iniciarPintura();
    const DisplayFile projecao = _janela->coordenadasDePlanoDeProjecao();
    for (Objeto* atual : projecao.listaDeObjetos) {
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

Coordenada Viewport::windowToViewport(const Coordenada& coordenada) const
{
    const double larguraDaJanela = _janela->viewRightVector().modulo();
    const double alturaDaJanela = _janela->viewUpVector().modulo();

    const double xMaximoMundo = larguraDaJanela / 2;
    const double xMaximoWindow = largura() - 20;
    const double xMinimoWindow = 20;
    const double yMaximoMundo = alturaDaJanela / 2;
    const double yMaximoWindow = 20;
    const double yMinimoWindow = altura() - 20;

    const double aX = (xMaximoWindow - xMinimoWindow) / larguraDaJanela;
    const double bX = xMaximoWindow - xMaximoMundo * aX;
    const double aY = (yMaximoWindow - yMinimoWindow) / alturaDaJanela;
    const double bY = yMaximoWindow - yMaximoMundo * aY;

    // std::round takes halves away from zero, as pixel positions must.
    return Coordenada(std::round(coordenada.x() * aX + bX), std::round(coordenada.y() * aY + bY), coordenada.z());
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
    if (TiXmlNode* window = where->FirstChild("window"))
        janela.restore(window);
    else
        std::cerr << "Não há window especificada no arquivo XML, mantendo a window atual.";
    DisplayFile cena;
    cena.restore(where);

    *_janela = janela;
    *_displayFile = std::move(cena);
    _janela->atualizarCPP(*_displayFile);
}

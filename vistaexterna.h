#ifndef VISTAEXTERNA_H
#define VISTAEXTERNA_H

#include <utility>
#include <vector>

#include <QColor>
#include <QLine>

#include "coordenada.h"
#include "geometria.h"
#include "qviewport.h"

class Projetor;
class QEvent;
class QObject;

// The main canvas's camera seen from outside: the main canvas's scene through this canvas's own
// camera (the observer, moved with the mouse like any canvas), with the main camera's centre of
// projection, its window, the edges of its viewing pyramid and its near plane. Each piece of an
// object is drawn in its colour where the main camera draws it and light grey, dashed, where the
// near plane or the window cuts it away; the split is the main camera's own (Projetor::trechoVisivel).
// It repaints whenever the main canvas does, so that every change of that camera, the scene or the
// selection shows here too.
class VistaExterna : public QViewport {
    Q_OBJECT

public:
    explicit VistaExterna(QWidget* parent);

    // Shows principal's scene and camera; principal must outlive this view.
    void observar(QViewport& principal);
    // Places the observer above, behind and to the right of the main camera, far enough that the
    // scene and the main camera both fit.
    void enquadrar();

    void repintar() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // The world geometry of one object as segments and loose points; curves become polylines.
    class Coletor : public Geometria {
    public:
        std::vector<std::pair<Coordenada, Coordenada>> segmentos;
        std::vector<Coordenada> soltos;

        void pontos(const std::vector<Coordenada>& pontos) override;
        void polilinha(const std::vector<Coordenada>& pontos, bool fechada) override;
        void poligonoPreenchido(const std::vector<Coordenada>& vertices) override;
        void arestas(const std::vector<Coordenada>& vertices, const std::vector<std::pair<int, int>>& arestas) override;
        void bezier(const std::vector<Coordenada>& controles) override;
    };

    // Adds to saida the pixels of the world segment a–b as the observer draws it, if it does.
    bool tracar(Projetor& observador, const Coordenada& a, const Coordenada& b, std::vector<QLine>& saida);
    void pintarCamera(Projetor& observador, double profundidadeMaxima);

    QViewport* _principal = nullptr;
    Coletor _coletor;
    Mapeamento _mapa{};
    std::vector<Coordenada> _par;
    std::vector<QLine> _visiveis;
    std::vector<QLine> _cortadas;
    // Where each object's visible lines end in _visiveis, its colour, and whether it is selected.
    struct Trecho {
        std::size_t fim;
        QColor cor;
        bool selecionado;
    };
    std::vector<Trecho> _trechos;
};

#endif

#ifndef VISTAEXTERNA_H
#define VISTAEXTERNA_H

#include <memory>
#include <utility>
#include <vector>

#include <QPoint>

#include "qviewport.h"

class QAction;
class QEvent;
class QObject;
class QSplitter;

// The main canvas's camera seen from outside: the main canvas's scene through this canvas's own
// camera (the observer, moved with the mouse like any canvas), with the main camera's window and
// near plane and, in perspective, its centre of projection and the edges of its viewing pyramid; in
// a parallel projection, the box of parallel projectors through the window's corners and an arrow
// along the direction of projection. The vertex the main canvas marks gets its projector, in the
// marks' colour (corDaMarca). Each piece of an
// object is drawn in its colour where the main camera draws it and light grey, dashed, where the
// near plane or the window cuts it away; the split is the main camera's own (Projetor::trechoVisivel).
// A filled polygon is filled in its colour where the main camera fills it (that camera's own clipped
// polygon) and in a faded colour elsewhere.
// It redraws at every change of the document it shares with the main canvas, and checks at each of
// that canvas's paints whether what it shows changed (a camera moved, another selection); the pixels
// of the scene are made again only when one of the two cameras, the scene or the size changed.
class VistaExterna : public QViewport {
    Q_OBJECT

public:
    // Hidden, named vistaExterna, at least 300 pixels wide and high.
    explicit VistaExterna(QWidget* parent);
    ~VistaExterna() override;

    // The checkable action "Vista Externa" (actionVistaExterna) that shows and hides this view,
    // framing it each time it is shown.
    QAction* acaoDeMostrar() const { return _acao; }
    // Makes this view the last pane of divisao, beside the pane before it (the main canvas's): shown,
    // it takes half of that pane's width; hidden, it gives it back. The other panes keep theirs.
    void colocarAoLado(QSplitter& divisao);

    // Shows principal's scene and camera, and follows principal's document; principal must outlive
    // this view.
    void observar(QViewport& principal);
    // Places the observer above, behind and to the right of the main camera, far enough that the
    // scene and the main camera both fit.
    void enquadrar();

    void repintar() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Stale also when the main camera or the selection differ from what it shows.
    bool imagemDesatualizada() const override;

private:
    // What is drawn for a run of consecutive objects of the scene, and one thread's tools; both are
    // kept from one paint to the next, so that a paint allocates nothing once they have grown.
    struct Bloco;
    class Trabalhador;

    // Makes the pixels of every object afresh, unless neither camera, the scene nor the size changed.
    void atualizarDesenho();
    void pintarCamera(double profundidadeMaxima);
    // What the main camera cuts away: faded fills, then grey lines, dashed where long enough.
    void pintarCortado(QPainter& pintor);
    // What it draws of one block's objects, in their colours; the selected one's lines wide.
    void pintarVisivel(QPainter& pintor, const Bloco& bloco, const Objeto* selecionado);
    // Where the projectors start (inicio, a depth beyond the window): the COP's mark in perspective,
    // the arrow of the direction of projection in a parallel projection, and their labels.
    void pintarOlho(double inicio, bool paralela);
    // The arrow from the near plane's centre, at pixel inicio, to the window's.
    void pintarDirecaoDeProjecao(QPoint inicio);
    // "COP" (or "DOP") and "Plano próximo" beside the pixel p.
    void pintarRotulosDoOlho(QPoint p, bool paralela);
    // The projector of the vertex the main canvas marks, from inicio (a depth beyond the window).
    void pintarProjetorDoVertice(double inicio);

    // Shows or hides this view, in its splitter's pane when it has one.
    void mostrar(bool mostrar);

    QAction* _acao;
    QSplitter* _divisao = nullptr;
    QViewport* _principal = nullptr;
    Mapeamento _mapa{};
    std::vector<Bloco> _blocos;
    std::vector<std::unique_ptr<Trabalhador>> _trabalhadores;
    // What the pixels in _blocos were made from.
    OrigemDaProjecao _origemDaCamera;
    OrigemDaProjecao _origemDoObservador;
    double _profundidadeMaxima = 0;
    const Objeto* _selecionadoPintado = nullptr;
    std::pair<const Objeto*, int> _marcaPintada{nullptr, -1};
};

#endif

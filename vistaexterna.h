#ifndef VISTAEXTERNA_H
#define VISTAEXTERNA_H

#include <memory>
#include <utility>
#include <vector>

#include <QPoint>
#include <QPointF>
#include <QRect>

#include "disposicaoderotulos.h"
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
// marks' colour (corDaMarca). In perspective the near plane, a hundredth of the way from the COP to
// the window and so a few pixels across here, is also drawn magnified round the COP in an inset in a
// corner. The labels are laid out so that none covers another (disporRotulos). Each piece of an
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
    // Places the observer above, behind and to the right of the main camera, and frames the main
    // camera and the scene's box as closely as they fit.
    void enquadrar();

    void repintar() override;

    // The labels the last paint wrote ("Window", "COP" or "DOP", "Plano próximo"), each where it was
    // written; one with an empty box was left out, finding no place clear of the others.
    const std::vector<RotuloNaTela>& rotulos() const { return _rotulos; }
    // The magnified inset round the COP that the last paint drew, or an empty rectangle.
    QRect lupa() const { return _lupa; }

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
    // The world point of the main camera's projector through its window's corner i (in order round
    // it, counted modulo 4) at the depth z beyond the window.
    Coordenada cantoDaCamera(int i, double z) const;
    // The labels of the eye (from inicio, a depth beyond the window), of the near plane (at perto)
    // and of the window; in perspective, the near plane's inset.
    void rotularCamera(double inicio, double perto, bool paralela);
    // Where the projectors start (inicio, a depth beyond the window): the COP's mark in perspective,
    // the arrow of the direction of projection in a parallel projection; its label joins _rotulos.
    void pintarOlho(double inicio, bool paralela);
    // The arrow from the near plane's centre, at pixel inicio, to the window's.
    void pintarDirecaoDeProjecao(QPoint inicio);
    // The near plane and the COP magnified in an inset (cantoDaLupa), with the label
    // "Plano próximo" added to rotulos and the box round the COP and the near plane in it in plano;
    // none when the COP is not in this view.
    void pintarLupa(std::vector<RotuloNaTela>& rotulos, QRect& plano);
    // In the inset: the COP at olho, the near plane's corners cantos[0] and the pyramid's edges from
    // the COP to cantos[1], all in pixels.
    void pintarNaLupa(QPointF olho, const QPointF (&cantos)[2][4]);
    // The inset's place, of lado pixels square: in a corner of the view clear of the window's corners,
    // the one farthest from the COP's pixel olho.
    QRect cantoDaLupa(int lado, QPointF olho) const;
    // Where this view draws the world point p, with the pixel's fractions; false when it does not.
    bool pixelExato(const Coordenada& p, QPointF& pixel) const;
    // A label of the painter's font for the point p.
    RotuloNaTela rotulo(const QString& texto, QPoint p, bool aEsquerda);
    // Lays out the labels of _rotulos and those of the inset (in it, clear of planoNaLupa), and
    // writes them.
    void pintarRotulos(std::vector<RotuloNaTela>& daLupa, const QRect& planoNaLupa);
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
    std::vector<RotuloNaTela> _rotulos;
    QRect _lupa;
};

#endif

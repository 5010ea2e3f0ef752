#ifndef QVIEWPORT_H
#define QVIEWPORT_H

#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "renderizador.h"

class DocumentoDeCena;

// The canvas: a widget that shows a document's scene through its camera, drawn by the renderer it
// is (Renderizador) into the picture it keeps, and that picture onto the widget. It redraws at each
// change of the document it shows or follows; anything else it comes to show must call redesenhar()
// when it changes.
//
// The mouse moves this canvas's own camera: a left drag pans so that the picture follows the
// cursor, the wheel zooms about the point under the cursor, Shift+wheel steps in and out, a right
// drag turns the camera. A press gives the keyboard to the canvas's top-level window.
// QWidget comes first: the meta-object compiler needs the QObject base first.
class QViewport : public QWidget, public Renderizador {
    Q_OBJECT

public:
    explicit QViewport(QWidget* parent);

    // From now on shows documento's scene through its camera, and redraws at each of its changes;
    // documento must outlive this canvas. Until then the canvas shows a scene and camera of its own.
    void mostrarDocumento(DocumentoDeCena& documento);
    // The document shown, or null.
    DocumentoDeCena* documento() const { return _documento; }

    // The widget's size, scale, resolution, font and background.
    Tela tela() const override;

    // A right drag turns the camera by this many degrees per pixel.
    static constexpr double grausPorPixel = 0.25;
    // A press and release this close (in pixels, Manhattan length) is a click, not a drag.
    static constexpr int limiteDeClique = 3;
    // A click picks the object drawn within this many pixels of it.
    static constexpr double raioDeEscolha = 5;

    // Also repaints, and tells selecaoAlterada when the object differs.
    void selecionar(const Objeto* objeto) override;

    // The next paint draws the picture afresh, and one is scheduled.
    void redesenhar() override;

    // Written in the middle of the canvas while its scene has no object, over the picture and never
    // in it (exports leave it out); none when empty.
    void definirDicaDeCenaVazia(const QString& dica);

signals:
    // The mouse moved this canvas's camera; the canvas has already scheduled its own repaint.
    void cameraMovida();
    // The camera refused the mouse's move, zoom or turn (it would leave what it can project and
    // save); nothing changed.
    void movimentoRecusado();
    // A left click without a drag, on the object of the vertex picked there (verticeEm), else on the
    // object picked there (objetoEm), or on none (null).
    void objetoClicado(Objeto* objeto);
    // After objetoClicado, when the click fell within raioDeEscolha of a vertex (verticeEm).
    void verticeClicado(Objeto* objeto, int indice);
    // Another object (or none) is highlighted.
    void selecaoAlterada(const Objeto* objeto);
    // The cursor is over the canvas, at (x, y) on the projection plane.
    void cursorNoPlano(double x, double y);
    // The cursor left the canvas.
    void cursorFora();

protected:
    QSize tamanhoDaTela() const override { return size(); }
    // Hears documento's changes, whose camera need not be this canvas's (the outside view's is not).
    void seguir(DocumentoDeCena& documento);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    // The drag in progress: the button that started it, where it was pressed and where the camera
    // last followed it. Dragging turns true once the cursor has left the click distance.
    Qt::MouseButton _botao = Qt::NoButton;
    QPoint _pressionado;
    QPoint _ultimo;
    bool _arrastando = false;
    // Repaints and tells of a move of the mouse's, or of its refusal.
    void cameraSeguiu(bool feito);
    // The mouse's camera moves: through the document when the camera is the document's, so that
    // every view hears of them.
    bool moverCamera(double dx, double dy, double dz);
    bool escalarCamera(double f, double x, double y);
    bool rodarCamera(double ax, double ay, double az);
    void informarCursor(QPointF onde);
    void pintarDica();

    DocumentoDeCena* _documento = nullptr;
    QString _dica;
};

#endif

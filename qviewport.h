#ifndef QVIEWPORT_H
#define QVIEWPORT_H

#include <vector>

#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QWidget>

#include "viewport.h"

// The canvas: a Viewport that paints with one QPainter on itself. Every paint event redraws the
// whole scene: white background, each object by its fill level (point crosses, broken polyline,
// polygon filled in its colour with a red outline), the coordinate labels when they are shown, and
// a black frame on the limits of the window-to-viewport mapping.
//
// The mouse moves this canvas's own camera: a left drag pans so that the picture follows the
// cursor, the wheel zooms about the point under the cursor, Shift+wheel steps in and out, a right
// drag turns the camera. A press gives the keyboard to the canvas's top-level window.
// QWidget comes first: the meta-object compiler needs the QObject base first.
class QViewport : public QWidget, public Viewport {
    Q_OBJECT

public:
    explicit QViewport(QWidget* parent);

    int largura() const override { return width(); }
    int altura() const override { return height(); }

    // A right drag turns the camera by this many degrees per pixel.
    static constexpr double grausPorPixel = 0.25;
    // A press and release this close (in pixels, Manhattan length) is a click, not a drag.
    static constexpr int limiteDeClique = 3;
    // A click picks the object drawn within this many pixels of it.
    static constexpr double raioDeEscolha = 5;

    // Also repaints.
    void selecionar(const Objeto* objeto) override;

signals:
    // The mouse moved this canvas's camera; the canvas has already scheduled its own repaint.
    void cameraMovida();
    // A left click without a drag, on the object picked there (objetoEm), or on none (null).
    void objetoClicado(Objeto* objeto);

protected:
    void iniciarPintura() override;
    void repintar0(Objeto* atual) override;
    void repintar1(Objeto* atual) override;
    void repintar2(Objeto* atual) override;
    void pintarInformacoes(Objeto* atual) override;
    void pintarSelecao(Objeto* atual) override;
    void finalizarPintura() override;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;

private:
    // The drag in progress: the button that started it, where it was pressed and where the camera
    // last followed it. Dragging turns true once the cursor has left the click distance.
    Qt::MouseButton _botao = Qt::NoButton;
    QPoint _pressionado;
    QPoint _ultimo;
    bool _arrastando = false;

    // Active only from iniciarPintura to finalizarPintura.
    QPainter pintor;
    // Reused by every paint so that drawing an object allocates nothing once they have grown.
    std::vector<QLine> _linhas;
    std::vector<QPointF> _pontos;
};

#endif

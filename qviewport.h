#ifndef QVIEWPORT_H
#define QVIEWPORT_H

#include <vector>

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPointF>
#include <QWidget>

#include "viewport.h"

// The canvas: a Viewport that paints with one QPainter. Its picture is the whole scene: white
// background, each object by its fill level (point crosses, broken polyline, polygon filled in its
// colour with a red outline), the coordinate labels when they are shown, and a black frame on the
// limits of the window-to-viewport mapping. The picture is drawn into an image the canvas keeps and
// that image onto the screen; a paint event draws it afresh only when something it shows changed:
// the scene (found by the objects' versions), the camera, the size or the labels' switch. Anything
// else the canvas comes to show must call redesenhar() when it changes.
class QViewport : public Viewport, public QWidget {
public:
    explicit QViewport(QWidget* parent);

    int largura() const override { return width(); }
    int altura() const override { return height(); }

    // The next paint draws the picture afresh, and one is scheduled.
    void redesenhar();

protected:
    void iniciarPintura() override;
    void repintar0(Objeto* atual) override;
    void repintar1(Objeto* atual) override;
    void repintar2(Objeto* atual) override;
    void pintarInformacoes(Objeto* atual) override;
    void finalizarPintura() override;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Active only from iniciarPintura to finalizarPintura.
    QPainter pintor;
    // The last picture, transparent where nothing was drawn (the last row and column).
    QImage _imagem;
    bool _imagemValida = false;
    bool _imagemComCoordenadas = false;
    // Reused by every paint so that drawing an object allocates nothing once they have grown.
    std::vector<QLine> _linhas;
    std::vector<QPointF> _pontos;
};

#endif

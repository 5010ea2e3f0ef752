#ifndef QVIEWPORT_H
#define QVIEWPORT_H

#include <vector>

#include <QLine>
#include <QPainter>
#include <QPointF>
#include <QWidget>

#include "viewport.h"

// The canvas: a Viewport that paints with one QPainter on itself. Every paint event redraws the
// whole scene: white background, each object by its fill level (point crosses, broken polyline,
// polygon filled in its colour with a red outline), the coordinate labels when they are shown, and
// a black frame on the limits of the window-to-viewport mapping.
class QViewport : public Viewport, public QWidget {
public:
    explicit QViewport(QWidget* parent);

    int largura() const override { return width(); }
    int altura() const override { return height(); }

protected:
    void iniciarPintura() override;
    void repintar0(Objeto* atual) override;
    void repintar1(Objeto* atual) override;
    void repintar2(Objeto* atual) override;
    void pintarInformacoes(Objeto* atual) override;
    void finalizarPintura() override;

    void paintEvent(QPaintEvent* event) override;

private:
    // Active only from iniciarPintura to finalizarPintura.
    QPainter pintor;
    // Reused by every paint so that drawing an object allocates nothing once they have grown.
    std::vector<QLine> _linhas;
    std::vector<QPointF> _pontos;
};

#endif

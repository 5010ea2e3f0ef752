#ifndef LAYOUTPROPORCIONAL_H
#define LAYOUTPROPORCIONAL_H

#include <memory>

#include <QLayout>

class QAction;
class QGridLayout;
class QViewport;

// Holds the canvas in the space its parent layout gives it, at the proportions of the camera window
// (QViewport::areaNaProporcao), centred, so that a square stays square however the window is
// shaped; the window-to-viewport mapping itself is untouched. Switched off, the canvas fills the
// space and the picture stretches with it. Takes all the space it is offered, in both directions.
class LayoutProporcional : public QLayout {
    Q_OBJECT

public:
    // The canvas becomes this layout's one item; acao ("Manter Proporção", checkable, on) switches.
    explicit LayoutProporcional(QViewport& canvas);
    ~LayoutProporcional() override;

    QAction* acao() const { return _acao; }
    // Puts canvas, a widget of grade, in a new layout of this kind in the same cell, stretched there.
    static LayoutProporcional* instalar(QGridLayout& grade, QViewport& canvas);

    void addItem(QLayoutItem* item) override;
    int count() const override { return _item ? 1 : 0; }
    QLayoutItem* itemAt(int indice) const override { return indice == 0 ? _item.get() : nullptr; }
    QLayoutItem* takeAt(int indice) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }
    void setGeometry(const QRect& area) override;

private:
    QViewport& _canvas;
    std::unique_ptr<QLayoutItem> _item;
    QAction* _acao = nullptr;
};

#endif

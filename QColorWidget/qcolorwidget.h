#ifndef QCOLORWIDGET_H
#define QCOLORWIDGET_H

#include <QColor>
#include <QWidget>

class QMouseEvent;
class QPaintEvent;

// A colour swatch: paints its colour inside a one-pixel black outline and, on a press of any
// mouse button, lets the user pick another colour in the toolkit's colour dialog.
class QColorWidget : public QWidget {
    Q_OBJECT

public:
    explicit QColorWidget(QWidget* parent);

    QColor color() const { return propColor; }
    // Shows c and tells colorChanged, as a pick of c would.
    void setColor(const QColor& c);

signals:
    // After every colour the user picked; a cancelled dialog picks nothing.
    void colorChanged(QColor);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor propColor = Qt::black;
};

#endif

#include "qcolorwidget.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QPainter>

QColorWidget::QColorWidget(QWidget* parent) : QWidget(parent) {}

void QColorWidget::mousePressEvent(QMouseEvent*)
{
    // The dialog starts on the colour shown, so that a small change is a small move. Cancelling
    // returns an invalid colour: the shown colour stays and nobody is told, so a cancelled pick never
    // loses the user's colour.
    const QColor escolhida = QColorDialog::getColor(propColor, window());
    if (!escolhida.isValid())
        return;
    setColor(escolhida);
}

void QColorWidget::setColor(const QColor& c)
{
    propColor = c;
    emit colorChanged(propColor);
    update();
}

void QColorWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(0, 0, 0, 255));
    painter.setBrush(QBrush(propColor, Qt::SolidPattern));
    // One less than the size, so the outline lies on the outermost pixels.
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

#ifndef DISPOSICAODEROTULOS_H
#define DISPOSICAODEROTULOS_H

#include <vector>

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// A text written beside the point of a picture it names.
struct RotuloNaTela {
    QString texto;
    QPoint ancora;
    QSize tamanho;
    // Tried first on the left of its point, else first on the right.
    bool aEsquerda = false;
    // Where disporRotulos put it: empty when it found no free place, and the label is not drawn.
    QRect caixa;
};

// Places the labels in turn, each beside its point where it lies inside area and overlaps neither
// ocupados nor a label placed before it: the places round the point nearest first (beside it, then
// above and below, then the same farther out), a bounded number of them. The labels' boxes end up
// pairwise disjoint, and disjoint from ocupados.
void disporRotulos(std::vector<RotuloNaTela>& rotulos, const QRect& area, const std::vector<QRect>& ocupados);

#endif

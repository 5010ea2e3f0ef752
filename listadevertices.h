#ifndef LISTADEVERTICES_H
#define LISTADEVERTICES_H

#include <QAbstractListModel>
#include <QModelIndex>
#include <QVariant>

// The rows "Vértice 0" … "Vértice n − 1" of an object's vertices, each made when it is shown, so
// that an object of a million vertices is listed at once.
class ListaDeVertices : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void definirQuantidade(int quantidade);
    int rowCount(const QModelIndex& pai = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;

private:
    int _quantidade = 0;
};

#endif

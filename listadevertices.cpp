#include "listadevertices.h"

#include <QString>

void ListaDeVertices::definirQuantidade(int quantidade)
{
    beginResetModel();
    _quantidade = quantidade;
    endResetModel();
}

int ListaDeVertices::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : _quantidade;
}

QVariant ListaDeVertices::data(const QModelIndex& indice, int papel) const
{
    if (!indice.isValid() || indice.row() >= _quantidade || (papel != Qt::DisplayRole && papel != Qt::EditRole))
        return QVariant();
    return QStringLiteral("Vértice %1").arg(indice.row());
}

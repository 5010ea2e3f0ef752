#include "layoutproporcional.h"

#include <QAction>
#include <QGridLayout>
#include <QWidgetItem>

#include "documentodecena.h"
#include "qviewport.h"

LayoutProporcional::LayoutProporcional(QViewport& canvas) : _canvas(canvas)
{
    setContentsMargins(0, 0, 0, 0);
    _acao = new QAction(QStringLiteral("Manter Proporção"), this);
    _acao->setObjectName(QStringLiteral("actionManterProporcao"));
    _acao->setCheckable(true);
    _acao->setChecked(true);
    connect(_acao, &QAction::toggled, this, &QLayout::invalidate);
    addWidget(&canvas);
    // A zoom keeps the camera's proportions; a loaded scene or another camera may not.
    if (DocumentoDeCena* documento = canvas.documento())
        connect(documento, &DocumentoDeCena::alterado, this, [this] {
            if (_item && _acao->isChecked() && _canvas.areaNaProporcao(geometry().size()).size() != _canvas.size())
                invalidate();
        });
}

LayoutProporcional::~LayoutProporcional() = default;

LayoutProporcional* LayoutProporcional::instalar(QGridLayout& grade, QViewport& canvas)
{
    int linha = 0;
    int coluna = 0;
    int linhas = 0;
    int colunas = 0;
    grade.getItemPosition(grade.indexOf(&canvas), &linha, &coluna, &linhas, &colunas);
    grade.removeWidget(&canvas);
    auto* layout = new LayoutProporcional(canvas);
    grade.addLayout(layout, linha, coluna, linhas, colunas);
    grade.setColumnStretch(coluna, 1);
    grade.setRowStretch(linha, 1);
    return layout;
}

void LayoutProporcional::addItem(QLayoutItem* item)
{
    _item.reset(item);
}

QLayoutItem* LayoutProporcional::takeAt(int indice)
{
    return indice == 0 ? _item.release() : nullptr;
}

QSize LayoutProporcional::sizeHint() const
{
    return _item ? _item->sizeHint() : QSize();
}

QSize LayoutProporcional::minimumSize() const
{
    // The space the canvas had before it kept proportions; itself it may then be narrower or lower.
    return {600, 600};
}

void LayoutProporcional::setGeometry(const QRect& area)
{
    QLayout::setGeometry(area);
    if (!_item)
        return;
    if (!_acao->isChecked()) {
        _item->setGeometry(area);
        return;
    }
    _item->setGeometry(_canvas.areaNaProporcao(area.size()).translated(area.topLeft()));
}

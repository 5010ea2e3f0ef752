#include "linhadetamanho.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "renderizador.h"

LinhaDeTamanho::LinhaDeTamanho(QSize tamanho) : _largura(new QSpinBox), _altura(new QSpinBox)
{
    _largura->setObjectName(QStringLiteral("larguraDaImagem"));
    _altura->setObjectName(QStringLiteral("alturaDaImagem"));
    for (QSpinBox* lado : {_largura, _altura}) {
        lado->setRange(1, Renderizador::ladoMaximoDaImagem);
        lado->setSuffix(tr(" px"));
    }
    _largura->setValue(tamanho.width());
    _altura->setValue(tamanho.height());
    auto* linha = new QHBoxLayout(this);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(_largura);
    linha->addWidget(new QLabel(QStringLiteral("×")));
    linha->addWidget(_altura);
    linha->addStretch();
}

LinhaDeTamanho* LinhaDeTamanho::acrescentar(QFileDialog& dialogo, QSize tamanho)
{
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    auto* linha = new LinhaDeTamanho(tamanho);
    if (auto* grade = qobject_cast<QGridLayout*>(dialogo.layout())) {
        const int fim = grade->rowCount();
        grade->addWidget(new QLabel(tr("Tamanho:")), fim, 0);
        grade->addWidget(linha, fim, 1, 1, grade->columnCount() - 1);
    } else {
        // Not laid out in the dialog: owned by it all the same.
        linha->setParent(&dialogo);
        linha->hide();
    }
    return linha;
}

QSize LinhaDeTamanho::tamanho() const
{
    return QSize(_largura->value(), _altura->value());
}

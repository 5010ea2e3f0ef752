#include "paineldetransformacao.h"
#include "ui_mainwindow.h"

#include <optional>
#include <utility>

#include "comandosdeobjeto.h"
#include "coordenada.h"

PainelDeTransformacao::PainelDeTransformacao(Ui::MainWindow& ui, ComandosDeObjeto& comandos,
                                             std::function<int()> selecionado, QObject* parent)
    : QObject(parent), _ui(ui), _comandos(comandos), _selecionado(std::move(selecionado))
{
    // Enter in any of the amounts moves the object as the button does.
    connect(_ui.objetoAplicarTranslacao, &QPushButton::clicked, this, &PainelDeTransformacao::transladar);
    for (QLineEdit* campo : {_ui.objetoTransladarX, _ui.objetoTransladarY, _ui.objetoTransladarZ})
        connect(campo, &QLineEdit::returnPressed, this, &PainelDeTransformacao::transladar);
}

int PainelDeTransformacao::eixoEscolhido() const
{
    if (_ui.rotacaoEixoY->isChecked())
        return 1;
    return _ui.rotacaoEixoZ->isChecked() ? 2 : 0;
}

void PainelDeTransformacao::rotacionar(int eixo)
{
    std::optional<Coordenada> centro;
    if (_ui.orbitar->isChecked())
        centro = Coordenada(_ui.orbitarX->value(), _ui.orbitarY->value(), 0.0);
    _comandos.rotacionar(_selecionado(), _ui.objetoRotacaoDisplay->text(), eixo == 0, eixo == 1, eixo == 2, centro);
}

void PainelDeTransformacao::rotacionarNoEixoEscolhido()
{
    rotacionar(eixoEscolhido());
}

void PainelDeTransformacao::transladar()
{
    _comandos.transladar(_selecionado(), _ui.objetoTransladarX->text(), _ui.objetoTransladarY->text(),
                         _ui.objetoTransladarZ->text());
}

void PainelDeTransformacao::escalar()
{
    _comandos.escalar(_selecionado(), _ui.fatorEscalaDisplay->text());
}

void PainelDeTransformacao::orbitar(bool ligado)
{
    _ui.orbitarX->setEnabled(ligado);
    _ui.orbitarY->setEnabled(ligado);
}

#include "novoobjeto.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "novoobjeto_options.h"
#include "ui_novoobjeto.h"

NovoObjeto::NovoObjeto(QWidget* parent) : QDialog(parent), ui(new Ui::NovoObjeto)
{
    // The slots are connected by name here, before the combo box has items: the first item added
    // below becomes current and builds its editors through on_tipo_currentIndexChanged.
    ui->setupUi(this);
    tiposDeObjetos = {obterFabricaDePonto(),   obterFabricaDeReta(),    obterFabricaDePoligono(),
                      obterFabricaDeBezier(),  obterFabricaDeBSpline(), obterFabricaDeObjeto3D()};
    for (FabricaDeObjeto* fabrica : tiposDeObjetos)
        ui->tipo->addItem(QString::fromStdString(fabrica->nome()));
}

NovoObjeto::~NovoObjeto()
{
    delete ui;
}

FabricaDeObjeto* NovoObjeto::obterTipo() const
{
    const std::string nome = ui->tipo->currentText().toStdString();
    for (FabricaDeObjeto* fabrica : tiposDeObjetos)
        if (fabrica->nome() == nome)
            return fabrica;
    return nullptr;
}

QWidget* NovoObjeto::generateOptionsUi()
{
    auto* widget = new QWidget;
    auto* grade = new QGridLayout(widget);
    int linha = 0;
    for (FabricaDeObjeto::Type* opcao : options) {
        grade->addWidget(new QLabel(QString::fromStdString(opcao->nome) + QStringLiteral(": ")), linha, 0, 1, 1);
        switch (opcao->tipoDoValor()) {
        case 0: {
            auto* editor = new CoordenadasOption(opcao);
            connect(editor, &CoordenadasOption::valueChanged, this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor, ++linha, 0, 1, 2);
            break;
        }
        case 1: {
            auto* editor = new ColorOption(opcao);
            connect(editor, qOverload<>(&ColorOption::valueChanged), this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor, linha, 1, 1, 1);
            break;
        }
        case 2: {
            auto* editor = new StringOption(opcao);
            connect(editor, qOverload<>(&StringOption::valueChanged), this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor, linha, 1, 1, 1);
            break;
        }
        case 3:
            grade->addWidget(new BooleanOption(opcao), linha, 1, 1, 1);
            break;
        case 5:
            grade->addWidget(new IntIntsOption(opcao), ++linha, 0, 1, 2);
            break;
        default:
            // A kind without an editor shows its label alone.
            break;
        }
        ++linha;
    }
    return widget;
}

void NovoObjeto::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void NovoObjeto::on_tipo_currentIndexChanged(int)
{
    if (ultimo) {
        // The editors go with it; what they wrote into the old factory's descriptors stays there.
        ui->itensDinamicos->removeWidget(ultimo);
        ultimo->setParent(nullptr);
        delete ultimo;
        ultimo = nullptr;
    }
    FabricaDeObjeto* fabrica = obterTipo();
    options = fabrica ? fabrica->parametros() : std::vector<FabricaDeObjeto::Type*>{};
    ultimo = generateOptionsUi();
    optionValueChanged();
    ui->itensDinamicos->addWidget(ultimo);
}

void NovoObjeto::optionValueChanged()
{
    bool todosValidos = true;
    for (const FabricaDeObjeto::Type* opcao : options) {
        if (!opcao->valido()) {
            todosValidos = false;
            break;
        }
    }
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(todosValidos);
}

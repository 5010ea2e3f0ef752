#include "novoobjeto.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "novoobjeto_options.h"
#include "objeto.h"
#include "objeto3d.h"
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
    motivo = new QLabel;
    motivo->setObjectName(QStringLiteral("motivo"));
    motivo->setWordWrap(true);
    motivo->setStyleSheet(QStringLiteral("color: #b00000"));
    motivo->hide();
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->buttonBox), motivo);
}

NovoObjeto::~NovoObjeto()
{
    delete ui;
}

void NovoObjeto::preencher(const Objeto& objeto)
{
    setWindowTitle(tr("Editar Objeto"));
    const int indice = ui->tipo->findText(QString::fromStdString(objeto.nomeDoTipo()));
    if (indice < 0)
        return;
    ui->tipo->setCurrentIndex(indice);
    for (std::size_t i = 0; i < options.size(); ++i) {
        switch (options[i]->tipoDoValor()) {
        case 0:
            static_cast<CoordenadasOption*>(editores[i])->mostrar(objeto.coordenadas());
            break;
        case 1:
            static_cast<ColorOption*>(editores[i])->setColor(objeto.cor().qcolor());
            break;
        case 2:
            static_cast<StringOption*>(editores[i])->setText(QString::fromStdString(objeto.nome()));
            break;
        case 3:
            static_cast<BooleanOption*>(editores[i])->setChecked(objeto.nivelDePreenchimento() == 2);
            break;
        case 5:
            if (auto* objeto3d = dynamic_cast<const Objeto3D*>(&objeto))
                static_cast<IntIntsOption*>(editores[i])->mostrar(objeto3d->arestas());
            break;
        default:
            break;
        }
    }
    optionValueChanged();
}

void NovoObjeto::accept()
{
    FabricaDeObjeto* fabrica = obterTipo();
    if (!fabrica)
        return;
    criado.reset(fabrica->criar());
    if (!criado) {
        const std::string porque = fabrica->motivo();
        motivo->setText(porque.empty() ? tr("O objeto não pôde ser criado com estes valores.")
                                       : QString::fromStdString(porque));
        motivo->show();
        return;
    }
    QDialog::accept();
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
    editores.clear();
    int linha = 0;
    for (FabricaDeObjeto::Type* opcao : options) {
        grade->addWidget(new QLabel(QString::fromStdString(opcao->nome) + QStringLiteral(": ")), linha, 0, 1, 1);
        // Every editor reports every change, so that OK follows whatever was entered last.
        QWidget* editor = nullptr;
        switch (opcao->tipoDoValor()) {
        case 0: {
            auto* coordenadas = new CoordenadasOption(opcao);
            connect(coordenadas, &CoordenadasOption::valueChanged, this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor = coordenadas, ++linha, 0, 1, 2);
            break;
        }
        case 1: {
            auto* cor = new ColorOption(opcao);
            connect(cor, qOverload<>(&ColorOption::valueChanged), this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor = cor, linha, 1, 1, 1);
            break;
        }
        case 2: {
            auto* texto = new StringOption(opcao);
            connect(texto, qOverload<>(&StringOption::valueChanged), this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor = texto, linha, 1, 1, 1);
            break;
        }
        case 3: {
            auto* marca = new BooleanOption(opcao);
            connect(marca, qOverload<>(&BooleanOption::valueChanged), this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor = marca, linha, 1, 1, 1);
            break;
        }
        case 5: {
            auto* pares = new IntIntsOption(opcao);
            connect(pares, &IntIntsOption::valueChanged, this, &NovoObjeto::optionValueChanged);
            grade->addWidget(editor = pares, ++linha, 0, 1, 2);
            break;
        }
        default:
            // A kind without an editor shows its label alone.
            break;
        }
        editores.push_back(editor);
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
    // A refusal speaks of the values it was given; once they change it no longer holds.
    if (motivo)
        motivo->hide();
}

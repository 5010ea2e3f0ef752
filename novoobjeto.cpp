#include "novoobjeto.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

#include "novoobjeto_options.h"
#include "objeto.h"
#include "tipodeobjeto.h"
#include "ui_novoobjeto.h"

NovoObjeto::NovoObjeto(QWidget* parent) : QDialog(parent), ui(new Ui::NovoObjeto)
{
    // The slots are connected by name here, before the combo box has items: the first item added
    // below becomes current and builds its editors through on_tipo_currentIndexChanged.
    ui->setupUi(this);
    for (const TipoDeObjeto* tipo : tiposDeObjeto())
        tiposDeObjetos.push_back(obterFabrica(*tipo));
    for (FabricaDeObjeto* fabrica : tiposDeObjetos)
        ui->tipo->addItem(QString::fromStdString(fabrica->nome()));
    motivo = new QLabel;
    motivo->setObjectName(QStringLiteral("motivo"));
    motivo->setWordWrap(true);
    motivo->setStyleSheet(QStringLiteral("color: #b00000"));
    ui->verticalLayout->insertWidget(ui->verticalLayout->indexOf(ui->buttonBox), motivo);
    optionValueChanged();
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
    const ValoresDeObjeto valores = valoresDe(objeto);
    // Every value shown is a change; OK is weighed once, on all of them.
    _preenchendo = true;
    for (EditorDeValor* editor : editores)
        if (editor != nullptr)
            editor->mostrar(valores);
    _preenchendo = false;
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
    // Every editor reports every change, so that OK follows whatever was entered last. A list takes
    // the row below its label, across both columns.
    const auto colocar = [this, grade, &linha](auto* editor, auto sinal, bool lista) -> EditorDeValor* {
        connect(editor, sinal, this, &NovoObjeto::optionValueChanged);
        if (lista)
            grade->addWidget(editor, ++linha, 0, 1, 2);
        else
            grade->addWidget(editor, linha, 1, 1, 1);
        return editor;
    };
    for (FabricaDeObjeto::Type* opcao : options) {
        grade->addWidget(new QLabel(QString::fromStdString(opcao->nome) + QStringLiteral(": ")), linha, 0, 1, 1);
        EditorDeValor* editor = nullptr;
        switch (opcao->tipoDoValor()) {
        case FabricaDeObjeto::valorCoordenadas:
            editor = colocar(new CoordenadasOption(opcao), &CoordenadasOption::valueChanged, true);
            break;
        case FabricaDeObjeto::valorCor:
            editor = colocar(new ColorOption(opcao), qOverload<>(&ColorOption::valueChanged), false);
            break;
        case FabricaDeObjeto::valorTexto:
            editor = colocar(new StringOption(opcao), qOverload<>(&StringOption::valueChanged), false);
            break;
        case FabricaDeObjeto::valorBooleano:
            editor = colocar(new BooleanOption(opcao), qOverload<>(&BooleanOption::valueChanged), false);
            break;
        case FabricaDeObjeto::valorArestas:
            editor = colocar(new IntIntsOption(opcao), &IntIntsOption::valueChanged, true);
            break;
        case FabricaDeObjeto::valorGrade:
            editor = colocar(new GradeOption(opcao), &GradeOption::valueChanged, true);
            break;
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

// OK is enabled exactly when the object can be built, and motivo says why not otherwise: first
// what an editor holds that is no value at all, then what the kind's rules say of the values, in
// the words the factory gives when it refuses to build.
void NovoObjeto::optionValueChanged()
{
    if (_preenchendo || motivo == nullptr)
        return;
    QString porque;
    for (const EditorDeValor* editor : editores)
        if (editor != nullptr && porque.isEmpty())
            porque = editor->problema();
    FabricaDeObjeto* fabrica = obterTipo();
    if (porque.isEmpty() && fabrica != nullptr) {
        const std::unique_ptr<Objeto> ensaio(fabrica->criar());
        if (!ensaio) {
            const std::string daFabrica = fabrica->motivo();
            porque = daFabrica.empty() ? tr("O objeto não pôde ser criado com estes valores.")
                                       : QString::fromStdString(daFabrica);
        }
    }
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(porque.isEmpty());
    motivo->setText(porque);
    motivo->setVisible(!porque.isEmpty());
}

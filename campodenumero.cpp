#include "campodenumero.h"

#include <QLineEdit>
#include <QPalette>

#include "numeros.h"

CampoDeNumero::CampoDeNumero(QWidget* parent) : QAbstractSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textChanged, this, &CampoDeNumero::lerTexto);
    connect(this, &QAbstractSpinBox::editingFinished, this, &CampoDeNumero::mostrarNaFormaCurta);
    definirValor(0.0);
}

void CampoDeNumero::definirValor(double v)
{
    lineEdit()->setText(escreverNumero(v));
}

void CampoDeNumero::lerTexto(const QString& texto)
{
    QString problema;
    if (const std::optional<double> lido = lerNumero(texto, &problema))
        _valor = *lido;
    if (problema != _problema) {
        _problema = problema;
        QPalette cores = lineEdit()->palette();
        cores.setColor(QPalette::Base, _problema.isEmpty() ? palette().color(QPalette::Base) : QColor(255, 214, 214));
        lineEdit()->setPalette(cores);
        setToolTip(_problema);
    }
    emit valorAlterado();
}

void CampoDeNumero::mostrarNaFormaCurta()
{
    const QString curta = escreverNumero(_valor);
    if (_problema.isEmpty() && lineEdit()->text() != curta)
        lineEdit()->setText(curta);
}

QValidator::State CampoDeNumero::validate(QString& texto, int&) const
{
    return lerNumero(texto) ? QValidator::Acceptable : QValidator::Intermediate;
}

void CampoDeNumero::stepBy(int passos)
{
    if (_problema.isEmpty())
        definirValor(_valor + passos);
}

QAbstractSpinBox::StepEnabled CampoDeNumero::stepEnabled() const
{
    return _problema.isEmpty() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

QSize CampoDeNumero::sizeHint() const
{
    // The base counts the arrows and the frame; room for a number like "-123456.7890" besides.
    const QSize base = QAbstractSpinBox::sizeHint();
    return {base.width() + fontMetrics().horizontalAdvance(QStringLiteral("-123456.7890")), base.height()};
}

QSize CampoDeNumero::minimumSizeHint() const
{
    const QSize base = QAbstractSpinBox::minimumSizeHint();
    return {base.width() + fontMetrics().horizontalAdvance(QStringLiteral("-0.00")), base.height()};
}

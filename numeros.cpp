#include "numeros.h"

#include <cmath>

#include <QLocale>

std::optional<double> lerNumero(const QString& texto)
{
    QString t = texto.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double valor = QLocale::c().toDouble(t, &ok);
    // The C locale reads "inf" and "nan", which no coordinate survives.
    if (!ok || !std::isfinite(valor))
        return std::nullopt;
    return valor;
}

CampoDecimal::CampoDecimal(QWidget* parent) : QDoubleSpinBox(parent) {}

QString CampoDecimal::comSeparadorLocal(QString texto) const
{
    const QString ponto = locale().decimalPoint();
    texto.replace(QLatin1Char(','), ponto);
    texto.replace(QLatin1Char('.'), ponto);
    return texto;
}

QValidator::State CampoDecimal::validate(QString& texto, int& pos) const
{
    // The separator is rewritten where it was typed, so the caret stays where the user left it.
    texto = comSeparadorLocal(texto);
    return QDoubleSpinBox::validate(texto, pos);
}

double CampoDecimal::valueFromText(const QString& texto) const
{
    return QDoubleSpinBox::valueFromText(comSeparadorLocal(texto));
}

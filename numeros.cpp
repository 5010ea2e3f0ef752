#include "numeros.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

std::optional<double> lerNumero(const QString& texto, QString* problema)
{
    const auto recusar = [&](const QString& porque) -> std::optional<double> {
        if (problema != nullptr)
            *problema = porque;
        return std::nullopt;
    };
    QString t = texto.trimmed();
    if (t.isEmpty())
        return recusar(QStringLiteral("falta o número"));
    const QString citado = QStringLiteral("'") + t + QStringLiteral("'");
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    // from_chars takes no sign of plus, and nothing but ASCII can be part of a number.
    if (t.startsWith(QLatin1Char('+')) && !t.startsWith(QStringLiteral("+-")))
        t.remove(0, 1);
    for (const QChar c : t)
        if (c.unicode() >= 128)
            return recusar(citado + QStringLiteral(" não é um número"));
    const std::string ascii = t.toStdString();
    double valor = 0.0;
    const std::from_chars_result r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), valor);
    if (r.ec == std::errc::result_out_of_range)
        return recusar(citado + QStringLiteral(" é grande ou pequeno demais para o programa"));
    if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size())
        return recusar(citado + QStringLiteral(" não é um número"));
    // "inf" and "nan" are read too, and no coordinate survives them.
    if (!std::isfinite(valor))
        return recusar(citado + QStringLiteral(" não é um número finito"));
    if (problema != nullptr)
        problema->clear();
    return valor;
}

QString escreverNumero(double valor)
{
    char texto[32];
    const std::to_chars_result r = std::to_chars(texto, texto + sizeof texto, valor);
    return QString::fromLatin1(texto, static_cast<qsizetype>(r.ptr - texto));
}

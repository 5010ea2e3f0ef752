#ifndef NUMEROS_H
#define NUMEROS_H

#include <optional>

#include <QString>

// Numbers as users type them: "1,5" and "1.5" both mean one and a half, whatever the locale, and
// every finite number a double holds is read exactly, in any notation ("1e5", "-0.001",
// "99999999999"). Read and written with std::from_chars and std::to_chars, which no locale touches.

// The finite number in texto (blanks around it allowed), or nothing; then, when problema is given,
// why not, in words for the user ("'abc' não é um número").
std::optional<double> lerNumero(const QString& texto, QString* problema = nullptr);

// The shortest text that reads back as exactly valor, as a scene file writes it: "0.1", "1e+05".
QString escreverNumero(double valor);

#endif

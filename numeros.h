#ifndef NUMEROS_H
#define NUMEROS_H

#include <optional>

#include <QDoubleSpinBox>
#include <QString>

// Numbers as users type them: "1,5" and "1.5" both mean one and a half, whatever the locale. The
// locale's own reading turns the other separator into a thousands mark or rejects it.

// The finite number in texto (blanks around it allowed), or nothing.
std::optional<double> lerNumero(const QString& texto);

// A QDoubleSpinBox that takes either separator as the decimal one; it shows the locale's.
class CampoDecimal : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit CampoDecimal(QWidget* parent = nullptr);

    QValidator::State validate(QString& texto, int& pos) const override;
    double valueFromText(const QString& texto) const override;

private:
    // texto with both separators written as the locale's decimal point.
    QString comSeparadorLocal(QString texto) const;
};

#endif

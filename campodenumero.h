#ifndef CAMPODENUMERO_H
#define CAMPODENUMERO_H

#include <QAbstractSpinBox>
#include <QString>

// A field for one number that keeps exactly what was typed: any finite number, in any notation and
// with either separator (lerNumero), shown back in its shortest exact form (escreverNumero) when
// typing ends. Text that is not a number stays as it was typed and is marked, with the reason in
// its tool tip and in problema(); valor() keeps the last number until then. The arrows and the
// wheel step by one, as a spin box's do.
class CampoDeNumero : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit CampoDeNumero(QWidget* parent = nullptr);

    double valor() const { return _valor; }
    // Shows v in its shortest exact form (and reports it, as typing would).
    void definirValor(double v);
    // Why the text is not a number ("'abc' não é um número"); empty when it is one.
    QString problema() const { return _problema; }

    QValidator::State validate(QString& texto, int& pos) const override;
    // Whatever was typed stays: a spin box would put the last number back, unseen.
    void fixup(QString&) const override {}
    void stepBy(int passos) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every change of the text, a number or not.
    void valorAlterado();

protected:
    StepEnabled stepEnabled() const override;

private:
    void lerTexto(const QString& texto);
    void mostrarNaFormaCurta();

    double _valor = 0.0;
    QString _problema;
};

#endif

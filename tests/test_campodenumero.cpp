#include <cmath>
#include <cstring>
#include <string>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "campodenumero.h"
#include "numeros.h"

namespace {

bool mesmosBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Types texto over what the field held, then ends the typing as Enter does.
void digitar(CampoDeNumero& campo, const char* texto)
{
    campo.selectAll();
    QTest::keyClick(&campo, Qt::Key_Backspace);
    QTest::keyClicks(&campo, texto);
    emit campo.editingFinished();
}

// Catches a field that rounds (a spin box's two decimals), bounds (±9999), reads the user's locale,
// loses the sign of a tiny value, or takes "inf": each typed number comes back bit for bit, and is
// shown back in its shortest exact form.
TEST(CampoDeNumero, GuardaONumeroDigitadoExatamente)
{
    const struct {
        const char* digitado;
        double valor;
        const char* mostrado;
    } casos[] = {
        {"1e5", 100000.0, "1e+05"},
        {"-0.001", -0.001, "-0.001"},
        {"99999999999", 99999999999.0, "99999999999"},
        {"1,5", 1.5, "1.5"},
        {" +2.5 ", 2.5, "2.5"},
        {"0.1", 0.1, "0.1"},
        {"123456.78901234567", 123456.78901234567, "123456.78901234567"},
        {"4.9e-324", 4.9e-324, "5e-324"},
        {"-1.7976931348623157e308", -1.7976931348623157e308, "-1.7976931348623157e+308"},
        {"-0", -0.0, "-0"},
    };
    for (const auto& caso : casos) {
        CampoDeNumero campo;
        digitar(campo, caso.digitado);
        EXPECT_TRUE(mesmosBits(campo.valor(), caso.valor)) << caso.digitado << " -> " << campo.valor();
        EXPECT_EQ(campo.text(), caso.mostrado) << caso.digitado;
        EXPECT_TRUE(campo.problema().isEmpty()) << caso.digitado;
    }
}

// Catches text that is no number turned silently into the last one, or into zero, when typing ends.
TEST(CampoDeNumero, TextoQueNaoENumeroFicaComoDigitadoEMarcado)
{
    const struct {
        const char* digitado;
        const char* problema;
    } casos[] = {
        {"abc", "'abc' não é um número"},
        {"1.5.2", "'1.5.2' não é um número"},
        {"1e400", "'1e400' é grande ou pequeno demais para o programa"},
        {"inf", "'inf' não é um número finito"},
        {"", "falta o número"},
    };
    for (const auto& caso : casos) {
        CampoDeNumero campo;
        campo.definirValor(7.25);
        QSignalSpy avisos(&campo, &CampoDeNumero::valorAlterado);
        digitar(campo, caso.digitado);
        EXPECT_EQ(campo.problema(), QString::fromUtf8(caso.problema)) << caso.digitado;
        EXPECT_EQ(campo.toolTip(), campo.problema()) << caso.digitado;
        EXPECT_EQ(campo.text(), caso.digitado);
        EXPECT_FALSE(avisos.isEmpty()) << caso.digitado;
        if (caso.digitado == std::string("abc")) {
            EXPECT_EQ(campo.valor(), 7.25) << "the last number stays until another is typed";
        }
        // Mended, the mark goes.
        digitar(campo, "3");
        EXPECT_TRUE(campo.problema().isEmpty());
        EXPECT_EQ(campo.valor(), 3.0);
    }
}

TEST(CampoDeNumero, SetasAndamDeUmEmUmSoSobreUmNumero)
{
    CampoDeNumero campo;
    campo.definirValor(0.5);
    campo.stepBy(2);
    EXPECT_EQ(campo.valor(), 2.5);
    EXPECT_EQ(campo.text(), "2.5");
    digitar(campo, "x");
    campo.stepBy(1);
    EXPECT_EQ(campo.text(), "x");
}

} // namespace

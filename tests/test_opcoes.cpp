#include <string>
#include <utility>
#include <vector>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "campodenumero.h"
#include "cor.h"
#include "dialogodecor.h"
#include "fabricadeobjeto.h"
#include "novoobjeto_options.h"

namespace {

using Coordenadas = std::vector<Coordenada>;
using Pares = std::vector<std::pair<int, int>>;

QPushButton* botao(QWidget* editor, const QString& texto)
{
    for (QPushButton* b : editor->findChildren<QPushButton*>())
        if (b->text() == texto)
            return b;
    return nullptr;
}

// The rows of a list editor, in layout order.
template <typename Linha>
std::vector<Linha*> linhas(QWidget* editor)
{
    std::vector<Linha*> resultado;
    auto* area = editor->findChild<QScrollArea*>();
    if (!area || !area->widget() || !area->widget()->layout())
        return resultado;
    QLayout* layout = area->widget()->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (auto* linha = qobject_cast<Linha*>(layout->itemAt(i)->widget()))
            resultado.push_back(linha);
    return resultado;
}

::testing::AssertionResult mesmaCoordenada(const Coordenada& a, const Coordenada& b)
{
    if (a == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x() << ", " << a.y() << ", " << a.z() << ", " << a.w()
                                         << ") != (" << b.x() << ", " << b.y() << ", " << b.z() << ", " << b.w()
                                         << ")";
}

// --- single values -----------------------------------------------------------------------------

TEST(StringOption, EscreveOTextoInteiroACadaMudancaEAvisaCadaUma)
{
    FabricaDeObjeto::TypeString descritor("Nome", "antes", {});
    StringOption editor(&descritor);
    QSignalSpy avisos(&editor, qOverload<>(&StringOption::valueChanged));
    EXPECT_TRUE(editor.text().isEmpty());
    EXPECT_EQ(descritor.valor, "antes") << "nothing is written before the user edits";

    QTest::keyClick(&editor, Qt::Key_A);
    EXPECT_EQ(descritor.valor, "a");
    QTest::keyClick(&editor, Qt::Key_B);
    EXPECT_EQ(descritor.valor, "ab");
    EXPECT_EQ(avisos.count(), 2);

    editor.clear();
    EXPECT_EQ(descritor.valor, "");
    EXPECT_EQ(avisos.count(), 3);
}

TEST(StringOption, TextoPassaComoUtf8)
{
    FabricaDeObjeto::TypeString descritor("Nome", "", {});
    StringOption editor(&descritor);
    editor.setText(QStringLiteral("Polígono ç"));
    EXPECT_EQ(descritor.valor, "Pol\xc3\xadgono \xc3\xa7");
}

// A name must be saved as XML: what XML cannot hold is dropped from a paste, the rest kept.
TEST(StringOption, ColarTiraOQueOXmlNaoGuarda)
{
    FabricaDeObjeto::TypeString descritor("Nome", "", {});
    StringOption editor(&descritor);
    editor.setText(QStringLiteral("ab"));
    editor.setCursorPosition(1);
    editor.insert(QString::fromUtf8("x\x01y\xEF\xBF\xBF\xC2\x85"));
    EXPECT_EQ(editor.text(), QString::fromUtf8("axy\xC2\x85" "b"));
    EXPECT_EQ(descritor.valor, "axy\xC2\x85" "b");
    EXPECT_EQ(editor.cursorPosition(), 4);
}

TEST(BooleanOption, ComecaDesmarcadoSemTextoEEscreveCadaMudanca)
{
    FabricaDeObjeto::TypeBool descritor("Preenchido", true, {});
    BooleanOption editor(&descritor);
    EXPECT_FALSE(editor.isChecked());
    EXPECT_TRUE(editor.text().isEmpty());
    EXPECT_TRUE(descritor.valor) << "nothing is written before the user edits";

    editor.click();
    EXPECT_TRUE(descritor.valor);
    editor.click();
    EXPECT_FALSE(descritor.valor);
    editor.setChecked(true);
    EXPECT_TRUE(descritor.valor);
}

class ColorOptionTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.resize(30, 20);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    FabricaDeObjeto::TypeCor descritor{"Cor", Cor(1, 2, 3), {}};
    ColorOption editor{&descritor};
    QSignalSpy avisos{&editor, qOverload<>(&ColorOption::valueChanged)};
};

TEST_F(ColorOptionTeste, ComecaPretoENaoEscreveNadaAteUmaEscolha)
{
    EXPECT_EQ(editor.color(), QColor(Qt::black));
    EXPECT_EQ(descritor.valor, Cor(1, 2, 3));
}

TEST_F(ColorOptionTeste, CorEscolhidaEEscritaEAvisada)
{
    auto resposta = escolherCor(QColor(250, 128, 7));
    QTest::mouseClick(&editor, Qt::LeftButton);
    ASSERT_TRUE(resposta->visto());
    EXPECT_EQ(descritor.valor, Cor(250, 128, 7));
    EXPECT_EQ(avisos.count(), 1);
}

TEST_F(ColorOptionTeste, CancelarMantemACorEscolhida)
{
    auto escolha = escolherCor(QColor(0, 200, 0));
    QTest::mouseClick(&editor, Qt::LeftButton);
    ASSERT_TRUE(escolha->visto());
    ASSERT_EQ(avisos.count(), 1);

    auto cancelamento = cancelarCor();
    QTest::mouseClick(&editor, Qt::LeftButton);
    ASSERT_TRUE(cancelamento->visto());
    EXPECT_EQ(descritor.valor, Cor(0, 200, 0)) << "a cancelled pick must not turn the object black";
    EXPECT_EQ(editor.color(), QColor(0, 200, 0));
    EXPECT_EQ(avisos.count(), 1);
}

// --- coordinate lists --------------------------------------------------------------------------

// A list that takes at most two coordinates, counting how often it is asked.
class CoordenadasOptionTeste : public ::testing::Test {
protected:
    void maisUma() { botao(&editor, "+")->click(); }
    void menosUma() { botao(&editor, "-")->click(); }
    std::vector<CoordenadaOption*> linhasAgora() { return linhas<CoordenadaOption>(&editor); }

    int perguntas = 0;
    FabricaDeObjeto::TypeCoordenadas descritor{"Vértices", {}, {}, [this](const Coordenadas& lista) {
                                                   ++perguntas;
                                                   return lista.size() >= 2 ? 1 : 0;
                                               }};
    CoordenadasOption editor{&descritor};
    QSignalSpy avisos{&editor, &CoordenadasOption::valueChanged};
};

TEST_F(CoordenadasOptionTeste, MaisMenosEUmaColunaDeLinhasComRolagem)
{
    auto* grade = qobject_cast<QGridLayout*>(editor.layout());
    ASSERT_NE(grade, nullptr);
    QPushButton* mais = botao(&editor, "+");
    QPushButton* menos = botao(&editor, "-");
    ASSERT_NE(mais, nullptr);
    ASSERT_NE(menos, nullptr);
    auto* area = editor.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);

    int linha, coluna, linhas, colunas;
    grade->getItemPosition(grade->indexOf(mais), &linha, &coluna, &linhas, &colunas);
    EXPECT_EQ(std::make_pair(linha, coluna), std::make_pair(0, 0));
    grade->getItemPosition(grade->indexOf(menos), &linha, &coluna, &linhas, &colunas);
    EXPECT_EQ(std::make_pair(linha, coluna), std::make_pair(0, 1));
    grade->getItemPosition(grade->indexOf(area), &linha, &coluna, &linhas, &colunas);
    EXPECT_EQ(std::make_pair(linha, coluna), std::make_pair(1, 0));
    EXPECT_EQ(std::make_pair(linhas, colunas), std::make_pair(1, 2));

    EXPECT_FALSE(area->widgetResizable());
    QWidget* container = area->widget();
    ASSERT_NE(container, nullptr);
    ASSERT_NE(qobject_cast<QVBoxLayout*>(container->layout()), nullptr);
    EXPECT_EQ(container->layout()->sizeConstraint(), QLayout::SetMinimumSize);
    EXPECT_EQ(container->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    EXPECT_EQ(container->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);

    EXPECT_TRUE(mais->isEnabled());
    EXPECT_FALSE(menos->isEnabled());
    EXPECT_TRUE(linhasAgora().empty());
    EXPECT_EQ(perguntas, 0) << "the constructor does not ask the descriptor";
}

TEST_F(CoordenadasOptionTeste, PrimeiroMaisAcrescentaALinhaZeroComCamposZerados)
{
    maisUma();
    const auto rows = linhasAgora();
    ASSERT_EQ(rows.size(), 1u);
    auto* rotulo = rows[0]->findChild<QLabel*>();
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), "0: ");
    const auto campos = rows[0]->findChildren<CampoDeNumero*>();
    ASSERT_EQ(campos.size(), 3);
    for (CampoDeNumero* campo : campos) {
        EXPECT_EQ(campo->valor(), 0.0);
        EXPECT_EQ(campo->text(), "0");
    }
    ASSERT_EQ(descritor.valor.size(), 1u);
    EXPECT_TRUE(mesmaCoordenada(descritor.valor[0], Coordenada(0, 0, 0)));
    EXPECT_TRUE(botao(&editor, "-")->isEnabled());
    EXPECT_EQ(avisos.count(), 1);
}

TEST_F(CoordenadasOptionTeste, MaisMenosMaisDeixaUmaLinhaEUmItem)
{
    maisUma();
    menosUma();
    EXPECT_TRUE(linhasAgora().empty());
    EXPECT_TRUE(descritor.valor.empty());
    EXPECT_FALSE(botao(&editor, "-")->isEnabled());
    maisUma();
    const auto rows = linhasAgora();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]->findChild<QLabel*>()->text(), "0: ");
    ASSERT_EQ(descritor.valor.size(), 1u);
    EXPECT_TRUE(mesmaCoordenada(descritor.valor[0], Coordenada(0, 0, 0)));
    EXPECT_EQ(avisos.count(), 3);
}

TEST_F(CoordenadasOptionTeste, MaisParaComAListaCheiaEMenosOReabre)
{
    QPushButton* mais = botao(&editor, "+");
    maisUma();
    EXPECT_TRUE(mais->isEnabled());
    maisUma();
    EXPECT_FALSE(mais->isEnabled()) << "the descriptor said the list is full";
    maisUma(); // a disabled button does nothing
    EXPECT_EQ(descritor.valor.size(), 2u);
    EXPECT_EQ(linhasAgora().size(), 2u);

    menosUma();
    EXPECT_TRUE(mais->isEnabled());
    EXPECT_TRUE(botao(&editor, "-")->isEnabled());
    EXPECT_EQ(perguntas, 3);
}

TEST_F(CoordenadasOptionTeste, MenosSemLinhasNaoFazNada)
{
    QMetaObject::invokeMethod(&editor, "removeCoordenada");
    EXPECT_TRUE(descritor.valor.empty());
    EXPECT_EQ(avisos.count(), 0);
    EXPECT_EQ(perguntas, 0);
    EXPECT_FALSE(botao(&editor, "-")->isEnabled());
}

TEST_F(CoordenadasOptionTeste, EditarUmaLinhaTrocaSoSeuItemEAvisa)
{
    // Without a limit, so that three rows fit.
    FabricaDeObjeto::TypeCoordenadas lista("Pontos de controle", {}, {});
    CoordenadasOption editor3(&lista);
    QSignalSpy avisos3(&editor3, &CoordenadasOption::valueChanged);
    for (int i = 0; i < 3; ++i)
        botao(&editor3, "+")->click();
    const auto rows = linhas<CoordenadaOption>(&editor3);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1]->findChild<QLabel*>()->text(), "1: ");
    EXPECT_EQ(rows[2]->findChild<QLabel*>()->text(), "2: ");

    const auto campos = rows[1]->findChildren<CampoDeNumero*>();
    ASSERT_EQ(campos.size(), 3);
    campos[0]->definirValor(1.5);
    campos[2]->definirValor(-3.25);
    campos[1]->definirValor(99999.99999); // neither bounded nor rounded
    ASSERT_EQ(lista.valor.size(), 3u);
    EXPECT_TRUE(mesmaCoordenada(lista.valor[0], Coordenada(0, 0, 0)));
    EXPECT_TRUE(mesmaCoordenada(lista.valor[1], Coordenada(1.5, 99999.99999, -3.25)));
    EXPECT_TRUE(mesmaCoordenada(lista.valor[2], Coordenada(0, 0, 0)));
    EXPECT_EQ(avisos3.count(), 6) << "three rows added and three fields changed";

    // "-" takes the last item, whatever the rows before it hold.
    botao(&editor3, "-")->click();
    ASSERT_EQ(lista.valor.size(), 2u);
    EXPECT_TRUE(mesmaCoordenada(lista.valor[1], Coordenada(1.5, 99999.99999, -3.25)));
    EXPECT_EQ(linhas<CoordenadaOption>(&editor3).size(), 2u);
}

TEST_F(CoordenadasOptionTeste, ContainerSegueAsLinhasNosDoisSentidos)
{
    editor.resize(500, 400);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QWidget* container = editor.findChild<QScrollArea*>()->widget();
    const auto altura = [container] {
        QCoreApplication::processEvents();
        return container->height();
    };

    maisUma();
    const int uma = altura();
    maisUma();
    const int duas = altura();
    EXPECT_GT(duas, uma);
    EXPECT_EQ(container->size(), container->minimumSize());
    menosUma();
    EXPECT_EQ(altura(), uma) << "the container shrinks back when a row goes";
    menosUma();
    EXPECT_LT(altura(), uma);
    EXPECT_TRUE(container->findChildren<CoordenadaOption*>().isEmpty()) << "removed rows are gone";
}

// --- integer-pair lists ------------------------------------------------------------------------

class IntIntsOptionTeste : public ::testing::Test {
protected:
    void maisUm() { botao(&editor, "+")->click(); }
    void menosUm() { botao(&editor, "-")->click(); }

    int perguntas = 0;
    // Claims to be full at once: the pair list must not ask, and must never disable "+".
    FabricaDeObjeto::TypeIntInts descritor{"Arestas", {}, {}, [this](const Pares&) {
                                               ++perguntas;
                                               return 1;
                                           }};
    IntIntsOption editor{&descritor};
};

TEST_F(IntIntsOptionTeste, MaisNuncaEDesabilitadoEMenosSegueAsLinhas)
{
    QPushButton* mais = botao(&editor, "+");
    QPushButton* menos = botao(&editor, "-");
    ASSERT_NE(mais, nullptr);
    ASSERT_NE(menos, nullptr);
    EXPECT_FALSE(menos->isEnabled());
    for (int i = 0; i < 5; ++i) {
        maisUm();
        EXPECT_TRUE(mais->isEnabled());
        EXPECT_TRUE(menos->isEnabled());
    }
    EXPECT_EQ(descritor.valor, Pares(5, {0, 0}));
    for (int i = 0; i < 5; ++i)
        menosUm();
    EXPECT_TRUE(mais->isEnabled());
    EXPECT_FALSE(menos->isEnabled());
    EXPECT_TRUE(descritor.valor.empty());
    EXPECT_EQ(perguntas, 0);
}

TEST_F(IntIntsOptionTeste, LinhasSaoDuasCaixasSemRotuloAPartirDeZero)
{
    maisUm();
    const auto rows = linhas<IntIntOption>(&editor);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0]->findChildren<QLabel*>().isEmpty());
    const auto campos = rows[0]->findChildren<QSpinBox*>();
    ASSERT_EQ(campos.size(), 2);
    for (QSpinBox* campo : campos) {
        EXPECT_EQ(campo->value(), 0);
        EXPECT_EQ(campo->minimum(), 0);
        EXPECT_EQ(campo->maximum(), 99999);
    }
    EXPECT_EQ(descritor.valor, Pares({{0, 0}}));
}

TEST_F(IntIntsOptionTeste, MaisMenosMaisDeixaUmPar)
{
    maisUm();
    menosUm();
    maisUm();
    EXPECT_EQ(linhas<IntIntOption>(&editor).size(), 1u);
    EXPECT_EQ(descritor.valor, Pares({{0, 0}}));
}

TEST_F(IntIntsOptionTeste, EditarUmaLinhaTrocaSoSeuPar)
{
    for (int i = 0; i < 3; ++i)
        maisUm();
    const auto rows = linhas<IntIntOption>(&editor);
    ASSERT_EQ(rows.size(), 3u);
    const auto campos = rows[1]->findChildren<QSpinBox*>();
    ASSERT_EQ(campos.size(), 2);
    campos[0]->setValue(7);
    campos[1]->setValue(123456); // above the range
    EXPECT_EQ(descritor.valor, Pares({{0, 0}, {7, 99999}, {0, 0}}));

    rows[2]->findChildren<QSpinBox*>()[1]->setValue(4);
    EXPECT_EQ(descritor.valor, Pares({{0, 0}, {7, 99999}, {0, 4}}));
    menosUm();
    EXPECT_EQ(descritor.valor, Pares({{0, 0}, {7, 99999}}));
}

} // namespace

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QList>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "campodenumero.h"
#include "dialogodecor.h"
#include "fabricadeobjeto.h"
#include "novoobjeto.h"
#include "novoobjeto_options.h"
#include "objeto.h"
#include "objeto3d.h"
#include "poligono.h"
#include "superficiebezier.h"
#include "superficiebspline.h"

namespace {

using Coordenadas = std::vector<Coordenada>;
using Pares = std::vector<std::pair<int, int>>;

const std::vector<FabricaDeObjeto*>& fabricasEmOrdem()
{
    static const std::vector<FabricaDeObjeto*> fabricas = {
        obterFabricaDePonto(),   obterFabricaDeReta(),    obterFabricaDePoligono(),
        obterFabricaDeBezier(),  obterFabricaDeBSpline(), obterFabricaDeObjeto3D(),
        obterFabrica(SuperficieBezier::descricao), obterFabrica(SuperficieBSpline::descricao)};
    return fabricas;
}

enum Indice { ponto, reta, poligono, bezier, bspline, objeto3d, superficieBezier, superficieBSpline };

QPushButton* botao(QWidget* editor, const QString& texto)
{
    for (QPushButton* b : editor->findChildren<QPushButton*>())
        if (b->text() == texto)
            return b;
    return nullptr;
}

// A dialog as the add command opens it, shown so that the swatch takes mouse clicks, with the
// user's moves written as helpers that go through the editors' widgets.
class DialogoAberto {
public:
    bool abrir()
    {
        dialogo.show();
        return QTest::qWaitForWindowExposed(&dialogo);
    }

    QComboBox* tipo() { return dialogo.findChild<QComboBox*>("tipo"); }
    QPushButton* ok() { return dialogo.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok); }
    QPushButton* cancelar()
    {
        return dialogo.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel);
    }

    // The parameter widget now shown, and its grid.
    QWidget* parametros()
    {
        auto* itens = dialogo.findChild<QVBoxLayout*>("itensDinamicos");
        if (!itens || itens->count() != 1)
            return nullptr;
        return itens->itemAt(0)->widget();
    }
    QGridLayout* grade() { return parametros() ? qobject_cast<QGridLayout*>(parametros()->layout()) : nullptr; }
    QWidget* em(int linha, int coluna)
    {
        QLayoutItem* item = grade()->itemAtPosition(linha, coluna);
        return item ? item->widget() : nullptr;
    }
    QString rotulo(int linha)
    {
        auto* label = qobject_cast<QLabel*>(em(linha, 0));
        return label ? label->text() : QString("<no label>");
    }
    std::pair<int, int> extensao(QWidget* w)
    {
        int linha, coluna, linhas, colunas;
        grade()->getItemPosition(grade()->indexOf(w), &linha, &coluna, &linhas, &colunas);
        return {linhas, colunas};
    }

    template <typename Editor>
    Editor* editor()
    {
        return parametros()->findChild<Editor*>();
    }

    void digitarNome(const QString& texto) { QTest::keyClicks(editor<StringOption>(), texto); }
    bool escolherCorDoObjeto(const QColor& cor)
    {
        auto resposta = escolherCor(cor);
        QTest::mouseClick(editor<ColorOption>(), Qt::LeftButton);
        return resposta->visto();
    }
    void maisCoordenada() { botao(editor<CoordenadasOption>(), "+")->click(); }
    void menosCoordenada() { botao(editor<CoordenadasOption>(), "-")->click(); }
    std::vector<CoordenadaOption*> linhasDeCoordenadas()
    {
        std::vector<CoordenadaOption*> linhas;
        QLayout* layout = editor<CoordenadasOption>()->findChild<QScrollArea*>()->widget()->layout();
        for (int i = 0; i < layout->count(); ++i)
            linhas.push_back(qobject_cast<CoordenadaOption*>(layout->itemAt(i)->widget()));
        return linhas;
    }
    // "+" and then the new row's three fields.
    void adicionarCoordenada(const Coordenada& c)
    {
        maisCoordenada();
        const auto campos = linhasDeCoordenadas().back()->findChildren<CampoDeNumero*>();
        ASSERT_EQ(campos.size(), 3);
        campos[0]->definirValor(c.x());
        campos[1]->definirValor(c.y());
        campos[2]->definirValor(c.z());
    }
    void adicionarAresta(int origem, int destino)
    {
        auto* arestas = editor<IntIntsOption>();
        botao(arestas, "+")->click();
        QLayout* layout = arestas->findChild<QScrollArea*>()->widget()->layout();
        const auto campos = layout->itemAt(layout->count() - 1)->widget()->findChildren<QSpinBox*>();
        ASSERT_EQ(campos.size(), 2);
        campos[0]->setValue(origem);
        campos[1]->setValue(destino);
    }

    NovoObjeto dialogo{nullptr};
};

class Dialogo : public ::testing::Test, public DialogoAberto {
protected:
    void SetUp() override { ASSERT_TRUE(abrir()); }
};

TEST(DialogoNovo, TemTituloETamanho)
{
    NovoObjeto dialogo(nullptr);
    EXPECT_EQ(dialogo.windowTitle(), "Dialog");
    EXPECT_EQ(dialogo.size(), QSize(640, 480));
    EXPECT_EQ(dialogo.objectName(), "NovoObjeto");
}

TEST_F(Dialogo, ListaAsFabricasEmOrdemEAbreNaPrimeira)
{
    ASSERT_EQ(tipo()->count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(tipo()->itemText(i).toStdString(), fabricasEmOrdem()[static_cast<std::size_t>(i)]->nome());
    EXPECT_EQ(tipo()->currentIndex(), 0);
    EXPECT_EQ(dialogo.obterTipo(), obterFabricaDePonto());

    // "Nome" (text), "Cor" (colour), "Coordenada" (list, on the row below its label).
    ASSERT_NE(grade(), nullptr);
    EXPECT_EQ(grade()->rowCount(), 4);
    EXPECT_EQ(rotulo(0), "Nome: ");
    EXPECT_NE(qobject_cast<StringOption*>(em(0, 1)), nullptr);
    EXPECT_EQ(rotulo(1), "Cor: ");
    EXPECT_NE(qobject_cast<ColorOption*>(em(1, 1)), nullptr);
    EXPECT_EQ(rotulo(2), "Coordenada: ");
    EXPECT_EQ(em(2, 1), nullptr);
    auto* coordenadas = qobject_cast<CoordenadasOption*>(em(3, 0));
    ASSERT_NE(coordenadas, nullptr);
    EXPECT_EQ(extensao(coordenadas), std::make_pair(1, 2));

    EXPECT_TRUE(editor<StringOption>()->text().isEmpty());
    EXPECT_TRUE(linhasDeCoordenadas().empty());
    EXPECT_FALSE(ok()->isEnabled()) << "an empty name is not valid";
    EXPECT_TRUE(cancelar()->isEnabled());
}

TEST_F(Dialogo, ParametroDeListaOcupaDuasLinhasDaGrade)
{
    tipo()->setCurrentIndex(poligono);
    EXPECT_EQ(grade()->rowCount(), 5);
    EXPECT_EQ(rotulo(2), "Vértices: ");
    EXPECT_NE(qobject_cast<CoordenadasOption*>(em(3, 0)), nullptr);
    EXPECT_EQ(rotulo(4), "Preenchido: ");
    auto* preenchido = qobject_cast<BooleanOption*>(em(4, 1));
    ASSERT_NE(preenchido, nullptr);
    EXPECT_FALSE(preenchido->isChecked());

    tipo()->setCurrentIndex(objeto3d);
    EXPECT_EQ(grade()->rowCount(), 6);
    EXPECT_EQ(rotulo(2), "Vértices: ");
    EXPECT_NE(qobject_cast<CoordenadasOption*>(em(3, 0)), nullptr);
    EXPECT_EQ(rotulo(4), "Arestas: ");
    EXPECT_EQ(em(4, 1), nullptr);
    auto* arestas = qobject_cast<IntIntsOption*>(em(5, 0));
    ASSERT_NE(arestas, nullptr);
    EXPECT_EQ(extensao(arestas), std::make_pair(1, 2));
}

TEST_F(Dialogo, MaisEMenosSeguemODescritorDeUmPonto)
{
    // Right after opening, the descriptors are the ones the dialog's editors write into.
    const auto descritores = obterFabricaDePonto()->parametros();
    ASSERT_EQ(descritores.size(), 3u);
    auto* coordenada = static_cast<FabricaDeObjeto::TypeCoordenadas*>(descritores[2]);
    QPushButton* mais = botao(editor<CoordenadasOption>(), "+");
    QPushButton* menos = botao(editor<CoordenadasOption>(), "-");

    digitarNome("P");
    EXPECT_FALSE(ok()->isEnabled());
    adicionarCoordenada(Coordenada(1, 2, 3));
    EXPECT_EQ(coordenada->valor, Coordenadas{Coordenada(1, 2, 3)});
    EXPECT_FALSE(mais->isEnabled()) << "a point takes one coordinate";
    EXPECT_TRUE(menos->isEnabled());
    EXPECT_TRUE(ok()->isEnabled());

    menosCoordenada();
    EXPECT_TRUE(coordenada->valor.empty());
    EXPECT_TRUE(mais->isEnabled());
    EXPECT_FALSE(menos->isEnabled());
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_TRUE(cancelar()->isEnabled());
}

// Catches an edge list that does not report its changes: OK would stay disabled.
TEST_F(Dialogo, OkSegueAsArestasDigitadasPorUltimo)
{
    tipo()->setCurrentIndex(objeto3d);
    digitarNome("cub");
    adicionarCoordenada(Coordenada(0, 0, 0));
    adicionarCoordenada(Coordenada(1, 1, 1));
    EXPECT_FALSE(ok()->isEnabled()) << "no edge yet";

    adicionarAresta(0, 1);
    EXPECT_TRUE(ok()->isEnabled());
}

// Catches an OK greyed without a word (the Bézier curve's count), a blank name let through, a field
// that is no number lost behind the last valid one, and a reason left standing once mended: motivo
// names what is wrong exactly while OK is disabled.
TEST_F(Dialogo, MotivoDizPorQueOOkEstaDesabilitado)
{
    auto* motivo = dialogo.findChild<QLabel*>("motivo");
    ASSERT_NE(motivo, nullptr);
    const auto diz = [&](const char* parte) {
        return !ok()->isEnabled() && motivo->isVisible() && motivo->text().contains(QString::fromUtf8(parte));
    };
    EXPECT_TRUE(diz("Nome")) << motivo->text().toStdString();
    digitarNome("   ");
    EXPECT_TRUE(diz("Nome: está vazio ou só tem espaços")) << motivo->text().toStdString();

    tipo()->setCurrentIndex(bezier);
    digitarNome("c");
    for (int i = 0; i < 5; ++i)
        adicionarCoordenada(Coordenada(i, 0, 0));
    EXPECT_TRUE(diz("precisa de 3k + 1 coordenadas")) << motivo->text().toStdString();
    EXPECT_TRUE(diz("(há 5)")) << motivo->text().toStdString();
    menosCoordenada();
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_TRUE(motivo->text().isEmpty());

    CampoDeNumero* y = linhasDeCoordenadas()[2]->findChildren<CampoDeNumero*>()[1];
    y->selectAll();
    QTest::keyClicks(y, "abc");
    EXPECT_TRUE(diz("Coordenada 2, y: 'abc' não é um número")) << motivo->text().toStdString();
    y->selectAll();
    QTest::keyClicks(y, "1e5");
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_TRUE(motivo->text().isEmpty());
    QTest::mouseClick(ok(), Qt::LeftButton);
    const std::unique_ptr<Objeto> curva = dialogo.tomarObjeto();
    ASSERT_NE(curva, nullptr);
    EXPECT_EQ(curva->coordenadas()[2].y(), 100000.0);
}

TEST_F(Dialogo, MarcarBooleanoOuEditarCoordenadaReavaliaOOk)
{
    tipo()->setCurrentIndex(poligono);
    digitarNome("t");
    for (int i = 0; i < 3; ++i)
        maisCoordenada();
    ASSERT_TRUE(ok()->isEnabled());

    // Asking the factory again resets its descriptors behind the dialog's back: they are invalid
    // now, and only a re-evaluation would show it.
    obterFabricaDePoligono()->parametros();
    editor<BooleanOption>()->click();
    EXPECT_FALSE(ok()->isEnabled()) << "toggling the boolean did not re-evaluate OK";
    EXPECT_TRUE(cancelar()->isEnabled());
}

TEST_F(Dialogo, TrocarDeTipoEVoltarRecriaOsEditoresVazios)
{
    const auto descritores = obterFabricaDePonto()->parametros();
    digitarNome("antigo");
    adicionarCoordenada(Coordenada(5, 6, 7));
    ASSERT_TRUE(ok()->isEnabled());
    QPointer<QWidget> antigo = parametros();

    tipo()->setCurrentIndex(reta);
    EXPECT_TRUE(antigo.isNull()) << "the old editors are destroyed";
    EXPECT_FALSE(ok()->isEnabled()) << "OK is evaluated for the new type";
    EXPECT_EQ(rotulo(2), "Extremos: ");
    // What the old editors wrote stays in the old factory's descriptors.
    EXPECT_EQ(static_cast<FabricaDeObjeto::TypeString*>(descritores[0])->valor, "antigo");
    EXPECT_EQ(static_cast<FabricaDeObjeto::TypeCoordenadas*>(descritores[2])->valor,
              Coordenadas{Coordenada(5, 6, 7)});

    tipo()->setCurrentIndex(ponto);
    EXPECT_EQ(dialogo.obterTipo(), obterFabricaDePonto());
    EXPECT_TRUE(editor<StringOption>()->text().isEmpty());
    EXPECT_TRUE(linhasDeCoordenadas().empty());
    EXPECT_TRUE(botao(editor<CoordenadasOption>(), "+")->isEnabled());
    EXPECT_FALSE(botao(editor<CoordenadasOption>(), "-")->isEnabled());
    EXPECT_EQ(editor<ColorOption>()->color(), QColor(Qt::black));
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_EQ(parametros()->findChildren<StringOption*>().size(), 1) << "one set of editors only";
}

TEST_F(Dialogo, CancelarODialogoDeCorMantemACorEscolhida)
{
    digitarNome("P");
    ASSERT_TRUE(escolherCorDoObjeto(QColor(200, 10, 40)));
    auto cancelamento = cancelarCor();
    QTest::mouseClick(editor<ColorOption>(), Qt::LeftButton);
    ASSERT_TRUE(cancelamento->visto());
    EXPECT_EQ(editor<ColorOption>()->color(), QColor(200, 10, 40));
    adicionarCoordenada(Coordenada(0, 0, 0));

    ok()->click();
    ASSERT_EQ(dialogo.result(), QDialog::Accepted);
    std::unique_ptr<Objeto> objeto(dialogo.obterTipo()->criar());
    ASSERT_NE(objeto, nullptr);
    EXPECT_EQ(objeto->cor(), Cor(200, 10, 40)) << "the object must not turn black";
}

TEST_F(Dialogo, CancelarRejeita)
{
    cancelar()->click();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_FALSE(dialogo.isVisible());
}

TEST_F(Dialogo, MudancaDeIdiomaReescreveOTituloEMantemOResto)
{
    dialogo.setWindowTitle("outro");
    QPointer<QWidget> antes = parametros();
    QEvent mudanca(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dialogo, &mudanca);
    EXPECT_EQ(dialogo.windowTitle(), "Dialog");
    EXPECT_EQ(tipo()->itemText(2).toStdString(), obterFabricaDePoligono()->nome());
    EXPECT_EQ(parametros(), antes.data());
    EXPECT_EQ(rotulo(0), "Nome: ");
}

// One object of every kind, entered through the editors' widgets as a user would.
struct Pedido {
    Indice indice;
    std::string tipo;
    QString nome;
    QColor cor;
    Coordenadas coordenadas;
    bool preenchido;
    Pares arestas;
};

TEST(DialogoCriacao, CriaUmObjetoDeCadaTipo)
{
    const std::vector<Pedido> pedidos = {
        {ponto, "Ponto", "P1", QColor(255, 0, 0), {Coordenada(1.5, -2, 0.25)}, false, {}},
        {reta, "Reta", "r", QColor(0, 255, 0), {Coordenada(0, 0, 0), Coordenada(10, -10.5, 3)}, false, {}},
        {poligono,
         "Polígono",
         "triângulo",
         QColor(0, 0, 255),
         {Coordenada(0, 0, 0), Coordenada(4, 0, 0), Coordenada(0, 3, 1)},
         true,
         {}},
        {bezier,
         "Curva de Bézier",
         "b",
         QColor(10, 20, 30),
         {Coordenada(0, 0, 0), Coordenada(1, 2, 0), Coordenada(3, 2, 0), Coordenada(4, 0, 0)},
         false,
         {}},
        {bspline,
         "B-Spline",
         "s",
         QColor(90, 80, 70),
         {Coordenada(0, 0, 0), Coordenada(1, 1, 0), Coordenada(2, -1, 0), Coordenada(3, 0, 0),
          Coordenada(4, 2, -9999.5)},
         false,
         {}},
        {objeto3d,
         "Objeto 3D",
         "cubo",
         QColor(51, 51, 51),
         {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(1, 1, 0)},
         false,
         {{0, 1}, {1, 2}, {2, 0}}},
    };

    for (const Pedido& pedido : pedidos) {
        SCOPED_TRACE(pedido.tipo);
        DialogoAberto d;
        ASSERT_TRUE(d.abrir());
        d.tipo()->setCurrentIndex(pedido.indice);
        d.editor<StringOption>()->setText(pedido.nome);
        ASSERT_TRUE(d.escolherCorDoObjeto(pedido.cor));
        for (const Coordenada& c : pedido.coordenadas)
            d.adicionarCoordenada(c);
        if (pedido.preenchido)
            d.editor<BooleanOption>()->click();
        for (const auto& [origem, destino] : pedido.arestas)
            d.adicionarAresta(origem, destino);
        // Pairs are not reported; any change of the name makes the dialog look again.
        d.digitarNome("!");
        d.editor<StringOption>()->backspace();

        ASSERT_TRUE(d.ok()->isEnabled());
        d.ok()->click();
        ASSERT_EQ(d.dialogo.result(), QDialog::Accepted);
        std::unique_ptr<Objeto> objeto(d.dialogo.obterTipo()->criar());
        ASSERT_NE(objeto, nullptr);
        EXPECT_EQ(objeto->nomeDoTipo(), pedido.tipo);
        EXPECT_EQ(objeto->nome(), pedido.nome.toStdString());
        EXPECT_EQ(objeto->cor(), Cor(pedido.cor.red(), pedido.cor.green(), pedido.cor.blue()));
        EXPECT_EQ(objeto->coordenadas(), pedido.coordenadas);
        if (auto* p = dynamic_cast<Poligono*>(objeto.get())) {
            EXPECT_EQ(p->preenchido(), pedido.preenchido);
        }
        if (auto* o = dynamic_cast<Objeto3D*>(objeto.get())) {
            EXPECT_EQ(o->arestas(), pedido.arestas);
        }
    }
}

} // namespace

// The edges come from the wireframe's own kind: without them OK stays off, and a wireframe
// could not be renamed or recoloured.
TEST_F(Dialogo, EditarUmObjeto3DMostraAsSuasArestas)
{
    const Objeto3D cubo("cubo", Cor(1, 2, 3), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)},
                        {{0, 1}, {2, 1}});
    dialogo.preencher(cubo);
    EXPECT_TRUE(ok()->isEnabled());
    std::unique_ptr<Objeto> copia(dialogo.obterTipo()->criar());
    ASSERT_NE(copia, nullptr);
    ASSERT_EQ(copia->tipo(), &Objeto3D::descricao);
    EXPECT_EQ(static_cast<const Objeto3D&>(*copia).arestas(), (Pares{{0, 1}, {2, 1}}));
    EXPECT_EQ(copia->coordenadas(), cubo.coordenadas());
    EXPECT_EQ(copia->cor(), cubo.cor());
}

namespace {

QSpinBox* campoDaGrade(DialogoAberto& d, const char* nome)
{
    return d.dialogo.findChild<QSpinBox*>(nome);
}

// The grid's point editors, row by row.
QList<CoordenadaOption*> pontosDaGrade(DialogoAberto& d)
{
    return d.editor<GradeOption>()->findChildren<CoordenadaOption*>();
}

void digitarPonto(CoordenadaOption* ponto, const Coordenada& c)
{
    const auto campos = ponto->findChildren<CampoDeNumero*>();
    ASSERT_EQ(campos.size(), 3);
    campos[0]->definirValor(c.x());
    campos[1]->definirValor(c.y());
    campos[2]->definirValor(c.z());
}

Coordenada pontoMostrado(CoordenadaOption* ponto)
{
    const auto campos = ponto->findChildren<CampoDeNumero*>();
    return Coordenada(campos[0]->valor(), campos[1]->valor(), campos[2]->valor());
}

} // namespace

// A grid kind is edited as a grid: its shape in `linhas` and `colunas`, each point at its row and
// column through a resize (also one that takes the point away and back), OK only while the kind's
// rule holds, with the reason shown, and the mesh density in `malha`.
TEST_F(Dialogo, GradeDeSuperficieGuardaOQueFoiDigitadoESegueARegra)
{
    tipo()->setCurrentIndex(superficieBezier);
    QSpinBox* linhas = campoDaGrade(*this, "linhas");
    QSpinBox* colunas = campoDaGrade(*this, "colunas");
    QSpinBox* malha = campoDaGrade(*this, "malha");
    ASSERT_TRUE(linhas && colunas && malha);
    EXPECT_EQ(linhas->value(), 4);
    EXPECT_EQ(colunas->value(), 4);
    EXPECT_EQ(malha->value(), 10);
    digitarNome("s");
    EXPECT_TRUE(ok()->isEnabled()) << "the smallest grid, flat at the origin";
    ASSERT_EQ(pontosDaGrade(*this).size(), 16);
    digitarPonto(pontosDaGrade(*this)[1 * 4 + 2], Coordenada(1, 2, 3));

    auto* motivo = dialogo.findChild<QLabel*>("motivo");
    colunas->setValue(5);
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_TRUE(motivo->isVisibleTo(&dialogo));
    EXPECT_EQ(motivo->text(), "Pontos de controle: precisa de 3k + 1 colunas, com k ≥ 1 (há 5).");

    colunas->setValue(7);
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_FALSE(motivo->isVisibleTo(&dialogo));
    ASSERT_EQ(pontosDaGrade(*this).size(), 28);
    EXPECT_EQ(pontoMostrado(pontosDaGrade(*this)[1 * 7 + 2]), Coordenada(1, 2, 3)) << "kept at its row and column";
    digitarPonto(pontosDaGrade(*this)[3 * 7 + 6], Coordenada(4, 5, 6));
    colunas->setValue(4);
    colunas->setValue(7);
    EXPECT_EQ(pontoMostrado(pontosDaGrade(*this)[3 * 7 + 6]), Coordenada(4, 5, 6)) << "back with its column";
    malha->setValue(3);

    ok()->click();
    ASSERT_EQ(dialogo.result(), QDialog::Accepted);
    const std::unique_ptr<Objeto> objeto = dialogo.tomarObjeto();
    const auto* s = dynamic_cast<const SuperficieBezier*>(objeto.get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->grade().linhas, 4u);
    EXPECT_EQ(s->grade().colunas, 7u);
    EXPECT_EQ(s->grade().malha, 3);
    Coordenadas esperadas(28, Coordenada(0, 0, 0));
    esperadas[1 * 7 + 2] = Coordenada(1, 2, 3);
    esperadas[3 * 7 + 6] = Coordenada(4, 5, 6);
    EXPECT_EQ(s->coordenadas(), esperadas);
}

// Editing a surface shows its grid and density, and a point left alone keeps all its digits.
TEST_F(Dialogo, EditarUmaSuperficieMostraSuaGradeEMantemOsPontos)
{
    Coordenadas pontos;
    for (int i = 0; i < 20; ++i)
        pontos.emplace_back(i / 3.0, 1e-7 * i, -i);
    const SuperficieBSpline original("s", Cor(1, 2, 3), pontos, {5, 4, 7});
    dialogo.preencher(original);
    EXPECT_EQ(campoDaGrade(*this, "linhas")->value(), 5);
    EXPECT_EQ(campoDaGrade(*this, "colunas")->value(), 4);
    EXPECT_EQ(campoDaGrade(*this, "malha")->value(), 7);
    EXPECT_EQ(pontosDaGrade(*this).size(), 20);
    ASSERT_TRUE(ok()->isEnabled());
    const std::unique_ptr<Objeto> copia(dialogo.obterTipo()->criar());
    const auto* s = dynamic_cast<const SuperficieBSpline*>(copia.get());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->coordenadas(), pontos);
    EXPECT_EQ(s->grade().linhas, 5u);
    EXPECT_EQ(s->grade().malha, 7);
}

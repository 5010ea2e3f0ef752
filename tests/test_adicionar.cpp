// Adding objects as a user does: the button (or N) opens the real new-object dialog, whose editors
// are filled through their own widgets before OK or Cancel is clicked.

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogodecor.h"
#include "janelaprincipal.h"
#include "campodenumero.h"
#include "novoobjeto.h"
#include "numeros.h"
#include "novoobjeto_options.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"

namespace {

using Coordenadas = std::vector<Coordenada>;
using Arestas = std::vector<std::pair<int, int>>;

// Opens the dialog with `abrir` and runs `preencher` on it once it is the modal widget. Whatever
// `preencher` manages, the dialog is closed afterwards, and a bound closes every modal dialog (a
// colour dialog nobody answered included), so a failing step fails the test instead of leaving it
// waiting in exec(). Returns whether the dialog opened.
bool comODialogo(const std::function<void()>& abrir, const std::function<void(NovoObjeto&)>& preencher)
{
    bool aberto = false;
    QTimer espera;
    espera.setInterval(5);
    QObject::connect(&espera, &QTimer::timeout, [&] {
        auto* dialogo = qobject_cast<NovoObjeto*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        espera.stop();
        aberto = true;
        preencher(*dialogo);
        if (dialogo->isVisible()) {
            ADD_FAILURE() << "the new-object dialog was left open";
            dialogo->reject();
        }
    });
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, [] {
        ADD_FAILURE() << "modal dialogs still open after the time allowed";
        for (int i = 0; i < 4; ++i)
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                modal->reject();
    });
    espera.start();
    limite.start(5000);
    abrir();
    return aberto;
}

QPushButton* botao(QWidget* dentro, const QString& texto)
{
    for (QPushButton* b : dentro->findChildren<QPushButton*>())
        if (b->text() == texto)
            return b;
    ADD_FAILURE() << "no button " << texto.toStdString();
    return nullptr;
}

// "+" of a list editor (its slots hang on released(), so a real click), then the new row.
QWidget* novaLinha(QWidget* editor)
{
    QPushButton* mais = botao(editor, "+");
    if (!mais || !mais->isEnabled()) {
        ADD_FAILURE() << "\"+\" cannot be clicked";
        return nullptr;
    }
    QTest::mouseClick(mais, Qt::LeftButton);
    QLayout* linhas = editor->findChild<QScrollArea*>()->widget()->layout();
    return linhas->count() ? linhas->itemAt(linhas->count() - 1)->widget() : nullptr;
}

// Replaces a number field's text by keys, with the separator of the user's locale (a decimal comma
// under pt_BR), which the field takes as well as a point.
void digitar(CampoDeNumero* campo, double valor)
{
    campo->selectAll();
    QTest::keyClicks(campo, escreverNumero(valor).replace(QLatin1Char('.'), QLocale().decimalPoint()));
    EXPECT_EQ(campo->valor(), valor) << campo->text().toStdString();
}

void digitar(QSpinBox* campo, int valor)
{
    campo->selectAll();
    QTest::keyClicks(campo, QString::number(valor));
    EXPECT_EQ(campo->value(), valor) << campo->text().toStdString();
}

// QTest::keyClicks knows ASCII keys only; a letter such as "â" comes as its own key carrying its
// text, as from a keyboard that has it.
void digitarTexto(QWidget* campo, const QString& texto)
{
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(campo, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, campo, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

struct Pedido {
    const char* caso;
    bool pelaTecla; // N instead of the button
    QString tipo;   // the combo-box text, which is also the object's type name
    QString nome;
    QColor cor;
    Coordenadas coordenadas;
    bool preenchido;
    Arestas arestas;
};

void PrintTo(const Pedido& p, std::ostream* os) { *os << p.caso; }

// Chooses the kind and fills its editors. The name comes last: typing it makes the dialog look at
// every descriptor again, edges included, which it is not told about.
void preencher(NovoObjeto& dialogo, const Pedido& p)
{
    auto* tipo = dialogo.findChild<QComboBox*>("tipo");
    ASSERT_NE(tipo, nullptr);
    ASSERT_GE(tipo->findText(p.tipo), 0);
    tipo->setCurrentIndex(tipo->findText(p.tipo));
    QLayout* itens = dialogo.findChild<QVBoxLayout*>("itensDinamicos");
    ASSERT_TRUE(itens && itens->count() == 1);
    QWidget* parametros = itens->itemAt(0)->widget();

    for (const Coordenada& c : p.coordenadas) {
        QWidget* linha = novaLinha(parametros->findChild<CoordenadasOption*>());
        ASSERT_NE(linha, nullptr);
        const auto campos = linha->findChildren<CampoDeNumero*>();
        ASSERT_EQ(campos.size(), 3);
        digitar(campos[0], c.x());
        digitar(campos[1], c.y());
        digitar(campos[2], c.z());
    }
    if (p.preenchido)
        clicarEm(parametros->findChild<BooleanOption*>());
    for (const auto& [origem, destino] : p.arestas) {
        QWidget* linha = novaLinha(parametros->findChild<IntIntsOption*>());
        ASSERT_NE(linha, nullptr);
        const auto campos = linha->findChildren<QSpinBox*>();
        ASSERT_EQ(campos.size(), 2);
        digitar(campos[0], origem);
        digitar(campos[1], destino);
    }
    auto resposta = escolherCor(p.cor);
    QTest::mouseClick(parametros->findChild<ColorOption*>(), Qt::LeftButton);
    ASSERT_TRUE(resposta->visto()) << "the swatch opened no colour dialog";
    auto* nome = parametros->findChild<StringOption*>();
    digitarTexto(nome, p.nome);
    EXPECT_EQ(nome->text(), p.nome);
}

QPushButton* botaoDoDialogo(NovoObjeto& dialogo, QDialogButtonBox::StandardButton qual)
{
    return dialogo.findChild<QDialogButtonBox*>("buttonBox")->button(qual);
}

int pixelsDaCor(QWidget* w, const QColor& cor)
{
    const QImage imagem = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            n += imagem.pixelColor(x, y) == cor;
    return n;
}

class AdicionarCadaTipo : public JanelaComUmObjeto, public ::testing::WithParamInterface<Pedido> {};

TEST_P(AdicionarCadaTipo, OObjetoDoDialogoEntraNoFimDaCenaEDaLista)
{
    const Pedido& p = GetParam();
    const bool aberto = comODialogo(
        [&] {
            // The list would take N for its own search: the key works where the window has it.
            if (p.pelaTecla) {
                w.setFocus();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_N);
            } else {
                clicarEmAdicionar();
            }
        },
        [&](NovoObjeto& dialogo) {
            preencher(dialogo, p);
            QPushButton* ok = botaoDoDialogo(dialogo, QDialogButtonBox::Ok);
            ASSERT_TRUE(ok->isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
        });
    ASSERT_TRUE(aberto) << "the add command opened no dialog";
    EXPECT_EQ(w.findChild<NovoObjeto*>(), nullptr) << "the dialog outlived the command";

    ASSERT_EQ(cena().size(), 2u);
    EXPECT_EQ(cena()[0], existente);
    const Objeto* novo = cena()[1];
    EXPECT_EQ(novo->nomeDoTipo(), p.tipo.toStdString());
    EXPECT_EQ(novo->nome(), p.nome.toStdString());
    EXPECT_EQ(novo->cor(), Cor(p.cor.red(), p.cor.green(), p.cor.blue()));
    EXPECT_EQ(novo->coordenadas(), p.coordenadas);
    if (p.tipo == QStringLiteral("Polígono")) {
        auto* poligono = dynamic_cast<const Poligono*>(novo);
        ASSERT_NE(poligono, nullptr);
        EXPECT_EQ(poligono->preenchido(), p.preenchido);
    }
    if (!p.arestas.empty()) {
        auto* objeto3d = dynamic_cast<const Objeto3D*>(novo);
        ASSERT_NE(objeto3d, nullptr);
        EXPECT_EQ(objeto3d->arestas(), p.arestas);
    }

    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(0)->text(), "velho : Ponto");
    EXPECT_EQ(lista->item(1)->text(), p.nome + " : " + p.tipo);
    EXPECT_EQ(lista->currentItem(), nullptr);
    EXPECT_TRUE(lista->selectedItems().isEmpty());
    EXPECT_EQ(objetosDasLinhas(w).at(1), novo);

    // The canvas draws it: its colour appears nowhere else there.
    EXPECT_GT(pixelsDaCor(canvasDe(w), p.cor), 0);

    // The keys go to the window once it is active again (offscreen, no window manager does it).
    EXPECT_EQ(w.focusWidget(), &w);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(w.hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), &w);
}

const Pedido pedidos[] = {
    {"Ponto", false, "Ponto", "P1", QColor(220, 20, 60), {Coordenada(1.5, -2.25, 0.75)}, false, {}},
    {"RetaPelaTeclaN", true, "Reta", "r", QColor(0, 160, 0), {Coordenada(-4, -3, 0), Coordenada(5, 2.5, 1)}, false, {}},
    {"PoligonoPreenchido",
     false,
     QStringLiteral("Polígono"),
     QStringLiteral("triângulo"),
     QColor(0, 0, 255),
     {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(0, 5, 0.5)},
     true,
     {}},
    {"Bezier",
     false,
     QStringLiteral("Curva de Bézier"),
     "b",
     QColor(200, 100, 0),
     {Coordenada(-6, 0, 0), Coordenada(-2, 6, 0), Coordenada(2, 6, 0), Coordenada(6, 0, 0)},
     false,
     {}},
    {"BSpline",
     false,
     "B-Spline",
     "s",
     QColor(130, 0, 130),
     {Coordenada(-6, -2, 0), Coordenada(-3, 4, 0), Coordenada(0, -4, 0), Coordenada(3, 4, 0), Coordenada(6, -2, 0)},
     false,
     {}},
    {"Objeto3D",
     false,
     "Objeto 3D",
     "cubo",
     QColor(0, 128, 128),
     {Coordenada(-3, -3, 0), Coordenada(3, -3, 0), Coordenada(3, 3, 2), Coordenada(-3, 3, 2)},
     false,
     {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 2}}},
};

INSTANTIATE_TEST_SUITE_P(Tipos, AdicionarCadaTipo, ::testing::ValuesIn(pedidos),
                         [](const ::testing::TestParamInfo<Pedido>& info) { return std::string(info.param.caso); });

TEST_F(JanelaComUmObjeto, CancelarDepoisDePreencherNaoMudaNada)
{
    const Pedido p = pedidos[2];
    const bool aberto = comODialogo([&] { clicarEmAdicionar(); },
                                    [&](NovoObjeto& dialogo) {
                                        preencher(dialogo, p);
                                        ASSERT_TRUE(botaoDoDialogo(dialogo, QDialogButtonBox::Ok)->isEnabled());
                                        QTest::mouseClick(botaoDoDialogo(dialogo, QDialogButtonBox::Cancel),
                                                          Qt::LeftButton);
                                    });
    ASSERT_TRUE(aberto) << "the add command opened no dialog";
    EXPECT_EQ(w.findChild<NovoObjeto*>(), nullptr) << "the dialog outlived the command";

    ASSERT_EQ(cena().size(), 1u);
    EXPECT_EQ(cena()[0], existente);
    ASSERT_EQ(lista->count(), 1);
    EXPECT_EQ(lista->item(0)->text(), "velho : Ponto");
    EXPECT_EQ(lista->currentRow(), 0);
    // Where the user's click put it, on the button: the command took nothing back.
    EXPECT_EQ(w.focusWidget(), filho<QPushButton>(w, "adicionarButton"));
    EXPECT_EQ(pixelsDaCor(canvasDe(w), p.cor), 0);
}

} // namespace

TEST_F(JanelaComUmObjeto, AdicionarRepintaOCanvas)
{
    const Pedido& p = pedidos[0];
    EXPECT_TRUE(repintaOCanvas(w, "adicionar", [&] {
        comODialogo([&] { clicarEmAdicionar(); },
                    [&](NovoObjeto& dialogo) {
                        preencher(dialogo, p);
                        QTest::mouseClick(botaoDoDialogo(dialogo, QDialogButtonBox::Ok), Qt::LeftButton);
                    });
    }));
    EXPECT_EQ(cena().size(), 2u);
}

// The main window's widget tree and texts, the object list, the help panel, language changes and
// Escape.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDial>
#include <QDockWidget>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <map>

#include "fabricadeobjeto.h"
#include "janelaprincipal.h"
#include "novoobjeto.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "transformacao.h"

namespace {

// Where a widget or layout sits in a grid, as (row, column).
std::pair<int, int> celula(QGridLayout* grade, QWidget* w)
{
    const int i = grade->indexOf(w);
    if (i < 0)
        return {-1, -1};
    int linha, coluna, nl, nc;
    grade->getItemPosition(i, &linha, &coluna, &nl, &nc);
    return {linha, coluna};
}

std::pair<int, int> celula(QGridLayout* grade, QLayout* l)
{
    for (int i = 0; i < grade->count(); ++i)
        if (grade->itemAt(i)->layout() == l) {
            int linha, coluna, nl, nc;
            grade->getItemPosition(i, &linha, &coluna, &nl, &nc);
            return {linha, coluna};
        }
    return {-1, -1};
}

void esperarMargens(QLayout* l, int margem, int espaco)
{
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->contentsMargins(), QMargins(margem, margem, margem, margem)) << l->objectName().toStdString();
    EXPECT_EQ(l->spacing(), espaco) << l->objectName().toStdString();
}

// Runs acao on the new-object dialog as soon as the add command has it on screen; *aberto tells
// whether it ever opened. The timer dies with the window if it never does.
void quandoODialogoAbrir(MainWindow& w, std::function<void(NovoObjeto*)> acao, bool* aberto)
{
    QTimer::singleShot(0, &w, [&w, acao, aberto] {
        auto* d = w.findChild<NovoObjeto*>();
        if (!d || !d->isVisible()) {
            quandoODialogoAbrir(w, acao, aberto);
            return;
        }
        *aberto = true;
        acao(d);
    });
}

// Chooses a factory in the dialog and fills its descriptors the way its editors would.
void escolherPonto(NovoObjeto* d, const std::string& nome, Coordenada onde)
{
    auto* tipo = d->findChild<QComboBox*>("tipo");
    ASSERT_NE(tipo, nullptr);
    tipo->setCurrentIndex(tipo->findText("Ponto"));
    FabricaDeObjeto* fabrica = d->obterTipo();
    ASSERT_NE(fabrica, nullptr);
    std::vector<FabricaDeObjeto::Type*> parametros = fabrica->parametros();
    ASSERT_EQ(parametros.size(), 3u);
    static_cast<FabricaDeObjeto::TypeString*>(parametros[0])->valor = nome;
    static_cast<FabricaDeObjeto::TypeCoordenadas*>(parametros[2])->valor = {onde};
}

} // namespace

TEST(JanelaPrincipal, ArvoreDeWidgetsComClassesELugares)
{
    MainWindow w;
    mostrada(w);
    EXPECT_EQ(w.objectName(), "MainWindow");
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.focusPolicy(), Qt::StrongFocus);
    EXPECT_FALSE(w.documentMode());
    EXPECT_TRUE(w.windowIcon().isNull());

    const std::vector<std::pair<const char*, const char*>> classes = {
        {"centralWidget", "QWidget"}, {"mainHelp", "QSplitter"}, {"splitter_2", "QSplitter"},
        {"splitter", "QSplitter"}, {"verticalLayoutWidget", "QWidget"}, {"objetos", "QListWidget"},
        {"formLayoutWidget", "QWidget"}, {"adicionarButton", "QPushButton"}, {"mostrarCoordenadas", "QCheckBox"},
        {"windowLabel", "QLabel"}, {"windowCima", "QToolButton"}, {"windowRotacaoYDisplay", "QDial"},
        {"windowEsquerda", "QToolButton"}, {"windowRotacaoZDisplay", "QDial"}, {"windowDireito", "QToolButton"},
        {"windowBaixo", "QToolButton"}, {"windowRotacaoXDisplay", "QDial"}, {"label", "QLabel"},
        {"tabWidget", "QTabWidget"}, {"aba_rotacao", "QWidget"}, {"gridLayoutWidget_2", "QWidget"},
        {"orbitar", "QRadioButton"}, {"orbitarXLabel", "QLabel"}, {"orbitarX", "QSpinBox"},
        {"orbitarYLabel", "QLabel"}, {"orbitarY", "QSpinBox"}, {"horizontalLayoutWidget_4", "QWidget"},
        {"objetoRotacaoDisplay", "QLineEdit"}, {"objetoAplicarRotacao", "QPushButton"}, {"aba_escala", "QWidget"},
        {"horizontalLayoutWidget_2", "QWidget"}, {"label_2", "QLabel"}, {"fatorEscalaDisplay", "QLineEdit"},
        {"botaoEscala", "QPushButton"}, {"gridLayoutWidget", "QWidget"},
        {"help", "QTextBrowser"}, {"menuBar", "QMenuBar"}, {"menuCena", "QMenu"},
        {"menuHelp", "QMenu"}, {"statusBar", "QStatusBar"}, {"menuProjecao", "QMenu"}, {"menuRecorte", "QMenu"},
        {"inspetor", "Inspetor"}};
    for (const auto& [nome, classe] : classes) {
        QWidget* x = filho<QWidget>(w, nome);
        ASSERT_NE(x, nullptr);
        EXPECT_STREQ(x->metaObject()->className(), classe) << nome;
    }
    // Only keys reach these slots: no widgets carry their names.
    for (const char* nome : {"zoomInButton", "zoomOutButton", "objetoEsquerdo", "objetoDireita", "objetoBaixo", "objetoCima"})
        EXPECT_EQ(w.findChild<QObject*>(QString::fromLatin1(nome)), nullptr) << nome;

    auto* central = filho<QWidget>(w, "centralWidget");
    EXPECT_EQ(w.centralWidget(), central);
    esperarMargens(central->layout(), 11, 6);
    EXPECT_EQ(central->layout()->objectName(), "verticalLayout_2");
    ASSERT_EQ(central->layout()->count(), 1);
    auto* mainHelp = filho<QSplitter>(w, "mainHelp");
    EXPECT_EQ(central->layout()->itemAt(0)->widget(), mainHelp);
    EXPECT_EQ(mainHelp->orientation(), Qt::Horizontal);
    ASSERT_EQ(mainHelp->count(), 2);
    EXPECT_EQ(mainHelp->widget(0), filho<QSplitter>(w, "splitter_2"));
    EXPECT_EQ(mainHelp->widget(1), filho<QTextBrowser>(w, "help"));

    auto* splitter2 = filho<QSplitter>(w, "splitter_2");
    EXPECT_EQ(splitter2->orientation(), Qt::Horizontal);
    EXPECT_EQ(splitter2->layoutDirection(), Qt::LeftToRight);
    ASSERT_EQ(splitter2->count(), 3);
    EXPECT_EQ(splitter2->widget(0), filho<QSplitter>(w, "splitter"));
    EXPECT_EQ(splitter2->widget(1), filho<QWidget>(w, "gridLayoutWidget"));
    EXPECT_EQ(splitter2->widget(2), filho<QWidget>(w, "vistaExterna"));

    auto* splitter = filho<QSplitter>(w, "splitter");
    EXPECT_EQ(splitter->orientation(), Qt::Vertical);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), filho<QWidget>(w, "verticalLayoutWidget"));
    EXPECT_EQ(splitter->widget(1), filho<QWidget>(w, "formLayoutWidget"));

    QLayout* verticalLayout = filho<QWidget>(w, "verticalLayoutWidget")->layout();
    esperarMargens(verticalLayout, 0, 6);
    ASSERT_EQ(verticalLayout->count(), 1);
    EXPECT_EQ(verticalLayout->itemAt(0)->widget(), filho<QListWidget>(w, "objetos"));

    QLayout* controles = filho<QWidget>(w, "formLayoutWidget")->layout();
    esperarMargens(controles, 0, 6);
    EXPECT_EQ(controles->objectName(), "verticalLayout_3");
    ASSERT_EQ(controles->count(), 6);
    EXPECT_EQ(controles->itemAt(0)->widget(), filho<QPushButton>(w, "adicionarButton"));
    EXPECT_EQ(controles->itemAt(1)->widget(), filho<QCheckBox>(w, "mostrarCoordenadas"));
    EXPECT_EQ(controles->itemAt(2)->widget(), filho<QLabel>(w, "windowLabel"));
    auto* cruz = qobject_cast<QGridLayout*>(controles->itemAt(3)->layout());
    ASSERT_NE(cruz, nullptr);
    EXPECT_EQ(cruz->objectName(), "gridLayout_2");
    EXPECT_EQ(controles->itemAt(4)->widget(), filho<QLabel>(w, "label"));
    QLayout* linhaDasAbas = controles->itemAt(5)->layout();
    ASSERT_NE(linhaDasAbas, nullptr);
    EXPECT_EQ(linhaDasAbas->objectName(), "horizontalLayout_4");
    ASSERT_EQ(linhaDasAbas->count(), 1);
    EXPECT_EQ(linhaDasAbas->itemAt(0)->widget(), filho<QTabWidget>(w, "tabWidget"));

    // The camera cross, and under it the dials X, Y and Z in a row, each above its label.
    using C = std::pair<int, int>;
    EXPECT_EQ(celula(cruz, filho<QToolButton>(w, "windowCima")), C(0, 2));
    EXPECT_EQ(celula(cruz, filho<QToolButton>(w, "windowEsquerda")), C(1, 1));
    EXPECT_EQ(celula(cruz, filho<QToolButton>(w, "windowDireito")), C(1, 3));
    EXPECT_EQ(celula(cruz, filho<QToolButton>(w, "windowBaixo")), C(2, 2));
    EXPECT_EQ(celula(cruz, filho<QDial>(w, "windowRotacaoXDisplay")), C(3, 1));
    EXPECT_EQ(celula(cruz, filho<QDial>(w, "windowRotacaoYDisplay")), C(3, 2));
    EXPECT_EQ(celula(cruz, filho<QDial>(w, "windowRotacaoZDisplay")), C(3, 3));
    EXPECT_EQ(celula(cruz, filho<QLabel>(w, "rotuloRotacaoX")), C(4, 1));
    EXPECT_EQ(celula(cruz, filho<QLabel>(w, "rotuloRotacaoY")), C(4, 2));
    EXPECT_EQ(celula(cruz, filho<QLabel>(w, "rotuloRotacaoZ")), C(4, 3));
    EXPECT_EQ(celula(cruz, w.findChild<QHBoxLayout*>("horizontalLayout")), C(0, 1));
    int espacadores = 0;
    for (int i = 0; i < cruz->count(); ++i)
        if (QSpacerItem* s = cruz->itemAt(i)->spacerItem()) {
            ++espacadores;
            int linha, coluna, nl, nc;
            cruz->getItemPosition(i, &linha, &coluna, &nl, &nc);
            EXPECT_EQ(linha, 0);
            EXPECT_TRUE(coluna == 0 || coluna == 4) << coluna;
            EXPECT_EQ(s->sizeHint(), QSize(40, 20));
            EXPECT_EQ(s->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
            EXPECT_EQ(s->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
        }
    EXPECT_EQ(espacadores, 2);
    for (const char* nome : {"windowCima", "windowEsquerda", "windowDireito", "windowBaixo"})
        EXPECT_EQ(filho<QToolButton>(w, nome)->minimumSize(), QSize(40, 40)) << nome;

    // The canvas alone in its cell, inside the layout that keeps the camera window's proportions,
    // with no scroll bars that would scroll nothing.
    auto* grade = qobject_cast<QGridLayout*>(filho<QWidget>(w, "gridLayoutWidget")->layout());
    ASSERT_NE(grade, nullptr);
    esperarMargens(grade, 0, 0);
    QViewport* canvas = canvasDe(w);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->parentWidget(), filho<QWidget>(w, "gridLayoutWidget"));
    QLayoutItem* celulaDoCanvas = grade->itemAtPosition(2, 0);
    ASSERT_NE(celulaDoCanvas, nullptr);
    ASSERT_NE(celulaDoCanvas->layout(), nullptr);
    EXPECT_EQ(celulaDoCanvas->layout()->indexOf(canvas), 0);
    EXPECT_TRUE(w.findChildren<QScrollBar*>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
    EXPECT_EQ(filho<QWidget>(w, "gridLayoutWidget")->findChild<QScrollBar*>(), nullptr);
    EXPECT_EQ(canvas->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(canvas->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

    // Rotation and scale at fixed geometries, with no layouts of their own; the rotation's axis row
    // between the orbit and the angle, all of it inside the tab's minimum size. Translation after them.
    auto* abas = filho<QTabWidget>(w, "tabWidget");
    ASSERT_EQ(abas->count(), 3);
    EXPECT_EQ(abas->widget(0), filho<QWidget>(w, "aba_rotacao"));
    EXPECT_EQ(abas->widget(1), filho<QWidget>(w, "aba_escala"));
    EXPECT_EQ(abas->widget(2), filho<QWidget>(w, "aba_translacao"));
    EXPECT_EQ(abas->currentIndex(), 0);
    EXPECT_EQ(filho<QWidget>(w, "aba_rotacao")->layout(), nullptr);
    EXPECT_EQ(filho<QWidget>(w, "aba_escala")->layout(), nullptr);
    EXPECT_EQ(filho<QWidget>(w, "aba_rotacao")->minimumSize(), QSize(180, 150));
    EXPECT_EQ(filho<QWidget>(w, "gridLayoutWidget_2")->geometry(), QRect(0, 10, 180, 63));
    EXPECT_EQ(filho<QWidget>(w, "eixosDeRotacao")->geometry(), QRect(0, 72, 180, 28));
    EXPECT_EQ(filho<QWidget>(w, "horizontalLayoutWidget_4")->geometry(), QRect(0, 98, 143, 51));
    EXPECT_EQ(filho<QWidget>(w, "horizontalLayoutWidget_2")->geometry(), QRect(10, 10, 121, 41));
    EXPECT_EQ(filho<QWidget>(w, "botaoEscala")->geometry(), QRect(30, 60, 80, 26));
    EXPECT_EQ(filho<QWidget>(w, "gridLayoutWidget_2")->parentWidget(), filho<QWidget>(w, "aba_rotacao"));
    EXPECT_EQ(filho<QWidget>(w, "botaoEscala")->parentWidget(), filho<QWidget>(w, "aba_escala"));

    auto* rotacao = qobject_cast<QGridLayout*>(filho<QWidget>(w, "gridLayoutWidget_2")->layout());
    ASSERT_NE(rotacao, nullptr);
    EXPECT_EQ(rotacao->objectName(), "gridLayout_4");
    EXPECT_EQ(celula(rotacao, filho<QRadioButton>(w, "orbitar")), C(0, 0));
    auto* orbita = w.findChild<QHBoxLayout*>("horizontalLayout_2");
    EXPECT_EQ(celula(rotacao, orbita), C(1, 0));
    ASSERT_EQ(orbita->count(), 4);
    EXPECT_EQ(orbita->itemAt(0)->widget(), filho<QLabel>(w, "orbitarXLabel"));
    EXPECT_EQ(orbita->itemAt(1)->widget(), filho<QSpinBox>(w, "orbitarX"));
    EXPECT_EQ(orbita->itemAt(2)->widget(), filho<QLabel>(w, "orbitarYLabel"));
    EXPECT_EQ(orbita->itemAt(3)->widget(), filho<QSpinBox>(w, "orbitarY"));
    QLayout* angulo = filho<QWidget>(w, "horizontalLayoutWidget_4")->layout();
    ASSERT_EQ(angulo->count(), 2);
    EXPECT_EQ(angulo->itemAt(0)->widget(), filho<QLineEdit>(w, "objetoRotacaoDisplay"));
    EXPECT_EQ(angulo->itemAt(1)->widget(), filho<QPushButton>(w, "objetoAplicarRotacao"));
    QLayout* fator = filho<QWidget>(w, "horizontalLayoutWidget_2")->layout();
    ASSERT_EQ(fator->count(), 2);
    EXPECT_EQ(fator->itemAt(0)->widget(), filho<QLabel>(w, "label_2"));
    EXPECT_EQ(fator->itemAt(1)->widget(), filho<QLineEdit>(w, "fatorEscalaDisplay"));

    // Every widget's layout under its own name; the nested ones and the panels' layouts all with
    // margins 0 and spacing 6 (only the central one has margins, the canvas grid no spacing).
    const std::vector<std::pair<const char*, const char*>> layouts = {
        {"verticalLayoutWidget", "verticalLayout"}, {"formLayoutWidget", "verticalLayout_3"},
        {"gridLayoutWidget_2", "gridLayout_4"}, {"horizontalLayoutWidget_4", "horizontalLayout_5"},
        {"horizontalLayoutWidget_2", "horizontalLayout_3"}, {"gridLayoutWidget", "gridLayout"}};
    for (const auto& [dono, nome] : layouts) {
        ASSERT_NE(filho<QWidget>(w, dono)->layout(), nullptr) << dono;
        EXPECT_EQ(filho<QWidget>(w, dono)->layout()->objectName(), nome) << dono;
    }
    for (const char* nome : {"verticalLayout", "verticalLayout_3", "gridLayout_2", "horizontalLayout", "horizontalLayout_4",
                             "gridLayout_4", "horizontalLayout_2", "horizontalLayout_5", "horizontalLayout_3"})
        esperarMargens(w.findChild<QLayout*>(QString::fromLatin1(nome)), 0, 6);
    EXPECT_EQ(w.findChild<QLayout*>("horizontalLayout")->count(), 0);

    // Menus: "Cena", "Editar", "Vista", "Projeção", "Recorte", then "Help".
    auto* barra = filho<QMenuBar>(w, "menuBar");
    EXPECT_EQ(w.menuBar(), barra);
    EXPECT_EQ(w.statusBar(), filho<QStatusBar>(w, "statusBar"));
    ASSERT_EQ(barra->actions().size(), 6);
    EXPECT_EQ(barra->actions()[0]->menu(), filho<QMenu>(w, "menuCena"));
    EXPECT_EQ(barra->actions()[1]->menu(), filho<QMenu>(w, "menuEditar"));
    EXPECT_EQ(barra->actions()[2]->menu(), filho<QMenu>(w, "menuVista"));
    EXPECT_EQ(barra->actions()[3]->menu(), filho<QMenu>(w, "menuProjecao"));
    EXPECT_EQ(barra->actions()[4]->menu(), filho<QMenu>(w, "menuRecorte"));
    EXPECT_EQ(barra->actions()[5]->menu(), filho<QMenu>(w, "menuHelp"));
    const auto vista = filho<QMenu>(w, "menuVista")->actions();
    ASSERT_EQ(vista.size(), 9);
    EXPECT_EQ(vista[0], filho<QAction>(w, "actionEnquadrar"));
    EXPECT_EQ(vista[1], filho<QAction>(w, "actionVistaInicial"));
    EXPECT_TRUE(vista[2]->isSeparator());
    EXPECT_EQ(vista[3], filho<QAction>(w, "actionMostrarCoordenadas"));
    EXPECT_EQ(vista[4], filho<QAction>(w, "actionCoordenadasDoMundo"));
    EXPECT_EQ(vista[5], filho<QAction>(w, "actionTeclas_de_Atalho"));
    EXPECT_EQ(vista[6], filho<QAction>(w, "actionVistaExterna"));
    EXPECT_EQ(vista[7], filho<QAction>(w, "actionManterProporcao"));
    EXPECT_EQ(vista[8], filho<QAction>(w, "actionInspetor"));
    // The dock is the window's, on the right.
    EXPECT_EQ(w.dockWidgetArea(filho<QDockWidget>(w, "inspetor")), Qt::RightDockWidgetArea);
    const auto cena = filho<QMenu>(w, "menuCena")->actions();
    ASSERT_EQ(cena.size(), 8);
    EXPECT_EQ(cena[0], filho<QAction>(w, "actionSalvar"));
    EXPECT_EQ(cena[1], filho<QAction>(w, "actionCarregar"));
    EXPECT_EQ(cena[2], filho<QAction>(w, "actionSalvarComo"));
    EXPECT_TRUE(cena[3]->isSeparator());
    EXPECT_EQ(cena[4], filho<QAction>(w, "actionImportar"));
    EXPECT_EQ(cena[5], filho<QAction>(w, "actionExportar"));
    EXPECT_TRUE(cena[6]->isSeparator());
    EXPECT_EQ(cena[7], filho<QAction>(w, "actionNova"));
    const auto ajuda = filho<QMenu>(w, "menuHelp")->actions();
    ASSERT_EQ(ajuda.size(), 1);
    EXPECT_EQ(ajuda[0], filho<QAction>(w, "actionTeclas_de_Atalho"));
    // Only the conventional keys of files and editing are menu shortcuts; every other key goes to
    // the key handler.
    const std::map<QString, QList<QKeySequence>> atalhos = {
        {"actionSalvar", {QKeySequence("Ctrl+S")}},
        {"actionCarregar", {QKeySequence("Ctrl+O")}},
        {"actionSalvarComo", {QKeySequence("Ctrl+Shift+S")}},
        {"actionDesfazer", {QKeySequence("Ctrl+Z")}},
        {"actionRefazer", {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}},
        {"actionRemover", {QKeySequence(Qt::Key_Delete)}},
        {"actionEditar", {QKeySequence(Qt::Key_F2)}},
        {"actionEnquadrar", {QKeySequence(Qt::Key_F)}},
        {"actionVistaInicial", {QKeySequence(Qt::Key_Home)}}};
    for (QAction* a : w.findChildren<QAction*>()) {
        const auto achado = atalhos.find(a->objectName());
        EXPECT_EQ(a->shortcuts(), achado == atalhos.end() ? QList<QKeySequence>() : achado->second)
            << a->objectName().toStdString();
    }
    EXPECT_TRUE(filho<QAction>(w, "actionTeclas_de_Atalho")->isCheckable());
    EXPECT_FALSE(filho<QAction>(w, "actionSalvar")->isCheckable());
}

// Before the event loop has run: what the constructor itself leaves behind.
TEST(JanelaPrincipal, MaximizadaAoFimDoConstrutor)
{
    MainWindow w;
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.normalGeometry().size(), QSize(994, 693));
    EXPECT_EQ(filho<QMenuBar>(w, "menuBar")->geometry(), QRect(0, 0, 994, 27));

    // The platform's own report of the state changes nothing.
    mostrada(w);
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.normalGeometry().size(), QSize(994, 693));
}

// The slots' order is the order of the meta-call dispatch; their parameter names are part of the
// meta-object too.
TEST(JanelaPrincipal, AtalhosFuncionamDesdeOInicio)
{
    MainWindow w;
    mostrada(w);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), &w);
    // A key sent to whatever holds the keyboard reaches the shortcuts.
    const double antes = canvasDe(w)->janela()->centro().x();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_GT(canvasDe(w)->janela()->centro().x(), antes);
}

TEST(JanelaPrincipal, SlotsNaOrdemDoMetaObjeto)
{
    const std::vector<std::pair<const char*, const char*>> esperados = {
        {"on_actionCarregar_triggered()", ""},
        {"on_actionSalvar_triggered()", ""},
        {"on_mostrarCoordenadas_toggled(bool)", "checked"},
        {"on_windowRotacaoYDisplay_valueChanged(int)", "value"},
        {"on_windowRotacaoXDisplay_valueChanged(int)", "value"},
        {"on_windowRotacaoZDisplay_valueChanged(int)", "value"},
        {"on_actionTeclas_de_Atalho_toggled(bool)", "mostrarAjuda"},
        {"on_botaoEscala_clicked()", ""},
        {"on_orbitar_toggled(bool)", "checked"},
        {"on_objetoEsquerdo_clicked()", ""},
        {"on_objetoDireita_clicked()", ""},
        {"on_objetoBaixo_clicked()", ""},
        {"on_objetoCima_clicked()", ""},
        {"on_objetoAplicarRotacao_clicked()", ""},
        {"on_windowBaixo_clicked()", ""},
        {"on_windowEsquerda_clicked()", ""},
        {"on_windowDireito_clicked()", ""},
        {"on_windowCima_clicked()", ""},
        {"on_zoomOutButton_clicked()", ""},
        {"on_zoomInButton_clicked()", ""},
        {"on_adicionarButton_clicked()", ""},
        {"on_actionExportar_triggered()", ""},
        {"on_actionImportar_triggered()", ""},
        {"on_actionSalvarComo_triggered()", ""},
        {"on_actionNova_triggered()", ""},
        {"on_actionRemover_triggered()", ""},
        {"on_actionEditar_triggered()", ""},
        {"on_objetos_currentRowChanged(int)", "linha"},
        {"on_actionEnquadrar_triggered()", ""},
        {"on_actionVistaInicial_triggered()", ""},
        {"on_actionMostrarCoordenadas_toggled(bool)", "checked"}};
    const QMetaObject& mo = MainWindow::staticMetaObject;
    EXPECT_STREQ(mo.className(), "MainWindow");
    EXPECT_EQ(mo.superClass(), &QMainWindow::staticMetaObject);
    ASSERT_EQ(mo.methodCount() - mo.methodOffset(), int(esperados.size()));
    for (int i = 0; i < int(esperados.size()); ++i) {
        const QMetaMethod m = mo.method(mo.methodOffset() + i);
        EXPECT_EQ(m.methodSignature(), esperados[i].first) << i;
        EXPECT_EQ(m.methodType(), QMetaMethod::Slot) << i;
        EXPECT_EQ(m.access(), QMetaMethod::Private) << i;
        EXPECT_EQ(m.parameterNames().join(','), esperados[i].second) << i;
    }
    EXPECT_EQ(mo.propertyCount(), mo.propertyOffset());
    EXPECT_EQ(mo.enumeratorCount(), mo.enumeratorOffset());
}

TEST(JanelaPrincipal, PropriedadesEEstadoInicial)
{
    MainWindow w;
    mostrada(w);
    for (const char* nome : {"windowRotacaoXDisplay", "windowRotacaoYDisplay", "windowRotacaoZDisplay"}) {
        auto* d = filho<QDial>(w, nome);
        EXPECT_EQ(d->maximumSize(), QSize(40, 40)) << nome;
        EXPECT_EQ(d->minimum(), 0);
        EXPECT_EQ(d->maximum(), 360);
        EXPECT_EQ(d->singleStep(), 1);
        EXPECT_EQ(d->pageStep(), 10);
        EXPECT_EQ(d->value(), 0);
        EXPECT_EQ(d->sliderPosition(), 0);
        EXPECT_TRUE(d->wrapping());
        EXPECT_FALSE(d->notchesVisible());
    }
    for (const char* nome : {"orbitarX", "orbitarY"}) {
        auto* s = filho<QSpinBox>(w, nome);
        EXPECT_EQ(s->minimum(), -99) << nome;
        EXPECT_EQ(s->maximum(), 99);
        EXPECT_EQ(s->value(), 0);
        EXPECT_FALSE(s->isEnabled());
    }
    auto* anguloTexto = filho<QLineEdit>(w, "objetoRotacaoDisplay");
    EXPECT_EQ(anguloTexto->text(), "2");
    // Room for "-180" and for decimals.
    EXPECT_GE(anguloTexto->maxLength(), 8);
    EXPECT_TRUE(anguloTexto->hasFrame());
    EXPECT_TRUE(anguloTexto->isEnabled());
    EXPECT_EQ(anguloTexto->validator(), nullptr);
    EXPECT_TRUE(filho<QLineEdit>(w, "fatorEscalaDisplay")->text().isEmpty());
    EXPECT_FALSE(filho<QRadioButton>(w, "orbitar")->isChecked());
    EXPECT_FALSE(filho<QRadioButton>(w, "orbitar")->autoExclusive());
    EXPECT_FALSE(filho<QCheckBox>(w, "mostrarCoordenadas")->isChecked());
    EXPECT_FALSE(filho<QAction>(w, "actionTeclas_de_Atalho")->isChecked());
    EXPECT_TRUE(filho<QTextBrowser>(w, "help")->isHidden());
    EXPECT_EQ(filho<QListWidget>(w, "objetos")->count(), 0);
    EXPECT_TRUE(canvasDe(w)->displayFile()->listaDeObjetos.empty());
    EXPECT_TRUE(objetosDasLinhas(w).empty());
    EXPECT_FALSE(canvasDe(w)->showingCoordinates());

    // The camera the canvas built, untouched by start-up.
    const Window* camera = canvasDe(w)->janela();
    EXPECT_TRUE(mesmoPonto(camera->centro(), 0, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewRightVector(), 20, 0, 0));
    EXPECT_TRUE(mesmoVetor(camera->viewUpVector(), 0, 20, 0));
}

TEST(JanelaPrincipal, Textos)
{
    MainWindow w;
    mostrada(w);
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Sem título[*] — Sistema de Computação Gráfica"));
    EXPECT_EQ(filho<QAction>(w, "actionTeclas_de_Atalho")->text(), "Mostrar Atalhos");
    EXPECT_EQ(filho<QAction>(w, "actionSalvar")->text(), "Salvar");
    EXPECT_EQ(filho<QAction>(w, "actionCarregar")->text(), "Carregar");
    EXPECT_EQ(filho<QMenu>(w, "menuCena")->title(), "Cena");
    EXPECT_EQ(filho<QMenu>(w, "menuHelp")->title(), "Help");
    const std::vector<std::pair<const char*, const char*>> textos = {
        {"adicionarButton", "Adicionar Objeto"}, {"mostrarCoordenadas", "Mostrar Coordenadas"},
        {"windowCima", "^"}, {"windowEsquerda", "<"}, {"windowBaixo", "v"}, {"windowDireito", ">"},
        {"orbitar", "Orbitar"}, {"objetoAplicarRotacao", "Rotacionar"}, {"botaoEscala", "Escalar"}};
    for (const auto& [nome, texto] : textos)
        EXPECT_EQ(filho<QAbstractButton>(w, nome)->text(), QString::fromUtf8(texto)) << nome;
    const std::vector<std::pair<const char*, const char*>> rotulos = {
        {"windowLabel", "Window"}, {"label", "Objeto"}, {"orbitarXLabel", "X:"}, {"orbitarYLabel", "Y:"},
        {"label_2", "Fator"}};
    for (const auto& [nome, texto] : rotulos)
        EXPECT_EQ(filho<QLabel>(w, nome)->text(), QString::fromUtf8(texto)) << nome;
    auto* abas = filho<QTabWidget>(w, "tabWidget");
    EXPECT_EQ(abas->tabText(0), QString::fromUtf8("Rotação"));
    EXPECT_EQ(abas->tabText(1), "Escala");
    for (QWidget* x : w.findChildren<QWidget*>())
        EXPECT_TRUE(x->toolTip().isEmpty()) << x->objectName().toStdString();
}

TEST(JanelaPrincipal, DocumentoDeAjuda)
{
    MainWindow w;
    mostrada(w);
    QTextDocument* doc = filho<QTextBrowser>(w, "help")->document();
    const QStringList esperado = {
        "Controles:",
        "",
        "-Movimento de Window:",
        "Utilize as setas para controlar para qual direção a window deve se mover.",
        "",
        "-Rotação de Objeto:",
        "Pressione os botões X, Y ou Z para rotacionar o objeto, pelo angulo selecionado, ao redor do respectivo eixo.",
        "",
        "-Movimentação de Objeto:",
        "Utilize os botões W, A, S e D para mover o objeto selecionado pela tela.",
        "",
        "-Step in and out:",
        "Para fazer um \"step\" com a camera, utilize o botão I (step in) ou O (step out).",
        "",
        "-Zoom:",
        "Os botões + e - performam a ação de Zoom in e Zoom out, respectivamente.",
        "",
        "-Mouse:",
        "Arraste com o botão esquerdo para mover a window junto com o cursor.",
        "A roda do mouse aproxima ou afasta em torno do ponto sob o cursor; com Shift, faz um \"step\" como I e O.",
        "Arraste com o botão direito para girar a camera.",
        "Um clique seleciona o objeto sob o cursor; um clique no vazio desfaz a seleção.",
        "",
        "-Enquadrar e Vista Inicial:",
        "Pressione F para enquadrar todos os objetos na window, ou Home para voltar à vista inicial.",
        "",
        "-Inspetor:",
        "Pressione P para mostrar ou esconder o inspetor; um clique perto de um vértice o mostra em cada etapa do pipeline.",
        "",
        "-Sair do Programa:",
        "Para sair do programa, pressione o botão Esc."};
    ASSERT_EQ(doc->blockCount(), esperado.size());
    int i = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++i) {
        EXPECT_EQ(b.text(), esperado[i]) << "paragraph " << i;
        EXPECT_EQ(b.blockFormat().topMargin(), 0) << i;
        EXPECT_EQ(b.blockFormat().bottomMargin(), 0) << i;
        EXPECT_EQ(b.blockFormat().leftMargin(), 0) << i;
        EXPECT_EQ(b.blockFormat().textIndent(), 0) << i;
        if (b.text().isEmpty())
            continue;
        QTextCursor c(b);
        c.movePosition(QTextCursor::NextCharacter);
        const QTextCharFormat f = c.charFormat();
        // Titles are the paragraphs that end in a colon; they alone are bold.
        const bool titulo = b.text().endsWith(':');
        EXPECT_EQ(f.fontWeight(), titulo ? 600 : 400) << b.text().toStdString();
        // From the document's own body style, not from the widget's font (which may well be
        // "Sans Serif" too, but at another size).
        EXPECT_EQ(f.fontPointSize(), 12.0) << b.text().toStdString();
        EXPECT_TRUE(f.fontFamilies().toStringList().contains("Sans Serif")) << b.text().toStdString();
    }
}

TEST(JanelaPrincipal, MostrarAtalhosMostraEEscondeAAjuda)
{
    MainWindow w;
    mostrada(w);
    auto* acao = filho<QAction>(w, "actionTeclas_de_Atalho");
    auto* ajuda = filho<QTextBrowser>(w, "help");
    auto* divisor = filho<QSplitter>(w, "mainHelp");
    auto* resto = filho<QSplitter>(w, "splitter_2");
    EXPECT_TRUE(resto->isVisible());
    EXPECT_TRUE(canvasDe(w)->isVisible());
    EXPECT_EQ(resto->width(), divisor->width());

    acao->trigger();
    EXPECT_TRUE(acao->isChecked());
    EXPECT_TRUE(ajuda->isVisible());
    QCoreApplication::processEvents();
    EXPECT_LT(resto->width(), divisor->width());
    EXPECT_GT(ajuda->width(), 0);

    // Hidden again, the rest of the window takes the whole width back.
    acao->trigger();
    EXPECT_FALSE(acao->isChecked());
    EXPECT_FALSE(ajuda->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(resto->width(), divisor->width());
}

TEST(JanelaPrincipal, ListaMostraNomeETipoNaOrdemDaCena)
{
    MainWindow w;
    mostrada(w);
    auto* lista = filho<QListWidget>(w, "objetos");
    Objeto* a = new Ponto("gêmeo", Cor(), Coordenada(1, 2, 0));
    Objeto* b = new Ponto("gêmeo", Cor(), Coordenada(-4, 0, 0));
    Objeto* c = new Poligono("Ângulo", Cor(0, 200, 0),
                             {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)}, true);
    adicionar(w, {a, b, c});

    ASSERT_EQ(lista->count(), 3);
    EXPECT_EQ(lista->item(0)->text(), QString::fromUtf8("gêmeo : Ponto"));
    EXPECT_EQ(lista->item(1)->text(), QString::fromUtf8("gêmeo : Ponto"));
    EXPECT_EQ(lista->item(2)->text(), QString::fromUtf8("Ângulo : Polígono"));
    for (int i = 0; i < lista->count(); ++i) {
        EXPECT_EQ(lista->item(i)->type(), QListWidgetItem::Type);
        EXPECT_TRUE(lista->item(i)->icon().isNull());
    }
    EXPECT_EQ(lista->currentItem(), nullptr);

    EXPECT_EQ(objetosDasLinhas(w), (std::vector<const Objeto*>{a, b, c}));

    // Each of the two equal rows moves its own object and only that one.
    clicarNaLinha(lista, 1);
    QTest::keyClick(&w, Qt::Key_D);
    EXPECT_TRUE(mesmoPonto(a->centro(), 1, 2, 0));
    EXPECT_TRUE(mesmoPonto(b->centro(), -3, 0, 0));
    clicarNaLinha(lista, 0);
    QTest::keyClick(&w, Qt::Key_W);
    EXPECT_TRUE(mesmoPonto(a->centro(), 1, 3, 0));
    EXPECT_TRUE(mesmoPonto(b->centro(), -3, 0, 0));
    // Moving an object does not touch its row.
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(lista->item(0)->text(), QString::fromUtf8("gêmeo : Ponto"));

    // Rebuilding again gives the same rows and no stale entries.
    w.atualizarLista();
    w.atualizarLista();
    ASSERT_EQ(lista->count(), 3);
    const std::vector<const Objeto*> mapa = objetosDasLinhas(w);
    ASSERT_EQ(mapa.size(), 3u);
    EXPECT_EQ(lista->item(2)->text(), QString::fromUtf8("Ângulo : Polígono"));
    for (int i = 0; i < lista->count(); ++i) {
        EXPECT_EQ(mapa[static_cast<std::size_t>(i)], canvasDe(w)->displayFile()->listaDeObjetos[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(lista->currentItem(), nullptr);
}

TEST(JanelaPrincipal, MudancaDeIdiomaReescreveOsTextos)
{
    MainWindow w;
    mostrada(w);
    auto* anguloTexto = filho<QLineEdit>(w, "objetoRotacaoDisplay");
    anguloTexto->clear();
    QTest::keyClicks(anguloTexto, "45");
    ASSERT_EQ(anguloTexto->text(), "45");
    w.setWindowTitle("outro");
    filho<QPushButton>(w, "botaoEscala")->setText("outro");

    QEvent mudanca(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &mudanca);

    EXPECT_EQ(anguloTexto->text(), "2");
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Sem título[*] — Sistema de Computação Gráfica"));
    EXPECT_EQ(filho<QPushButton>(w, "botaoEscala")->text(), "Escalar");
}

// Catches Qt's dialogs following the system's locale: under C they would say "Open" and "Cancel".
// The locale itself stays C, which is what reads and shows numbers.
TEST(JanelaPrincipal, DialogosDoQtEmPortuguesSobOLocaleC)
{
    const QLocale anterior;
    QLocale::setDefault(QLocale::c());
    MainWindow w;
    const auto textos = [](QWidget* dialogo) {
        QStringList lista;
        for (const QPushButton* b : dialogo->findChildren<QPushButton*>())
            lista << b->text().remove(QLatin1Char('&'));
        return lista;
    };
    QStringList doArquivo;
    QStringList daCor;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialogo != nullptr) {
            doArquivo = textos(dialogo);
            dialogo->reject();
        }
    });
    QFileDialog arquivo(&w, QStringLiteral("Abrir..."));
    arquivo.setOption(QFileDialog::DontUseNativeDialog);
    arquivo.exec();
    QTimer::singleShot(0, [&] {
        if (auto* dialogo = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            daCor = textos(dialogo);
            dialogo->reject();
        }
    });
    QColorDialog::getColor(Qt::red, &w);
    EXPECT_EQ(QLocale().decimalPoint(), QLatin1Char('.'));
    QLocale::setDefault(anterior);
    EXPECT_TRUE(doArquivo.contains(QStringLiteral("Abrir"))) << doArquivo.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(doArquivo.contains(QStringLiteral("Cancelar"))) << doArquivo.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(daCor.contains(QStringLiteral("Cancelar"))) << daCor.join(QLatin1Char('|')).toStdString();
}

TEST(JanelaPrincipal, EscEncerraComStatusZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            MainWindow w;
    mostrada(w);
            QTest::keyClick(&w, Qt::Key_Escape);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    // Also with an object selected and Shift held: nothing is asked before leaving.
    EXPECT_EXIT(
        {
            MainWindow w;
    mostrada(w);
            adicionar(w, {new Ponto("p", Cor(), Coordenada(0, 0, 0))});
            clicarNaLinha(filho<QListWidget>(w, "objetos"), 0);
            QTest::keyClick(&w, Qt::Key_Escape, Qt::ShiftModifier);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

class Adicionar : public JanelaComUmObjeto {
protected:
    bool aberto = false;
};

TEST_F(Adicionar, BotaoAbreODialogoEAcrescentaOObjetoNoFim)
{
    quandoODialogoAbrir(
        w,
        [](NovoObjeto* d) {
            escolherPonto(d, "novo", Coordenada(3, 4, 0));
            d->accept();
        },
        &aberto);
    QTest::mouseClick(filho<QPushButton>(w, "adicionarButton"), Qt::LeftButton);
    ASSERT_TRUE(aberto);
    EXPECT_EQ(w.findChild<NovoObjeto*>(), nullptr) << "the dialog outlives the command";

    ASSERT_EQ(cena().size(), 2u);
    EXPECT_EQ(cena()[0], existente);
    EXPECT_EQ(cena()[1]->nome(), "novo");
    EXPECT_TRUE(mesmoPonto(cena()[1]->centro(), 3, 4, 0));
    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(1)->text(), "novo : Ponto");
    EXPECT_EQ(lista->currentItem(), nullptr);
    EXPECT_EQ(objetosDasLinhas(w).at(1), cena()[1]);
    // The window holds the keys again once it is active (the offscreen platform has no window
    // manager to hand activation back): the next arrow pans.
    EXPECT_EQ(w.focusWidget(), &w);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_EQ(QApplication::focusWidget(), &w);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(mesmoPonto(canvasDe(w)->janela()->centro(), 2, 0, 0));
}

TEST_F(Adicionar, TeclaNAbreOMesmoDialogo)
{
    quandoODialogoAbrir(
        w,
        [](NovoObjeto* d) {
            escolherPonto(d, "pelo teclado", Coordenada(-1, 0, 2));
            d->accept();
        },
        &aberto);
    QTest::keyClick(&w, Qt::Key_N);
    ASSERT_TRUE(aberto);
    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(1)->text(), "pelo teclado : Ponto");
}

TEST_F(Adicionar, CancelarNaoMudaNada)
{
    quandoODialogoAbrir(
        w,
        [](NovoObjeto* d) {
            escolherPonto(d, "descartado", Coordenada(1, 1, 1));
            d->reject();
        },
        &aberto);
    QTest::keyClick(&w, Qt::Key_N);
    ASSERT_TRUE(aberto);
    EXPECT_EQ(cena().size(), 1u);
    ASSERT_EQ(lista->count(), 1);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(w.focusWidget(), lista);
}

TEST_F(Adicionar, FabricaQueRecusaOuNenhumaFabricaNaoAcrescentaNada)
{
    // Accepted with an empty name: the factory's criar() gives null.
    quandoODialogoAbrir(
        w,
        [](NovoObjeto* d) {
            escolherPonto(d, "", Coordenada(1, 1, 1));
            // The refusal keeps the dialog open, saying why; the user gives up.
            d->accept();
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(d->findChild<QLabel*>("motivo")->isVisible());
            d->reject();
        },
        &aberto);
    QTest::mouseClick(filho<QPushButton>(w, "adicionarButton"), Qt::LeftButton);
    ASSERT_TRUE(aberto);
    EXPECT_EQ(cena().size(), 1u);
    EXPECT_EQ(lista->count(), 1);
    EXPECT_EQ(lista->currentRow(), 0);

    // Accepted with nothing chosen: no factory, so nothing to ask.
    aberto = false;
    quandoODialogoAbrir(
        w,
        [](NovoObjeto* d) {
            d->findChild<QComboBox*>("tipo")->setCurrentIndex(-1);
            EXPECT_EQ(d->obterTipo(), nullptr);
            d->accept();
            EXPECT_TRUE(d->isVisible());
            d->reject();
        },
        &aberto);
    QTest::keyClick(&w, Qt::Key_N);
    ASSERT_TRUE(aberto);
    EXPECT_EQ(cena().size(), 1u);
    EXPECT_EQ(lista->count(), 1);
}

namespace {

// A filled box and a segment, as a user might have them, with the window active.
class SelecaoNoCanvas : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        caixote = new Poligono("caixote", Cor(150, 100, 50),
                               {Coordenada(-8, -8, 0), Coordenada(-2, -8, 0), Coordenada(-2, -2, 0), Coordenada(-8, -2, 0)},
                               true);
        raios = new Reta("raios do sol", Cor(230, 180, 0), Coordenada(2, 2, 0), Coordenada(8, 8, 0));
        adicionar(w, {caixote, raios});
        canvas = canvasDe(w);
        lista = filho<QListWidget>(w, "objetos");
    }

    // Where the world point (x, y, 0) is drawn with the camera the program starts with.
    QPoint pixel(double x, double y) const
    {
        const Coordenada p = canvas->windowToViewport(Coordenada(x, y, 0));
        return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
    }

    MainWindow w;
    Objeto* caixote = nullptr;
    Objeto* raios = nullptr;
    QViewport* canvas = nullptr;
    QListWidget* lista = nullptr;
};

} // namespace

TEST_F(SelecaoNoCanvas, CliqueNoCanvasEscolheALinhaEOVazioLimpa)
{
    lista->setFocus();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(-5, -5));
    ASSERT_NE(lista->currentItem(), nullptr);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(canvas->selecionado(), caixote);
    EXPECT_EQ(QApplication::focusWidget(), &w) << "the click gives the keyboard to the window";

    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(5, 5));
    EXPECT_EQ(lista->currentRow(), 1);
    EXPECT_EQ(canvas->selecionado(), raios);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(5, -5));
    EXPECT_EQ(lista->currentItem(), nullptr);
    EXPECT_TRUE(lista->selectedItems().isEmpty());
    EXPECT_EQ(canvas->selecionado(), nullptr);

    // Chosen in the list, it is highlighted all the same.
    clicarNaLinha(lista, 0);
    EXPECT_EQ(canvas->selecionado(), caixote);
    // A rebuilt list has no current row, and nothing stays highlighted.
    w.atualizarLista();
    EXPECT_EQ(canvas->selecionado(), nullptr);
}

TEST_F(SelecaoNoCanvas, ComAListaComOTecladoLetrasSaoComandosESetasMovemALinha)
{
    clicarNaLinha(lista, 0);
    lista->setFocus();
    const Coordenada antes = *caixote->inicioDasCoordenadas();
    // The list's type-ahead would jump to "raios do sol" on R.
    QTest::keyClick(lista, Qt::Key_R);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_NE(*caixote->inicioDasCoordenadas(), antes) << "R rotated the selected object";
    QTest::keyClick(lista, Qt::Key_D);
    EXPECT_TRUE(pertoDe(caixote->centro().x(), -4, 1e-9)) << "D moved it one unit right";

    QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(lista->currentRow(), 1);
    EXPECT_EQ(canvas->selecionado(), raios);
    QTest::keyClick(lista, Qt::Key_Up);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_TRUE(mesmoPonto(canvas->janela()->centro(), 0, 0, 0)) << "Up and Down do not pan with the list focused";
    // Home is the initial view, not the list's first row.
    canvas->janela()->mover(1, 0, 0);
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Home);
    EXPECT_EQ(lista->currentRow(), 1);
    EXPECT_TRUE(mesmoPonto(canvas->janela()->centro(), 0, 0, 0));
}

TEST_F(SelecaoNoCanvas, BarraDeStatusMostraOCursorNoPlanoOuOSelecionado)
{
    auto* barra = filho<QStatusBar>(w, "statusBar");
    clicarNaLinha(lista, 0);
    EXPECT_EQ(barra->currentMessage(), QString::fromUtf8("Selecionado: caixote (Polígono)"));

    // The position under the cursor, to within the pixel it stands on.
    QTest::mouseMove(canvas, pixel(-5, 5));
    const QRegularExpression formato(QString::fromUtf8("^Plano de projeção: \\((\\S+), (\\S+)\\)$"));
    const QRegularExpressionMatch m = formato.match(barra->currentMessage());
    ASSERT_TRUE(m.hasMatch()) << barra->currentMessage().toStdString();
    const double umPixel = 20.0 / (canvas->width() - 40);
    EXPECT_TRUE(pertoDe(m.captured(1).toDouble(), -5, umPixel));
    EXPECT_TRUE(pertoDe(m.captured(2).toDouble(), 5, umPixel));

    QEvent saida(QEvent::Leave);
    QApplication::sendEvent(canvas, &saida);
    EXPECT_EQ(barra->currentMessage(), QString::fromUtf8("Selecionado: caixote (Polígono)"));
}

// Catches a canvas highlight left on a removed object (the rebuilt list not telling the canvas) and
// a canvas pick that is not what the commands act on.
TEST_F(SelecaoNoCanvas, RemoverOEscolhidoNoCanvasNaoODeixaDestacado)
{
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixel(5, 5));
    ASSERT_EQ(canvas->selecionado(), raios);
    filho<QAction>(w, "actionRemover")->trigger();
    ASSERT_EQ(canvas->displayFile()->listaDeObjetos.size(), 1u);
    EXPECT_EQ(canvas->displayFile()->listaDeObjetos[0], caixote);
    EXPECT_NE(canvas->selecionado(), raios);
    EXPECT_EQ(canvas->selecionado(), lista->currentItem() ? caixote : nullptr);

    filho<QAction>(w, "actionDesfazer")->trigger();
    ASSERT_EQ(lista->count(), 2);
    const auto& cena = canvas->displayFile()->listaDeObjetos;
    const Objeto* daLinha = lista->currentRow() >= 0 ? cena[static_cast<std::size_t>(lista->currentRow())] : nullptr;
    EXPECT_EQ(canvas->selecionado(), daLinha);
}

// Catches a hint left on a scene that has objects, missing from an empty one, or drawn by the
// renderer into exported pictures.
TEST(JanelaPrincipal, DicaSoNoCanvasDeUmaCenaVazia)
{
    MainWindow w;
    mostrada(w);
    QViewport* canvas = canvasDe(w);
    // Pixels unlike the background, well inside the frame.
    const auto escritos = [](const QImage& imagem) {
        const QImage i = imagem.convertToFormat(QImage::Format_RGB32);
        const QRgb fundo = i.pixel(25, 25);
        int n = 0;
        for (int y = 25; y < i.height() - 25; ++y)
            for (int x = 25; x < i.width() - 25; ++x)
                n += i.pixel(x, y) != fundo;
        return n;
    };
    EXPECT_GT(escritos(canvas->grab().toImage()), 50);

    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString png = pasta.filePath(QStringLiteral("vazia.png"));
    canvas->exportar(png, QSize(400, 400));
    EXPECT_EQ(escritos(QImage(png)), 0);

    // Far outside the window: the canvas draws nothing of it, and no hint either.
    adicionar(w, {new Ponto("longe", Cor(), Coordenada(1000, 1000, 0))});
    EXPECT_EQ(escritos(canvas->grab().toImage()), 0);
}

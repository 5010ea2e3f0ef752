#ifndef JANELAPRINCIPAL_H
#define JANELAPRINCIPAL_H

// Helpers shared by the main window's tests: a window built as the program builds it, its widgets
// by object name, and a way to put objects into its scene without the new-object dialog.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QListWidget>
#include <QListWidgetItem>
#include <QLoggingCategory>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <vector>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "mainwindow.h"
#include "objeto.h"
#include "pertode.h"
#include "ponto.h"
#include "qviewport.h"
#include "window.h"

// The object each row of the list selects, in row order (null for a row that selects none), found
// by making each row current in turn as the user would; the current row and selection are put back.
inline std::vector<const Objeto*> objetosDasLinhas(const MainWindow& w)
{
    auto* lista = w.findChild<QListWidget*>(QStringLiteral("objetos"));
    QListWidgetItem* atual = lista->currentItem();
    const QList<QListWidgetItem*> escolhidos = lista->selectedItems();
    std::vector<const Objeto*> objetos;
    for (int i = 0; i < lista->count(); ++i) {
        lista->setCurrentRow(i);
        objetos.push_back(dynamic_cast<const Viewport&>(w.viewport()).selecionado());
    }
    lista->setCurrentItem(atual);
    lista->clearSelection();
    for (QListWidgetItem* item : escolhidos)
        item->setSelected(true);
    return objetos;
}

// The keyboard-only slots have no widgets, and Qt would warn about each for every window built.
inline const bool semAvisosDeConexao =
    (QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false")), true);

// Lets the window lay out and show the widgets that setupUi added after showMaximized, as the event
// loop does before the user sees anything.
inline void mostrada(MainWindow& w)
{
    QCoreApplication::processEvents();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
}

template <typename T>
T* filho(const QWidget& janela, const char* nome)
{
    T* w = janela.findChild<T*>(QString::fromLatin1(nome));
    EXPECT_NE(w, nullptr) << nome;
    return w;
}

// QViewport has no meta-object of its own, so findChild cannot type it.
inline QViewport* canvasDe(const QWidget& janela)
{
    return dynamic_cast<QViewport*>(janela.findChild<QWidget*>(QStringLiteral("canvas")));
}

// Appends objects (the display file takes them) and brings list and projection up to date, as the
// add command does.
inline void adicionar(MainWindow& w, std::initializer_list<Objeto*> objetos)
{
    for (Objeto* o : objetos)
        canvasDe(w)->displayFile()->listaDeObjetos.push_back(o);
    w.atualizarLista();
    w.atualizarCpp();
}

// Radio buttons and check boxes take clicks only on their indicator and text, which sit at the
// left of a laid-out widget wider than them.
inline void clicarEm(QWidget* botao)
{
    QTest::mouseClick(botao, Qt::LeftButton, {}, QPoint(8, botao->height() / 2));
}

// Makes a row current the way a user does: a click on it.
inline void clicarNaLinha(QListWidget* lista, int linha)
{
    QListWidgetItem* item = lista->item(linha);
    ASSERT_NE(item, nullptr);
    lista->scrollToItem(item);
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    ASSERT_EQ(lista->currentItem(), item);
}

inline ::testing::AssertionResult mesmoPonto(const Coordenada& a, double x, double y, double z, double eps = 1e-9)
{
    if (pertoDe(a.x(), x, eps) && pertoDe(a.y(), y, eps) && pertoDe(a.z(), z, eps))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x() << ", " << a.y() << ", " << a.z() << ") is not ("
                                         << x << ", " << y << ", " << z << ")";
}

inline ::testing::AssertionResult mesmoVetor(const Vetor& a, double x, double y, double z, double eps = 1e-9)
{
    return mesmoPonto(Coordenada(a.x(), a.y(), a.z()), x, y, z, eps);
}

// Counts the paint events a widget receives.
class ContadorDePinturas : public QObject {
public:
    explicit ContadorDePinturas(QWidget* alvo) { alvo->installEventFilter(this); }
    int pinturas = 0;

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint)
            ++pinturas;
        return false;
    }
};

// Whether the canvas is painted again after comando, once the window has settled: a command that
// changes what the canvas shows must ask for a repaint, or the picture stays stale until something
// else happens to repaint it.
template <typename Comando>
::testing::AssertionResult repintaOCanvas(MainWindow& w, const char* nome, Comando comando)
{
    ContadorDePinturas contador(canvasDe(w));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    contador.pinturas = 0;
    comando();
    QElapsedTimer relogio;
    relogio.start();
    while (contador.pinturas == 0 && relogio.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (contador.pinturas > 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nome << " leaves the canvas unpainted";
}

// A window with one object whose row the user clicked, the list holding the keyboard: what the add
// command must leave alone and what it must change are both visible.
class JanelaComUmObjeto : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        existente = new Ponto("velho", Cor(), Coordenada(0, 0, 0));
        adicionar(w, {existente});
        lista = filho<QListWidget>(w, "objetos");
        clicarNaLinha(lista, 0);
        lista->setFocus();
        ASSERT_EQ(w.focusWidget(), lista);
    }

    std::vector<Objeto*>& cena() { return canvasDe(w)->displayFile()->listaDeObjetos; }
    void clicarEmAdicionar() { QTest::mouseClick(filho<QPushButton>(w, "adicionarButton"), Qt::LeftButton); }

    MainWindow w;
    Objeto* existente = nullptr;
    QListWidget* lista = nullptr;
};

#endif

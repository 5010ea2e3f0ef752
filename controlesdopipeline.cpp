#include "controlesdopipeline.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include "documentodecena.h"
#include "inspetor.h"
#include "objeto.h"
#include "qviewport.h"
#include "teclas.h"

namespace {

// In the order of their actions in the menus.
constexpr Projecao projecoes[3] = {Projecao::perspectiva, Projecao::ortogonal, Projecao::obliqua};
constexpr AlgoritmoDeRecorte recortes[2] = {AlgoritmoDeRecorte::cohenSutherland, AlgoritmoDeRecorte::liangBarsky};

} // namespace

ControlesDoPipeline::ControlesDoPipeline(QMainWindow& janela, DocumentoDeCena& documento, QViewport& canvas,
                                         Teclas& teclas)
    : QObject(&janela), _documento(documento), _inspetor(new Inspetor(documento, canvas, &janela))
{
    QAction* antesDe = janela.menuBar()->findChild<QMenu*>(QStringLiteral("menuHelp"))->menuAction();
    criarMenuProjecao(janela, antesDe);
    criarMenuRecorte(janela, antesDe);
    janela.addDockWidget(Qt::RightDockWidgetArea, _inspetor);
    _inspetor->hide();
    QMenu& vista = *janela.menuBar()->findChild<QMenu*>(QStringLiteral("menuVista"));
    QAction* inspetor = _inspetor->toggleViewAction();
    inspetor->setText(QStringLiteral("Inspetor"));
    inspetor->setObjectName(QStringLiteral("actionInspetor"));
    vista.addAction(inspetor);
    teclas.ligar(Qt::Key_P, inspetor);
    auto* mundo = new QAction(QStringLiteral("Coordenadas do Mundo"), &janela);
    mundo->setObjectName(QStringLiteral("actionCoordenadasDoMundo"));
    mundo->setCheckable(true);
    // Beside the labels' own switch.
    const QList<QAction*> acoes = vista.actions();
    const qsizetype rotulos = acoes.indexOf(janela.findChild<QAction*>(QStringLiteral("actionMostrarCoordenadas")));
    vista.insertAction(rotulos >= 0 ? acoes.value(rotulos + 1) : nullptr, mundo);
    connect(mundo, &QAction::toggled, &canvas, [&canvas](bool sim) { canvas.mostrarCoordenadasDoMundo(sim); });
    connect(_inspetor, &Inspetor::marcaAlterada, &canvas,
            [&canvas](const Objeto* objeto, int indice) { canvas.marcarVertice(objeto, indice); });
    connect(&canvas, &QViewport::verticeClicado, _inspetor, &Inspetor::mostrar);
    // Choosing an object shows its first vertex; a click on a vertex picks the object first, then
    // that vertex.
    connect(&canvas, &QViewport::selecaoAlterada, _inspetor, [this](const Objeto* objeto) {
        if (objeto != _inspetor->objeto())
            _inspetor->mostrar(objeto, 0);
    });
    connect(&_documento, &DocumentoDeCena::alterado, this, &ControlesDoPipeline::seguirCamera);
    seguirCamera();
}

QMenu* ControlesDoPipeline::criarMenu(QMainWindow& janela, QAction* antesDe, const char* titulo, const char* nome)
{
    auto* menu = new QMenu(QString::fromUtf8(titulo), janela.menuBar());
    menu->setObjectName(QString::fromLatin1(nome));
    janela.menuBar()->insertMenu(antesDe, menu);
    return menu;
}

QAction* ControlesDoPipeline::criarOpcao(QMenu& menu, QActionGroup& grupo, const char* texto, const char* nome)
{
    auto* acao = new QAction(QString::fromUtf8(texto), &grupo);
    acao->setObjectName(QString::fromLatin1(nome));
    acao->setCheckable(true);
    menu.addAction(acao);
    return acao;
}

void ControlesDoPipeline::criarMenuProjecao(QMainWindow& janela, QAction* antesDe)
{
    QMenu* menu = criarMenu(janela, antesDe, "Projeção", "menuProjecao");
    auto* grupo = new QActionGroup(menu);
    _projecoes[0] = criarOpcao(*menu, *grupo, "Perspectiva", "actionPerspectiva");
    _projecoes[1] = criarOpcao(*menu, *grupo, "Paralela Ortogonal", "actionParalelaOrtogonal");
    _projecoes[2] = criarOpcao(*menu, *grupo, "Paralela Oblíqua (gabinete)", "actionParalelaObliqua");
    for (int i = 0; i < 3; ++i)
        connect(_projecoes[i], &QAction::triggered, this, [this, i] { _documento.definirProjecao(projecoes[i]); });
}

void ControlesDoPipeline::criarMenuRecorte(QMainWindow& janela, QAction* antesDe)
{
    QMenu* menu = criarMenu(janela, antesDe, "Recorte", "menuRecorte");
    auto* grupo = new QActionGroup(menu);
    _recortes[0] = criarOpcao(*menu, *grupo, "Cohen–Sutherland", "actionCohenSutherland");
    _recortes[1] = criarOpcao(*menu, *grupo, "Liang–Barsky", "actionLiangBarsky");
    for (int i = 0; i < 2; ++i)
        connect(_recortes[i], &QAction::triggered, this, [this, i] { _documento.definirRecorte(recortes[i]); });
}

void ControlesDoPipeline::seguirCamera()
{
    for (int i = 0; i < 3; ++i)
        if (projecoes[i] == _documento.janela()->projecao())
            _projecoes[i]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        if (recortes[i] == _documento.recorte())
            _recortes[i]->setChecked(true);
}

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QStatusBar>
#include <QUndoStack>

#include "comandosdearquivo.h"
#include "comandosdecena.h"
#include "comandosdeobjeto.h"
#include "controlesdopipeline.h"
#include "dialsdecamera.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "layoutproporcional.h"
#include "linhadeobjeto.h"
#include "objeto.h"
#include "paineldetransformacao.h"
#include "qviewport.h"
#include "recuperacao.h"
#include "traducaodoqt.h"
#include "vistaexterna.h"
#include "window.h"

namespace {

// How long a note stays in the status bar.
constexpr int duracaoDoAviso = 5000;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    instalarTraducaoDoQt();
    showMaximized();
    setFocusPolicy(Qt::StrongFocus);
    // Before setupUi: connecting the slots by name reaches on_objetos_currentRowChanged, which reads
    // nothing of the document but must find it built.
    _documento = new DocumentoDeCena(this);
    ui->setupUi(this);
    ui->canvas->mostrarDocumento(*_documento);
    ui->canvas->definirDicaDeCenaVazia(
        tr("Cena vazia: pressione N ou use Adicionar Objeto para criar um objeto, ou Cena > Carregar."));
    _arquivos = std::make_unique<ComandosDeArquivo>(*_documento, *this, *ui->canvas);
    _objetos = std::make_unique<ComandosDeObjeto>(*_documento, *this, *statusBar());
    _dials = new DialsDeCamera({ui->windowRotacaoXDisplay, ui->windowRotacaoYDisplay, ui->windowRotacaoZDisplay},
                               {ui->rotuloRotacaoX, ui->rotuloRotacaoY, ui->rotuloRotacaoZ}, *_documento, this);
    _transformacao = new PainelDeTransformacao(*ui, *_objetos, [this] { return posicaoDoSelecionado(); }, this);
    seguirDocumento();

    criarDesfazer();
    connect(ui->objetos, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        ui->objetos->setCurrentItem(item);
        on_actionEditar_triggered();
    });

    // The form's resize to 994 × 693 makes Qt 6 forget the maximized state until the platform
    // reports it again, so the window would read as not maximized right after construction. The
    // form's size stays as the size the window returns to when un-maximized.
    setWindowState(windowState() | Qt::WindowMaximized);
    ui->help->setVisible(false);
    connect(ui->canvas, &QViewport::movimentoRecusado, this, [this] { avisarSeRecusada(false); });
    atualizarTitulo();
    criarVistaExterna();
    criarAtalhos();
    new ControlesDoPipeline(*this, *_documento, *ui->canvas, _teclas);
    ui->objetos->installEventFilter(this);
    connect(ui->canvas, &QViewport::objetoClicado, this, &MainWindow::escolher);
    connect(ui->canvas, &QViewport::cursorNoPlano, this, &MainWindow::mostrarPosicao);
    connect(ui->canvas, &QViewport::cursorFora, this, [this] {
        _cursorNoCanvas = false;
        mostrarSelecao();
    });
    atualizarLista();
    // The window itself starts with the keyboard, not the first child in the tab chain (the object
    // list, which takes letters for its own search), so that every shortcut works from the start.
    setFocus(Qt::OtherFocusReason);
    _recuperacao = new Recuperacao(*_documento, this);
    _recuperacao->setObjectName(QStringLiteral("recuperacao"));
    connect(_recuperacao, &Recuperacao::falhou, this,
            [this](const QString& mensagem) { statusBar()->showMessage(mensagem, duracaoDoAviso); });
    // The window is shown by now (showMaximized above): what a crash left behind is offered at once.
    _recuperacao->oferecer(this);
}

// Undo and redo head the menu Editar, with the keys every editor gives them.
void MainWindow::criarDesfazer()
{
    QUndoStack* pilha = _documento->pilhaDeDesfazer();
    QAction* desfazer = pilha->createUndoAction(this, tr("Desfazer"));
    desfazer->setObjectName(QStringLiteral("actionDesfazer"));
    desfazer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* refazer = pilha->createRedoAction(this, tr("Refazer"));
    refazer->setObjectName(QStringLiteral("actionRefazer"));
    refazer->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* primeira = ui->menuEditar->actions().value(0);
    ui->menuEditar->insertAction(primeira, desfazer);
    ui->menuEditar->insertAction(primeira, refazer);
    ui->menuEditar->insertSeparator(primeira);
}

MainWindow::~MainWindow()
{
    // This window is half gone by the time Qt deletes its children, the document among them.
    disconnect(_documento, nullptr, this, nullptr);
    delete ui;
}

void MainWindow::seguirDocumento()
{
    for (auto sinal : {&DocumentoDeCena::objetosInseridos, &DocumentoDeCena::objetosRemovidos})
        connect(_documento, sinal, this, &MainWindow::atualizarLista);
    connect(_documento, &DocumentoDeCena::objetoAlterado, this, &MainWindow::atualizarLista);
    connect(_documento, &DocumentoDeCena::cenaTrocada, this, &MainWindow::atualizarLista);
    connect(_documento, &DocumentoDeCena::alteradoPorFora, this, [this] {
        // Whatever changed, the object the user chose stays chosen while it is in the scene.
        Objeto* escolhido = selecionado();
        atualizarLista();
        escolher(_documento->posicaoDe(escolhido) >= 0 ? escolhido : nullptr);
    });
    connect(_documento, &DocumentoDeCena::escolhaPedida, this, [this](int linha) {
        if (linha >= 0 && linha < ui->objetos->count())
            ui->objetos->setCurrentRow(linha);
    });
    connect(_documento, &DocumentoDeCena::arquivoAlterado, this, &MainWindow::atualizarTitulo);
    connect(_documento, &DocumentoDeCena::modificacaoAlterada, this, &MainWindow::atualizarTitulo);
}

void MainWindow::criarVistaExterna()
{
    auto* vista = new VistaExterna(ui->splitter_2);
    vista->colocarAoLado(*ui->splitter_2);
    vista->observar(*ui->canvas);
    ui->menuVista->addAction(vista->acaoDeMostrar());
    ui->menuVista->addAction(LayoutProporcional::instalar(*ui->gridLayout, *ui->canvas)->acao());
}

void MainWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        atualizarTitulo();
    }
}

Viewport& MainWindow::viewport() const
{
    return *ui->canvas;
}

void MainWindow::atualizarTitulo()
{
    // A scene with no file has changes to lose too: its title carries the marker as well.
    const QString arquivo = _documento->arquivo();
    const QString nome = arquivo.isEmpty() ? tr("Sem título") : QFileInfo(arquivo).fileName();
    setWindowTitle(nome + QStringLiteral("[*] — ") + tr("Sistema de Computação Gráfica"));
    setWindowModified(_documento->modificado());
}

void MainWindow::adicionarObjetos(std::vector<std::unique_ptr<Objeto>> objetos, const QString& texto)
{
    if (objetos.empty())
        return;
    pilhaDeDesfazer()->push(new ComandoAdicionar(*_documento, _documento->quantidade(), std::move(objetos), texto));
}

void MainWindow::trocarCena(DisplayFile cena, const Window& camera, const QString& caminho, const QString& texto)
{
    pilhaDeDesfazer()->push(new ComandoTrocarCena(*_documento, std::move(cena), camera, caminho, texto));
}

void MainWindow::closeEvent(QCloseEvent* evento)
{
    if (_arquivos->podeDescartarAlteracoes())
        evento->accept();
    else
        evento->ignore();
}

void MainWindow::criarAtalhos()
{
    const std::pair<Qt::Key, std::function<void()>> comandos[] = {
        {Qt::Key_Plus, [this] { on_zoomInButton_clicked(); }},
        {Qt::Key_Minus, [this] { on_zoomOutButton_clicked(); }},
        {Qt::Key_A, [this] { on_objetoEsquerdo_clicked(); }},
        {Qt::Key_D, [this] { on_objetoDireita_clicked(); }},
        {Qt::Key_W, [this] { on_objetoCima_clicked(); }},
        {Qt::Key_S, [this] { on_objetoBaixo_clicked(); }},
        {Qt::Key_I, [this] { step(0.1); }},
        {Qt::Key_O, [this] { step(-0.1); }},
        {Qt::Key_N, [this] { on_adicionarButton_clicked(); }},
        {Qt::Key_R, [this] { on_objetoAplicarRotacao_clicked(); }},
        {Qt::Key_X, [this] { rotacionarX(); }},
        {Qt::Key_Y, [this] { rotacionarY(); }},
        {Qt::Key_Z, [this] { rotacionarZ(); }},
        {Qt::Key_Escape, [this] { sair(); }},
        {Qt::Key_Left, [this] { on_windowEsquerda_clicked(); }},
        {Qt::Key_Up, [this] { on_windowCima_clicked(); }},
        {Qt::Key_Right, [this] { on_windowDireito_clicked(); }},
        {Qt::Key_Down, [this] { on_windowBaixo_clicked(); }},
    };
    for (const auto& [tecla, comando] : comandos)
        _teclas.ligar(tecla, this, comando);
    _teclas.ligar(Qt::Key_V, findChild<QAction*>(QStringLiteral("actionVistaExterna")));
}

void MainWindow::sair()
{
    // At once, as ever, unless that would lose unsaved changes the user wants to keep.
    if (_arquivos->podeDescartarAlteracoes()) {
        // exit() destroys no window: the copy of changes the user let go would be offered again.
        _recuperacao->descartarCopia();
        std::exit(0);
    }
}

void MainWindow::keyPressEvent(QKeyEvent* evento)
{
    // Keys not listed are dropped here rather than handed to QMainWindow.
    _teclas.disparar(*evento);
}

bool MainWindow::eventFilter(QObject* alvo, QEvent* evento)
{
    if (alvo == ui->objetos && evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        switch (tecla->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            break;
        default:
            // Never the list's type-ahead search: the letters are commands.
            keyPressEvent(tecla);
            return true;
        }
    }
    return QMainWindow::eventFilter(alvo, evento);
}

void MainWindow::atualizarLista()
{
    ui->objetos->clear();
    mapaObjetos.clear();
    for (Objeto* atual : _documento->displayFile()->listaDeObjetos) {
        QListWidgetItem* linha = linhaDeObjeto(*atual);
        ui->objetos->addItem(linha);
        mapaObjetos.insert(linha, atual);
    }
}

Objeto* MainWindow::selecionado() const
{
    // contains() first: operator[] would add the current item to the map.
    QListWidgetItem* atual = ui->objetos->currentItem();
    if (!mapaObjetos.contains(atual))
        return nullptr;
    return mapaObjetos.value(atual);
}

int MainWindow::posicaoDoSelecionado() const
{
    return _documento->posicaoDe(selecionado());
}

// The list's current row is the one selected object: the canvas highlights it and the commands act on it.
void MainWindow::on_objetos_currentRowChanged(int)
{
    const Objeto* objeto = selecionado();
    ui->actionRemover->setEnabled(objeto != nullptr);
    ui->actionEditar->setEnabled(objeto != nullptr);
    ui->canvas->selecionar(objeto);
    mostrarSelecao();
}

void MainWindow::avisarSeRecusada(bool feita)
{
    if (!feita)
        statusBar()->showMessage(tr("A window chegou ao limite do que pode ser desenhado e salvo; o comando foi "
                                    "ignorado."),
                                 duracaoDoAviso);
}

void MainWindow::on_windowCima_clicked()
{
    avisarSeRecusada(_documento->mover(0, 0.1, 0));
}

void MainWindow::on_windowBaixo_clicked()
{
    avisarSeRecusada(_documento->mover(0, -0.1, 0));
}

void MainWindow::on_windowEsquerda_clicked()
{
    avisarSeRecusada(_documento->mover(-0.1, 0, 0));
}

void MainWindow::on_windowDireito_clicked()
{
    avisarSeRecusada(_documento->mover(0.1, 0, 0));
}

void MainWindow::step(double quanto)
{
    avisarSeRecusada(_documento->mover(0, 0, quanto));
}

void MainWindow::on_zoomInButton_clicked()
{
    avisarSeRecusada(_documento->escala(0.9));
}

void MainWindow::on_zoomOutButton_clicked()
{
    avisarSeRecusada(_documento->escala(1.1));
}

void MainWindow::on_windowRotacaoXDisplay_valueChanged(int value)
{
    avisarSeRecusada(_dials->girar(0, value));
}

void MainWindow::on_windowRotacaoYDisplay_valueChanged(int value)
{
    avisarSeRecusada(_dials->girar(1, value));
}

void MainWindow::on_windowRotacaoZDisplay_valueChanged(int value)
{
    avisarSeRecusada(_dials->girar(2, value));
}

void MainWindow::on_mostrarCoordenadas_toggled(bool checked)
{
    ui->canvas->showCoordinates(checked);
    ui->actionMostrarCoordenadas->setChecked(checked);
    update();
}

// The menu entry and the check box are one switch.
void MainWindow::on_actionMostrarCoordenadas_toggled(bool checked)
{
    ui->mostrarCoordenadas->setChecked(checked);
}

void MainWindow::on_actionEnquadrar_triggered()
{
    if (ui->canvas->enquadrarTudo())
        _documento->avisarCameraMovida();
}

void MainWindow::on_actionVistaInicial_triggered()
{
    _documento->voltarACameraDeAbertura();
    _dials->reposicionar();
}

void MainWindow::on_orbitar_toggled(bool checked)
{
    _transformacao->orbitar(checked);
}

void MainWindow::on_actionTeclas_de_Atalho_toggled(bool mostrarAjuda)
{
    ui->help->setVisible(mostrarAjuda);
}

void MainWindow::escolher(Objeto* objeto)
{
    // Rows stand in the scene's order.
    QListWidgetItem* linha = ui->objetos->item(_documento->posicaoDe(objeto));
    if (linha != nullptr && mapaObjetos.value(linha) == objeto) {
        ui->objetos->setCurrentItem(linha);
        ui->objetos->scrollToItem(linha);
    } else {
        ui->objetos->setCurrentItem(nullptr);
        ui->objetos->clearSelection();
    }
}

void MainWindow::mostrarPosicao(double x, double y)
{
    _cursorNoCanvas = true;
    statusBar()->showMessage(tr("Plano de projeção: (%1, %2)").arg(ui->canvas->numero(x), ui->canvas->numero(y)));
}

void MainWindow::mostrarSelecao()
{
    if (_cursorNoCanvas)
        return;
    const Objeto* objeto = selecionado();
    if (objeto == nullptr) {
        statusBar()->clearMessage();
        return;
    }
    // A name can be megabytes long; the bar shows its start.
    QString nome = QString::fromStdString(objeto->nome());
    if (nome.size() > 200)
        nome = nome.left(200) + QChar(0x2026);
    statusBar()->showMessage(tr("Selecionado: %1 (%2)").arg(nome, QString::fromStdString(objeto->nomeDoTipo())));
}

void MainWindow::on_objetoEsquerdo_clicked()
{
    _objetos->transladar(posicaoDoSelecionado(), -1.0, 0.0, 0.0);
}

void MainWindow::on_objetoDireita_clicked()
{
    _objetos->transladar(posicaoDoSelecionado(), 1.0, 0.0, 0.0);
}

void MainWindow::on_objetoBaixo_clicked()
{
    _objetos->transladar(posicaoDoSelecionado(), 0.0, -1.0, 0.0);
}

void MainWindow::on_objetoCima_clicked()
{
    _objetos->transladar(posicaoDoSelecionado(), 0.0, 1.0, 0.0);
}

void MainWindow::rotacionarX()
{
    _transformacao->rotacionar(0);
}

void MainWindow::rotacionarY()
{
    _transformacao->rotacionar(1);
}

void MainWindow::rotacionarZ()
{
    _transformacao->rotacionar(2);
}

void MainWindow::on_objetoAplicarRotacao_clicked()
{
    _transformacao->rotacionarNoEixoEscolhido();
}

void MainWindow::on_botaoEscala_clicked()
{
    _transformacao->escalar();
}

void MainWindow::on_adicionarButton_clicked()
{
    if (_objetos->adicionar())
        setFocus(Qt::MouseFocusReason);
}

void MainWindow::on_actionRemover_triggered()
{
    _objetos->remover(posicaoDoSelecionado());
}

void MainWindow::on_actionEditar_triggered()
{
    if (_objetos->editar(posicaoDoSelecionado()))
        setFocus(Qt::MouseFocusReason);
}

void MainWindow::on_actionSalvar_triggered()
{
    _arquivos->salvar();
}

void MainWindow::on_actionSalvarComo_triggered()
{
    _arquivos->salvarComo();
}

void MainWindow::on_actionCarregar_triggered()
{
    _arquivos->carregar();
}

void MainWindow::abrir(const QString& file)
{
    _arquivos->abrir(file);
}

void MainWindow::on_actionExportar_triggered()
{
    _arquivos->exportar();
}

void MainWindow::on_actionImportar_triggered()
{
    _arquivos->importarPeloDialogo();
}

void MainWindow::importar(const QString& caminho)
{
    _arquivos->importar(caminho);
}

void MainWindow::on_actionNova_triggered()
{
    _arquivos->nova();
}

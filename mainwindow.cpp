#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <algorithm>

#include <QCloseEvent>
#include <QAction>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidgetItem>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaObject>
#include <QSpinBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "comandosdearquivo.h"
#include "comandosdecena.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "fabricadeobjeto.h"
#include "importacao.h"
#include "novoobjeto.h"
#include "numeros.h"
#include "objeto.h"
#include "qviewport.h"
#include "transformacao.h"
#include "vistaexterna.h"
#include "window.h"

namespace {

// How long a note stays in the status bar.
constexpr int duracaoDoAviso = 5000;

QString nomeEntreAspas(const Objeto& objeto)
{
    return QStringLiteral("'") + QString::fromStdString(objeto.nome()) + QStringLiteral("'");
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    showMaximized();
    setFocusPolicy(Qt::StrongFocus);
    // Before setupUi: connecting the slots by name reaches on_objetos_currentRowChanged, which reads
    // nothing of the document but must find it built.
    _documento = new DocumentoDeCena(this);
    ui->setupUi(this);
    ui->canvas->mostrarDocumento(*_documento);
    _arquivos = std::make_unique<ComandosDeArquivo>(*_documento, *this, *ui->canvas);
    seguirDocumento();

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

QUndoStack* MainWindow::pilhaDeDesfazer() const
{
    return _documento->pilhaDeDesfazer();
}

QString MainWindow::arquivoDaCena() const
{
    return _documento->arquivo();
}

void MainWindow::criarVistaExterna()
{
    auto* vista = new VistaExterna(ui->gridLayoutWidget);
    vista->setObjectName(QStringLiteral("vistaExterna"));
    vista->setMinimumSize(300, 300);
    vista->setSizePolicy(ui->canvas->sizePolicy());
    ui->gridLayout->addWidget(vista, 2, 2);
    ui->gridLayout->setColumnStretch(0, 1);
    ui->gridLayout->setColumnStretch(2, 1);
    vista->observar(*ui->canvas);
    vista->hide();

    auto* menu = menuBar()->findChild<QMenu*>(QStringLiteral("menuVista"));
    if (menu == nullptr) {
        menu = new QMenu(QStringLiteral("Vista"), menuBar());
        menu->setObjectName(QStringLiteral("menuVista"));
        menuBar()->insertMenu(ui->menuHelp->menuAction(), menu);
    }
    auto* acao = new QAction(QStringLiteral("Vista Externa"), this);
    acao->setObjectName(QStringLiteral("actionVistaExterna"));
    acao->setCheckable(true);
    menu->addAction(acao);
    connect(acao, &QAction::toggled, vista, [vista](bool mostrar) {
        vista->setVisible(mostrar);
        // Framed once the layout has given it its size, so that the scene fits its proportions.
        if (mostrar)
            QMetaObject::invokeMethod(vista, &VistaExterna::enquadrar, Qt::QueuedConnection);
    });
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
    const QString programa = tr("Sistema de Computação Gráfica");
    // The bare title has no place for the marker (Qt warns when one is set without it); the
    // question on leaving looks at the undo stack, not at the marker.
    const QString arquivo = _documento->arquivo();
    if (arquivo.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(programa);
    } else {
        setWindowTitle(QFileInfo(arquivo).fileName() + QStringLiteral("[*] — ") + programa);
        setWindowModified(_documento->modificado());
    }
}

void MainWindow::definirArquivoDaCena(const QString& caminho)
{
    _documento->definirArquivo(caminho);
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
    for (const auto& [tecla, comando] : comandos) {
        auto* acao = new QAction(this);
        acao->setObjectName(QStringLiteral("tecla") + QKeySequence(tecla).toString());
        connect(acao, &QAction::triggered, this, comando);
        _teclas.insert(tecla, acao);
    }
    _teclas.insert(Qt::Key_V, findChild<QAction*>(QStringLiteral("actionVistaExterna")));
}

void MainWindow::sair()
{
    // At once, as ever, unless that would lose unsaved changes the user wants to keep.
    if (_arquivos->podeDescartarAlteracoes())
        std::exit(0);
}

void MainWindow::keyPressEvent(QKeyEvent* evento)
{
    // Only the key code counts: Shift and the keypad change nothing. Keys not listed are dropped here
    // rather than handed to QMainWindow. Control with S, O, Z or Y belongs to the menus (save, load,
    // undo, redo): while the action is disabled Qt hands the key on to here, where it must not move
    // or turn the object.
    const int tecla = evento->key();
    if ((evento->modifiers() & Qt::ControlModifier)
        && (tecla == Qt::Key_S || tecla == Qt::Key_O || tecla == Qt::Key_Z || tecla == Qt::Key_Y))
        return;
    if (QAction* acao = _teclas.value(tecla))
        acao->trigger();
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
    // The list lays out a row's whole text on every repaint, and a name can be megabytes long: a
    // row shows its first 200 characters, and the whole name is in the row's tooltip.
    constexpr int caracteresNaLinha = 200;
    for (Objeto* atual : ui->canvas->displayFile()->listaDeObjetos) {
        const std::string& nome = atual->nome();
        std::size_t corte = 0;
        for (int caracteres = 0; corte < nome.size() && caracteres < caracteresNaLinha; ++caracteres) {
            ++corte;
            while (corte < nome.size() && (static_cast<unsigned char>(nome[corte]) & 0xC0) == 0x80)
                ++corte;
        }
        const bool cortado = corte < nome.size();
        const QString texto = QString::fromUtf8(nome.data(), static_cast<qsizetype>(corte))
                              + (cortado ? QStringLiteral("… : ") : QStringLiteral(" : "))
                              + QString::fromStdString(atual->nomeDoTipo());
        auto* atualNaLista = new QListWidgetItem(texto);
        if (cortado)
            atualNaLista->setToolTip(QString::fromStdString(nome));
        ui->objetos->addItem(atualNaLista);
        mapaObjetos.insert(atualNaLista, atual);
    }
}

void MainWindow::atualizarCpp()
{
    _documento->avisarAlteracao();
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
    Objeto* objeto = selecionado();
    if (!objeto)
        return -1;
    const auto& lista = ui->canvas->displayFile()->listaDeObjetos;
    const auto onde = std::find(lista.begin(), lista.end(), objeto);
    return onde == lista.end() ? -1 : static_cast<int>(onde - lista.begin());
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

// --- camera -------------------------------------------------------------------------------------

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

// Each dial turns the camera by how far it moved since its own last value. Across the wrap from
// 360 to 0 that is nearly a full turn the other way, which lands on the same orientation.
void MainWindow::on_windowRotacaoXDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(_documento->rodar(angulo, 0, 0));
}

void MainWindow::on_windowRotacaoYDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(_documento->rodar(0, angulo, 0));
}

void MainWindow::on_windowRotacaoZDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(_documento->rodar(0, 0, angulo));
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
    ui->canvas->vistaInicial();
    _documento->avisarCameraMovida();
}

void MainWindow::on_orbitar_toggled(bool checked)
{
    ui->orbitarX->setEnabled(checked);
    ui->orbitarY->setEnabled(checked);
}

void MainWindow::on_actionTeclas_de_Atalho_toggled(bool mostrarAjuda)
{
    ui->help->setVisible(mostrarAjuda);
}

// --- the selected object ------------------------------------------------------------------------

void MainWindow::transformarSelecionado(const Transformacao& t, const QString& texto)
{
    const int posicao = posicaoDoSelecionado();
    if (posicao < 0)
        return;
    Objeto* objeto = ui->canvas->displayFile()->listaDeObjetos[static_cast<std::size_t>(posicao)];
    // Tried on a copy: a scene with a coordinate that is not finite can be neither drawn nor saved.
    std::unique_ptr<Objeto> ensaio(objeto->clone());
    ensaio->transformar(t);
    for (const Coordenada& c : ensaio->coordenadas()) {
        if (!std::isfinite(c.x()) || !std::isfinite(c.y()) || !std::isfinite(c.z())) {
            statusBar()->showMessage(tr("Transformação recusada: as coordenadas de %1 deixariam de ser finitas.")
                                         .arg(nomeEntreAspas(*objeto)),
                                     duracaoDoAviso);
            return;
        }
    }
    pilhaDeDesfazer()->push(new ComandoTransformar(*_documento, static_cast<std::size_t>(posicao), objeto->coordenadas(),
                                       ensaio->coordenadas(), texto.arg(nomeEntreAspas(*objeto))));
}

std::optional<double> MainWindow::numeroDigitado(const QString& texto, const QString& oQue)
{
    const std::optional<double> numero = lerNumero(texto);
    if (!numero)
        statusBar()->showMessage(tr("%1 inválido: '%2'.").arg(oQue, texto), duracaoDoAviso);
    return numero;
}

void MainWindow::escolher(Objeto* objeto)
{
    QListWidgetItem* linha = nullptr;
    if (objeto != nullptr)
        for (auto i = mapaObjetos.cbegin(); i != mapaObjetos.cend(); ++i)
            if (i.value() == objeto)
                linha = i.key();
    if (linha != nullptr) {
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

void MainWindow::transladar(double dx, double dy, double dz)
{
    transformarSelecionado(Transformacao::translacao(dx, dy, dz), tr("Mover %1"));
}

void MainWindow::on_objetoEsquerdo_clicked()
{
    transladar(-1.0, 0.0, 0.0);
}

void MainWindow::on_objetoDireita_clicked()
{
    transladar(1.0, 0.0, 0.0);
}

void MainWindow::on_objetoBaixo_clicked()
{
    transladar(0.0, -1.0, 0.0);
}

void MainWindow::on_objetoCima_clicked()
{
    transladar(0.0, 1.0, 0.0);
}

void MainWindow::rotacionar(bool emX, bool emY, bool emZ)
{
    const std::optional<double> lido = numeroDigitado(ui->objetoRotacaoDisplay->text(), tr("Ângulo"));
    if (!lido)
        return;
    const double angulo = *lido;
    Objeto* objeto = selecionado();
    if (!objeto)
        return;
    const Coordenada centro = ui->orbitar->isChecked()
                                  ? Coordenada(ui->orbitarX->value(), ui->orbitarY->value(), 0.0)
                                  : objeto->centro();
    const Transformacao rotacao =
        Transformacao::rotacao(emX ? angulo : 0.0, emY ? angulo : 0.0, emZ ? angulo : 0.0, centro);
    transformarSelecionado(rotacao, tr("Rotacionar %1"));
}

void MainWindow::rotacionarX()
{
    rotacionar(true, false, false);
}

void MainWindow::rotacionarY()
{
    rotacionar(false, true, false);
}

void MainWindow::rotacionarZ()
{
    rotacionar(false, false, true);
}

void MainWindow::on_objetoAplicarRotacao_clicked()
{
    rotacionarX();
}

void MainWindow::on_botaoEscala_clicked()
{
    const std::optional<double> lido = numeroDigitado(ui->fatorEscalaDisplay->text(), tr("Fator"));
    if (!lido)
        return;
    const double fator = *lido;
    // A factor of 0 collapses the object onto its centre, where no later scaling can undo it.
    // Negative factors mirror it and are allowed.
    if (fator == 0.0) {
        statusBar()->showMessage(tr("Fator inválido: 0 achataria o objeto num ponto."), duracaoDoAviso);
        return;
    }
    Objeto* objeto = selecionado();
    if (!objeto)
        return;
    const Coordenada centro = objeto->centro();
    transformarSelecionado(Transformacao::escala(fator, fator, fator, centro.x(), centro.y(), centro.z()),
                           tr("Escalar %1"));
}

// --- adding objects -----------------------------------------------------------------------------

void MainWindow::on_adicionarButton_clicked()
{
    NovoObjeto dialogo(this);
    if (dialogo.exec() == QDialog::Rejected)
        return;
    std::unique_ptr<Objeto> novo = dialogo.tomarObjeto();
    if (!novo)
        return;
    const QString texto = tr("Adicionar %1").arg(nomeEntreAspas(*novo));
    std::vector<std::unique_ptr<Objeto>> objetos;
    objetos.push_back(std::move(novo));
    adicionarObjetos(std::move(objetos), texto);
    setFocus(Qt::MouseFocusReason);
}

void MainWindow::on_actionRemover_triggered()
{
    const int posicao = posicaoDoSelecionado();
    if (posicao < 0)
        return;
    const Objeto& objeto = *ui->canvas->displayFile()->listaDeObjetos[static_cast<std::size_t>(posicao)];
    pilhaDeDesfazer()->push(new ComandoRemover(*_documento, static_cast<std::size_t>(posicao), tr("Remover %1").arg(nomeEntreAspas(objeto))));
}

void MainWindow::on_actionEditar_triggered()
{
    const int posicao = posicaoDoSelecionado();
    if (posicao < 0)
        return;
    const Objeto& objeto = *ui->canvas->displayFile()->listaDeObjetos[static_cast<std::size_t>(posicao)];
    NovoObjeto dialogo(this);
    dialogo.preencher(objeto);
    if (dialogo.exec() == QDialog::Rejected)
        return;
    std::unique_ptr<Objeto> novo = dialogo.tomarObjeto();
    if (!novo)
        return;
    const QString texto = tr("Editar %1").arg(nomeEntreAspas(objeto));
    pilhaDeDesfazer()->push(new ComandoSubstituir(*_documento, static_cast<std::size_t>(posicao), std::move(novo), texto));
    setFocus(Qt::MouseFocusReason);
}

// --- scene files --------------------------------------------------------------------------------

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

// --- pictures and models ------------------------------------------------------------------------

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

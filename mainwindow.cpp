#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidgetItem>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "displayfile.h"
#include "fabricadeobjeto.h"
#include "importacao.h"
#include "novoobjeto.h"
#include "objeto.h"
#include "qviewport.h"
#include "transformacao.h"
#include "window.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    showMaximized();
    setFocusPolicy(Qt::StrongFocus);
    ui->setupUi(this);
    // The form's resize to 994 × 693 makes Qt 6 forget the maximized state until the platform
    // reports it again, so the window would read as not maximized right after construction. The
    // form's size stays as the size the window returns to when un-maximized.
    setWindowState(windowState() | Qt::WindowMaximized);
    ui->help->setVisible(false);
    atualizarLista();
    atualizarCpp();
    // The window itself starts with the keyboard, not the first child in the tab chain (the object
    // list, which takes letters for its own search), so that every shortcut works from the start.
    setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::keyPressEvent(QKeyEvent* evento)
{
    // Only the key code counts: Shift, Control and the keypad change nothing. Keys not listed are
    // dropped here rather than handed to QMainWindow.
    switch (evento->key()) {
    case Qt::Key_Plus:
        on_zoomInButton_clicked();
        break;
    case Qt::Key_Minus:
        on_zoomOutButton_clicked();
        break;
    case Qt::Key_A:
        on_objetoEsquerdo_clicked();
        break;
    case Qt::Key_D:
        on_objetoDireita_clicked();
        break;
    case Qt::Key_I:
        step(0.1);
        break;
    case Qt::Key_N:
        on_adicionarButton_clicked();
        break;
    case Qt::Key_O:
        step(-0.1);
        break;
    case Qt::Key_R:
        on_objetoAplicarRotacao_clicked();
        break;
    case Qt::Key_S:
        on_objetoBaixo_clicked();
        break;
    case Qt::Key_W:
        on_objetoCima_clicked();
        break;
    case Qt::Key_X:
        rotacionarX();
        break;
    case Qt::Key_Y:
        rotacionarY();
        break;
    case Qt::Key_Z:
        rotacionarZ();
        break;
    case Qt::Key_Escape:
        std::exit(0);
    case Qt::Key_Left:
        on_windowEsquerda_clicked();
        break;
    case Qt::Key_Up:
        on_windowCima_clicked();
        break;
    case Qt::Key_Right:
        on_windowDireito_clicked();
        break;
    case Qt::Key_Down:
        on_windowBaixo_clicked();
        break;
    default:
        break;
    }
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
    ui->canvas->janela()->atualizarCPP(*ui->canvas->displayFile());
}

Objeto* MainWindow::selecionado() const
{
    // contains() first: operator[] would add the current item to the map.
    QListWidgetItem* atual = ui->objetos->currentItem();
    if (!mapaObjetos.contains(atual))
        return nullptr;
    return mapaObjetos.value(atual);
}

// --- camera -------------------------------------------------------------------------------------

void MainWindow::avisarSeRecusada(bool feita)
{
    if (!feita)
        statusBar()->showMessage(tr("A window chegou ao limite do que pode ser desenhado e salvo; o comando foi "
                                    "ignorado."),
                                 5000);
}

void MainWindow::on_windowCima_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->mover(0, 0.1, 0));
    update();
}

void MainWindow::on_windowBaixo_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->mover(0, -0.1, 0));
    update();
}

void MainWindow::on_windowEsquerda_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->mover(-0.1, 0, 0));
    update();
}

void MainWindow::on_windowDireito_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->mover(0.1, 0, 0));
    update();
}

void MainWindow::step(double quanto)
{
    avisarSeRecusada(ui->canvas->janela()->mover(0, 0, quanto));
    atualizarCpp();
    update();
}

void MainWindow::on_zoomInButton_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->escala(0.9));
    update();
}

void MainWindow::on_zoomOutButton_clicked()
{
    avisarSeRecusada(ui->canvas->janela()->escala(1.1));
    update();
}

// Each dial turns the camera by how far it moved since its own last value. Across the wrap from
// 360 to 0 that is nearly a full turn the other way, which lands on the same orientation.
void MainWindow::on_windowRotacaoXDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(ui->canvas->janela()->rodar(angulo, 0, 0));
    update();
}

void MainWindow::on_windowRotacaoYDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(ui->canvas->janela()->rodar(0, angulo, 0));
    update();
}

void MainWindow::on_windowRotacaoZDisplay_valueChanged(int value)
{
    static int windowRotacaoAntiga = 0;
    const double angulo = value - windowRotacaoAntiga;
    windowRotacaoAntiga = value;
    avisarSeRecusada(ui->canvas->janela()->rodar(0, 0, angulo));
    update();
}

void MainWindow::on_mostrarCoordenadas_toggled(bool checked)
{
    ui->canvas->showCoordinates(checked);
    update();
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

void MainWindow::transladar(double dx, double dy, double dz)
{
    Objeto* objeto = selecionado();
    if (!objeto)
        return;
    objeto->transformar(Transformacao::translacao(dx, dy, dz));
    atualizarCpp();
    update();
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
    bool ok = false;
    const double angulo = ui->objetoRotacaoDisplay->text().toDouble(&ok);
    // toDouble takes "nan" and "inf"; either would turn every coordinate into NaN for good.
    if (!ok || !std::isfinite(angulo))
        return;
    Objeto* objeto = selecionado();
    if (!objeto)
        return;
    const Coordenada centro = ui->orbitar->isChecked()
                                  ? Coordenada(ui->orbitarX->value(), ui->orbitarY->value(), 0.0)
                                  : objeto->centro();
    const Transformacao rotacao =
        Transformacao::rotacao(emX ? angulo : 0.0, emY ? angulo : 0.0, emZ ? angulo : 0.0, centro);
    objeto->transformar(rotacao);
    atualizarCpp();
    update();
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
    bool ok = false;
    const double fator = ui->fatorEscalaDisplay->text().toDouble(&ok);
    // A factor of 0 collapses the object onto its centre, where no later scaling can undo it;
    // nan and inf would ruin its coordinates. Negative factors mirror it and are allowed.
    if (!ok || !std::isfinite(fator) || fator == 0.0)
        return;
    Objeto* objeto = selecionado();
    if (!objeto)
        return;
    const Coordenada centro = objeto->centro();
    objeto->transformar(Transformacao::escala(fator, fator, fator, centro.x(), centro.y(), centro.z()));
    atualizarCpp();
    update();
}

// --- adding objects -----------------------------------------------------------------------------

void MainWindow::on_adicionarButton_clicked()
{
    NovoObjeto dialogo(this);
    if (dialogo.exec() == QDialog::Rejected)
        return;
    FabricaDeObjeto* tipo = dialogo.obterTipo();
    if (!tipo)
        return;
    Objeto* novo = tipo->criar();
    if (!novo)
        return;
    // From here on the display file owns the object.
    ui->canvas->displayFile()->listaDeObjetos.push_back(novo);
    ui->canvas->update();
    atualizarLista();
    atualizarCpp();
    setFocus(Qt::MouseFocusReason);
}

// --- scene files --------------------------------------------------------------------------------

// Both commands report every fault on standard error and nowhere else.
void MainWindow::on_actionSalvar_triggered()
{
    try {
        const QString file = QFileDialog::getSaveFileName(this, tr("Salvar em..."), QString(), tr("XML File (*.xml)"));
        // Cancelled: nothing to write and nothing to say.
        if (file.isEmpty())
            return;
        TiXmlDocument doc;
        // Owned here until linked, in case the scene throws while it is written.
        auto version = std::make_unique<TiXmlDeclaration>("1.0", "", "");
        auto formas = std::make_unique<TiXmlElement>("formas");
        ui->canvas->persist(formas.get());
        doc.LinkEndChild(version.release());
        doc.LinkEndChild(formas.release());
        ArquivoDeCena::salvar(file, doc);
    } catch (const std::string& erro) {
        std::cerr << erro << std::endl;
    }
}

void MainWindow::on_actionCarregar_triggered()
{
    abrir(QFileDialog::getOpenFileName(this, tr("Abrir..."), QString(), tr("XML File (*.xml)")));
}

void MainWindow::abrir(const QString& file)
{
    try {
        // All or nothing: when the scene throws, the objects and so the rows are the ones before.
        ArquivoDeCena::carregar(file, *ui->canvas);
        atualizarLista();
        update();
    } catch (const std::string& erro) {
        std::cerr << erro << std::endl;
    }
}

void MainWindow::avisar(const QString& titulo, const std::string& erro)
{
    std::cerr << erro << std::endl;
    QMessageBox::warning(this, titulo, QString::fromStdString(erro));
}

// --- pictures and models ------------------------------------------------------------------------

void MainWindow::on_actionExportar_triggered()
{
    // Qt's own dialog, so that the picture's size can be chosen in it; the canvas's size unless the
    // user changes it.
    QFileDialog dialogo(this, tr("Exportar Imagem"), QString(), tr("Imagem PNG (*.png);;Imagem SVG (*.svg)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& filtro) {
        dialogo.setDefaultSuffix(filtro.contains(QLatin1String("*.svg")) ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    auto* largura = new QSpinBox;
    auto* altura = new QSpinBox;
    largura->setObjectName(QStringLiteral("larguraDaImagem"));
    altura->setObjectName(QStringLiteral("alturaDaImagem"));
    for (QSpinBox* lado : {largura, altura}) {
        lado->setRange(1, QViewport::ladoMaximoDaImagem);
        lado->setSuffix(tr(" px"));
    }
    largura->setValue(ui->canvas->largura());
    altura->setValue(ui->canvas->altura());
    auto* tamanho = new QWidget;
    auto* linha = new QHBoxLayout(tamanho);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(largura);
    linha->addWidget(new QLabel(QStringLiteral("×")));
    linha->addWidget(altura);
    linha->addStretch();
    if (auto* grade = qobject_cast<QGridLayout*>(dialogo.layout())) {
        const int fim = grade->rowCount();
        grade->addWidget(new QLabel(tr("Tamanho:")), fim, 0);
        grade->addWidget(tamanho, fim, 1, 1, grade->columnCount() - 1);
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    try {
        ui->canvas->exportar(dialogo.selectedFiles().first(), QSize(largura->value(), altura->value()));
    } catch (const std::string& erro) {
        avisar(tr("Exportar Imagem"), erro);
    }
}

void MainWindow::on_actionImportar_triggered()
{
    const QString caminho = QFileDialog::getOpenFileName(this, tr("Importar Modelo"), QString(),
                                                         tr("Modelos 3-D (*.obj *.off);;Wavefront OBJ (*.obj);;OFF (*.off)"));
    if (!caminho.isEmpty())
        importar(caminho);
}

void MainWindow::importar(const QString& caminho)
{
    std::vector<std::unique_ptr<Objeto>> novos;
    try {
        novos = Importacao::lerModelo(caminho);
    } catch (const std::string& erro) {
        avisar(tr("Importar Modelo"), erro);
        return;
    }
    std::vector<Objeto*>& lista = ui->canvas->displayFile()->listaDeObjetos;
    lista.reserve(lista.size() + novos.size());
    // From here on the display file owns the objects.
    for (std::unique_ptr<Objeto>& novo : novos)
        lista.push_back(novo.release());
    atualizarLista();
    atualizarCpp();
    update();
}

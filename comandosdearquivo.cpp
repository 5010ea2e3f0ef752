#include "comandosdearquivo.h"

#include <iostream>
#include <memory>
#include <utility>
#include <vector>

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "comandosdecena.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "importacao.h"
#include "linhadetamanho.h"
#include "objeto.h"
#include "progressonajanela.h"
#include "qviewport.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

ComandosDeArquivo::ComandosDeArquivo(DocumentoDeCena& documento, QWidget& janela, QViewport& canvas)
    : _documento(documento), _janela(janela), _canvas(canvas)
{
}

bool ComandosDeArquivo::podeDescartarAlteracoes()
{
    if (!_documento.modificado())
        return true;
    QMessageBox pergunta(QMessageBox::Warning, tr("Sistema de Computação Gráfica"), tr("Salvar alterações?"),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &_janela);
    pergunta.setInformativeText(tr("A cena tem alterações que não foram salvas."));
    pergunta.button(QMessageBox::Save)->setText(tr("Salvar"));
    pergunta.button(QMessageBox::Discard)->setText(tr("Descartar"));
    pergunta.button(QMessageBox::Cancel)->setText(tr("Cancelar"));
    pergunta.setDefaultButton(QMessageBox::Save);
    switch (pergunta.exec()) {
    case QMessageBox::Save:
        return _documento.arquivo().isEmpty() ? salvarComo() : salvarEm(_documento.arquivo());
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ComandosDeArquivo::salvar()
{
    if (_documento.arquivo().isEmpty())
        salvarComo();
    else
        salvarEm(_documento.arquivo());
}

bool ComandosDeArquivo::salvarComo()
{
    QFileDialog dialogo(&_janela, tr("Salvar em..."), QString(), tr("XML File (*.xml)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    // So that the file shows under Carregar's filter; the dialog then also asks before replacing
    // the file with the suffix.
    dialogo.setDefaultSuffix(QStringLiteral("xml"));
    // Cancelled: nothing to write and nothing to say.
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    QString caminho = dialogo.selectedFiles().value(0);
    if (caminho.isEmpty())
        return false;
    // A desktop's own dialog may ignore the default suffix.
    if (QFileInfo(caminho).suffix().isEmpty())
        caminho += QStringLiteral(".xml");
    return salvarEm(caminho);
}

bool ComandosDeArquivo::salvarEm(const QString& caminho)
{
    try {
        ProgressoNaJanela progresso(_janela, tr("Salvando '%1'...").arg(QFileInfo(caminho).fileName()));
        ArquivoDeCena::salvar(caminho, *_documento.janela(), *_documento.displayFile(), {}, progresso.progresso());
    } catch (const std::string& erro) {
        avisar(tr("Salvar"), erro);
        return false;
    } catch (const Cancelado&) {
        // The file stays as it was; the scene is as unsaved as before.
        return false;
    }
    _documento.definirArquivo(caminho);
    _documento.marcarSalvo();
    return true;
}

void ComandosDeArquivo::carregar()
{
    if (!podeDescartarAlteracoes())
        return;
    const QString arquivo = QFileDialog::getOpenFileName(&_janela, tr("Abrir..."), QString(), tr("XML File (*.xml)"));
    if (carregarDe(arquivo))
        _documento.marcarSalvo();
}

void ComandosDeArquivo::abrir(const QString& arquivo)
{
    // What a user opens at start is where the work begins: nothing before it to undo, nothing
    // changed yet.
    if (carregarDe(arquivo))
        _documento.pilhaDeDesfazer()->clear();
}

bool ComandosDeArquivo::carregarDe(const QString& arquivo)
{
    try {
        // All or nothing: read into new values, which replace the scene only once complete.
        Window camera = *_documento.janela();
        DisplayFile cena;
        {
            ProgressoNaJanela progresso(_janela, tr("Carregando '%1'...").arg(QFileInfo(arquivo).fileName()));
            ArquivoDeCena::carregar(arquivo, camera, cena, progresso.progresso());
        }
        _documento.pilhaDeDesfazer()->push(new ComandoTrocarCena(
            _documento, std::move(cena), camera, arquivo, tr("Carregar '%1'").arg(QFileInfo(arquivo).fileName())));
        return true;
    } catch (const std::string& erro) {
        // A cancelled dialog (no name) keeps its line on standard error but is no failure to show.
        if (arquivo.isEmpty())
            std::cerr << erro << std::endl;
        else
            avisar(tr("Carregar"), erro);
        return false;
    } catch (const Cancelado&) {
        return false;
    }
}

void ComandosDeArquivo::nova()
{
    if (!podeDescartarAlteracoes())
        return;
    _documento.pilhaDeDesfazer()->push(
        new ComandoTrocarCena(_documento, DisplayFile(), Viewport::cameraInicial(), QString(), tr("Nova Cena")));
    _documento.marcarSalvo();
}

void ComandosDeArquivo::avisar(const QString& titulo, const std::string& erro)
{
    std::cerr << erro << std::endl;
    QMessageBox::warning(&_janela, titulo, QString::fromStdString(erro));
}

void ComandosDeArquivo::exportar()
{
    // Qt's own dialog, so that the picture's size can be chosen in it; the canvas's size unless the
    // user changes it.
    QFileDialog dialogo(&_janela, tr("Exportar Imagem"), QString(), tr("Imagem PNG (*.png);;Imagem SVG (*.svg)"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&dialogo](const QString& filtro) {
        dialogo.setDefaultSuffix(filtro.contains(QLatin1String("*.svg")) ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    const LinhaDeTamanho* tamanho = LinhaDeTamanho::acrescentar(dialogo, QSize(_canvas.largura(), _canvas.altura()));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    try {
        _canvas.exportar(dialogo.selectedFiles().first(), tamanho->tamanho());
    } catch (const std::string& erro) {
        avisar(tr("Exportar Imagem"), erro);
    }
}

void ComandosDeArquivo::importarPeloDialogo()
{
    const QString caminho = QFileDialog::getOpenFileName(&_janela, tr("Importar Modelo"), QString(),
                                                         tr("Modelos 3-D (*.obj *.off);;Wavefront OBJ (*.obj);;OFF (*.off)"));
    if (!caminho.isEmpty())
        importar(caminho);
}

void ComandosDeArquivo::importar(const QString& caminho)
{
    std::vector<std::unique_ptr<Objeto>> novos;
    try {
        ProgressoNaJanela progresso(_janela, tr("Importando '%1'...").arg(QFileInfo(caminho).fileName()));
        novos = Importacao::lerModelo(caminho, progresso.progresso());
    } catch (const std::string& erro) {
        avisar(tr("Importar Modelo"), erro);
        return;
    } catch (const Cancelado&) {
        return;
    }
    if (novos.empty())
        return;
    _documento.pilhaDeDesfazer()->push(new ComandoAdicionar(_documento, _documento.quantidade(), std::move(novos),
                                                            tr("Importar '%1'").arg(QFileInfo(caminho).fileName())));
}

#ifndef COMANDOSDEARQUIVO_H
#define COMANDOSDEARQUIVO_H

#include <string>

#include <QCoreApplication>
#include <QString>

class DocumentoDeCena;
class QViewport;
class QWidget;

// The commands that read and write files for a document: scene files, models and pictures, with
// their dialogs. Every fault goes to standard error and to a box in front of the user, in janela.
class ComandosDeArquivo {
    Q_DECLARE_TR_FUNCTIONS(ComandosDeArquivo)

public:
    // canvas is the picture an export writes, at its size unless the user chooses another.
    ComandosDeArquivo(DocumentoDeCena& documento, QWidget& janela, QViewport& canvas);

    void salvar();
    // Asks for a file name and saves there; false when cancelled or failed.
    bool salvarComo();
    // Asks for a scene file and puts it in place, after the question about unsaved changes.
    void carregar();
    // Opens the scene file at arquivo when the program starts, reporting a fault as carregar()
    // does; the scene opened is unchanged and nothing can be undone past it.
    void abrir(const QString& arquivo);
    // An empty scene with the starting camera, after the question about unsaved changes.
    void nova();
    void importarPeloDialogo();
    // Adds the objects of the OBJ or OFF model at caminho, all or none, as one command.
    void importar(const QString& caminho);
    void exportar();
    // True when nothing unsaved would be lost: no changes, or the user saved or discarded them.
    bool podeDescartarAlteracoes();

private:
    // Puts the scene at arquivo in place as one undoable command, with its file name; false after
    // telling the user why not.
    bool carregarDe(const QString& arquivo);
    // Writes the scene to caminho; false after telling the user why not.
    bool salvarEm(const QString& caminho);
    // A fault the user must see: on standard error and in a message box.
    void avisar(const QString& titulo, const std::string& erro);

    DocumentoDeCena& _documento;
    QWidget& _janela;
    QViewport& _canvas;
};

#endif

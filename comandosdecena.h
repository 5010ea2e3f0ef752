#ifndef COMANDOSDECENA_H
#define COMANDOSDECENA_H

#include <cstddef>
#include <memory>
#include <vector>

#include <QString>
#include <QUndoCommand>

#include "coordenada.h"
#include "displayfile.h"
#include "window.h"

class DocumentoDeCena;
class Objeto;

// The undoable changes of the scene. Each holds what it needs to put the scene back exactly: the
// objects that are out of the scene while it is undone (or done), or the coordinates from before.
// They act on the document alone, whose signals bring every view up to date. Objects the command
// holds are its own; those in the scene belong to the document.

// Objects that enter the scene at one position, in order (adding one, or a whole file imported).
class ComandoAdicionar : public QUndoCommand {
public:
    ComandoAdicionar(DocumentoDeCena& documento, std::size_t posicao, std::vector<std::unique_ptr<Objeto>> objetos,
                     const QString& texto);
    ~ComandoAdicionar() override;
    void redo() override;
    void undo() override;

private:
    DocumentoDeCena& _documento;
    std::size_t _posicao;
    std::vector<std::unique_ptr<Objeto>> _fora;
};

// One object that leaves the scene, and comes back to its place on undo.
class ComandoRemover : public QUndoCommand {
public:
    ComandoRemover(DocumentoDeCena& documento, std::size_t posicao, const QString& texto);
    ~ComandoRemover() override;
    void redo() override;
    void undo() override;

private:
    DocumentoDeCena& _documento;
    std::size_t _posicao;
    std::unique_ptr<Objeto> _fora;
};

// Another object in the place of one (an edit): redo and undo both swap them.
class ComandoSubstituir : public QUndoCommand {
public:
    ComandoSubstituir(DocumentoDeCena& documento, std::size_t posicao, std::unique_ptr<Objeto> outro, const QString& texto);
    ~ComandoSubstituir() override;
    void redo() override;
    void undo() override { redo(); }

private:
    DocumentoDeCena& _documento;
    std::size_t _posicao;
    std::unique_ptr<Objeto> _outro;
};

// New coordinates for one object, which stays the same object (its row stays current).
class ComandoTransformar : public QUndoCommand {
public:
    ComandoTransformar(DocumentoDeCena& documento, std::size_t posicao, std::vector<Coordenada> antes,
                       std::vector<Coordenada> depois, const QString& texto);
    void redo() override;
    void undo() override;

private:
    DocumentoDeCena& _documento;
    std::size_t _posicao;
    std::vector<Coordenada> _antes;
    std::vector<Coordenada> _depois;
};

// A whole other scene: objects, camera and file name (a load, a new scene). The camera comes back
// with the objects because a scene file is both; redo and undo both swap.
class ComandoTrocarCena : public QUndoCommand {
public:
    ComandoTrocarCena(DocumentoDeCena& documento, DisplayFile cena, const Window& camera, const QString& arquivo,
                      const QString& texto);
    void redo() override;
    void undo() override { redo(); }

private:
    DocumentoDeCena& _documento;
    DisplayFile _cena;
    Window _camera;
    // The other scene's camera as it opened: Vista Inicial's, after a redo as after an undo.
    Window _cameraDeAbertura;
    QString _arquivo;
};

#endif

#ifndef COMANDOSDEOBJETO_H
#define COMANDOSDEOBJETO_H

#include <optional>

#include <QCoreApplication>
#include <QString>

#include "coordenada.h"

class DocumentoDeCena;
class QStatusBar;
class QWidget;
class Transformacao;

// The commands on one object of a document, named by its position: add, edit, remove and the
// transformations. Each is one command on the document's undo stack; what the user typed wrong is
// said in the status bar, and a position below 0 (no object chosen) does nothing.
class ComandosDeObjeto {
    Q_DECLARE_TR_FUNCTIONS(ComandosDeObjeto)

public:
    // The dialogs open over janela; barra takes the notes.
    ComandosDeObjeto(DocumentoDeCena& documento, QWidget& janela, QStatusBar& barra);

    // The new-object dialog, and the object it made at the end of the scene; false when cancelled.
    bool adicionar();
    // The dialog filled with the object, and what it made in the object's place; false when
    // cancelled or nothing is chosen.
    bool editar(int posicao);
    void remover(int posicao);
    void transladar(int posicao, double dx, double dy, double dz);
    // By the typed amounts along x, y and z; a blank one is no move along its axis.
    void transladar(int posicao, const QString& dx, const QString& dy, const QString& dz);
    // By the typed angle about each axis whose flag is set, about centro or else the object's centre.
    void rotacionar(int posicao, const QString& angulo, bool emX, bool emY, bool emZ,
                    std::optional<Coordenada> centro);
    // By the typed factor in every direction, about the object's centre.
    void escalar(int posicao, const QString& fator);

private:
    // Pushes t applied to the object as a command named texto, unless some coordinate would not be
    // finite: then says so and changes nothing.
    void transformar(int posicao, const Transformacao& t, const QString& texto);
    // The typed number, or nothing after a note naming oQue.
    std::optional<double> numeroDigitado(const QString& texto, const QString& oQue);
    void avisar(const QString& nota);

    DocumentoDeCena& _documento;
    QWidget& _janela;
    QStatusBar& _barra;
};

#endif

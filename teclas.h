#ifndef TECLAS_H
#define TECLAS_H

#include <functional>

#include <QHash>

class QAction;
class QKeyEvent;
class QObject;

// The single keys of a window, each an action (tecla<key>) that a key press triggers, whatever
// holds the keyboard: only the key code counts, so that Shift and the keypad change nothing. They
// are not Qt shortcuts, which would take the arrows from a list whose rows they move and the letters
// from line edits.
class Teclas {
public:
    // The action, a child of dono, runs comando.
    QAction* ligar(int tecla, QObject* dono, std::function<void()> comando);
    // tecla triggers acao, made elsewhere.
    void ligar(int tecla, QAction* acao) { _acoes.insert(tecla, acao); }
    // Triggers the action of the key pressed; false when it has none. Control with S, O, Z or Y
    // belongs to the menus (save, load, undo, redo): while such an action is disabled, Qt hands the
    // key on as a plain key press, which must not move or turn anything.
    bool disparar(const QKeyEvent& evento) const;

private:
    QHash<int, QAction*> _acoes;
};

#endif

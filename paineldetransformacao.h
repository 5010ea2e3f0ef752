#ifndef PAINELDETRANSFORMACAO_H
#define PAINELDETRANSFORMACAO_H

#include <functional>

#include <QObject>

class ComandosDeObjeto;

namespace Ui {
class MainWindow;
}

// The tabs that transform the selected object: "Translação" moves it by the typed amounts along x, y
// and z, "Rotação" turns it by the typed angle about the axis its buttons choose (through its centre
// or the orbit's), "Escala" scales it about its centre. Each transformation is one undoable command.
class PainelDeTransformacao : public QObject {
    Q_OBJECT

public:
    // The form's widgets; comandos acts on the object at selecionado() (below 0: none).
    PainelDeTransformacao(Ui::MainWindow& ui, ComandosDeObjeto& comandos, std::function<int()> selecionado,
                          QObject* parent = nullptr);

    // Axis 0, 1 or 2 (x, y, z), whichever is chosen.
    void rotacionar(int eixo);
    // About the axis chosen in the tab: the button "Rotacionar".
    void rotacionarNoEixoEscolhido();
    int eixoEscolhido() const;
    void transladar();
    void escalar();
    // The orbit's centre is typed only while the orbit is on.
    void orbitar(bool ligado);

private:
    Ui::MainWindow& _ui;
    ComandosDeObjeto& _comandos;
    std::function<int()> _selecionado;
};

#endif

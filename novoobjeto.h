#ifndef NOVOOBJETO_H
#define NOVOOBJETO_H

#include <memory>
#include <vector>

#include <QDialog>

#include "fabricadeobjeto.h"
#include "objeto.h"

class EditorDeValor;
class QEvent;
class QLabel;

namespace Ui {
class NovoObjeto;
}

// The modal dialog that adds an object: lists the factory of every kind and, for the one selected, shows
// one editor per parameter descriptor. The editors write straight into the descriptors; the
// dialog tracks the selection and keeps OK enabled only while every descriptor is valid.
// Factories and descriptors belong to the library; the dialog owns only its form object.
class NovoObjeto : public QDialog {
    Q_OBJECT

public:
    explicit NovoObjeto(QWidget* parent);
    ~NovoObjeto() override;

    // The factory whose name is selected in the combo box, or null.
    FabricaDeObjeto* obterTipo() const;
    // A new parentless widget with a label and an editor for every descriptor of the selection.
    QWidget* generateOptionsUi();
    // Turns the dialog into the editor of objeto: its kind selected, every editor showing its values.
    void preencher(const Objeto& objeto);
    // The object built when OK was pressed; null before, and after it was taken.
    std::unique_ptr<Objeto> tomarObjeto() { return std::move(criado); }

public slots:
    // Builds the object first: when the factory refuses, the dialog stays open and says why.
    void accept() override;

protected:
    void changeEvent(QEvent* e) override;

private slots:
    // Qt 6 combo boxes only signal the index; the selection is read back through obterTipo().
    void on_tipo_currentIndexChanged(int);
    void optionValueChanged();

private:
    QWidget* ultimo = nullptr;
    std::vector<FabricaDeObjeto::Type*> options;
    // The editor of each descriptor in options (null for a kind without one).
    std::vector<EditorDeValor*> editores;
    // Why OK is disabled, or why the factory refused; empty while OK can build the object.
    QLabel* motivo = nullptr;
    bool _preenchendo = false;
    std::unique_ptr<Objeto> criado;
    Ui::NovoObjeto* ui = nullptr;
    std::vector<FabricaDeObjeto*> tiposDeObjetos;
};

#endif

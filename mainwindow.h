#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QMap>

#include <string>

class Objeto;
class QEvent;
class QKeyEvent;
class QListWidgetItem;

namespace Ui {
class MainWindow;
}

// The application's one window: the object list, the camera and object controls, the canvas and
// the help panel. Every user command is one of its slots, reached from a widget or from a key.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the scene file at file as the load command does, reporting a fault the same way.
    void abrir(const QString& file);
    // Adds the objects of the OBJ or OFF model at caminho, all or none.
    void importar(const QString& caminho);

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* e) override;

private slots:
    void on_actionCarregar_triggered();
    void on_actionSalvar_triggered();
    void on_mostrarCoordenadas_toggled(bool checked);
    void on_windowRotacaoYDisplay_valueChanged(int value);
    void on_windowRotacaoXDisplay_valueChanged(int value);
    void on_windowRotacaoZDisplay_valueChanged(int value);
    void on_actionTeclas_de_Atalho_toggled(bool mostrarAjuda);
    void on_botaoEscala_clicked();
    void on_orbitar_toggled(bool checked);
    // The four object moves and the two zooms have no widgets: only keys reach them.
    void on_objetoEsquerdo_clicked();
    void on_objetoDireita_clicked();
    void on_objetoBaixo_clicked();
    void on_objetoCima_clicked();
    void on_objetoAplicarRotacao_clicked();
    void on_windowBaixo_clicked();
    void on_windowEsquerda_clicked();
    void on_windowDireito_clicked();
    void on_windowCima_clicked();
    void on_zoomOutButton_clicked();
    void on_zoomInButton_clicked();
    void on_adicionarButton_clicked();
    void on_actionExportar_triggered();
    void on_actionImportar_triggered();

private:
    // Rebuilds the list and mapaObjetos from the display file, in its order.
    void atualizarLista();
    // Has the camera project the canvas's display file again; repaints nothing.
    void atualizarCpp();
    void rotacionarX();
    void rotacionarY();
    void rotacionarZ();
    void step(double quanto);
    // A fault the user must see: on standard error and in a message box.
    void avisar(const QString& titulo, const std::string& erro);
    // The camera refuses a move, zoom or turn that would leave what it can project and save: the
    // status bar says why nothing happened.
    void avisarSeRecusada(bool feita);

    // The object of the list's current row, or null.
    Objeto* selecionado() const;
    // Rotates the selected object by the typed angle on the axis chosen by the flags.
    void rotacionar(bool emX, bool emY, bool emZ);
    void transladar(double dx, double dy, double dz);

    // Tests rebuild the list and read the map without going through the new-object dialog.
    friend class AcessoAMainWindow;

    Ui::MainWindow* ui;
    // Rows to the objects they show; owns neither (the list owns its items, the display file the
    // objects).
    QMap<QListWidgetItem*, Objeto*> mapaObjetos;
};

#endif

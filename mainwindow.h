#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QMap>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "documentodecena.h"
#include "teclas.h"

class ComandosDeArquivo;
class ComandosDeObjeto;
class QAction;
class DialsDeCamera;
class DisplayFile;
class Objeto;
class PainelDeTransformacao;
class QCloseEvent;
class QEvent;
class QKeyEvent;
class QListWidgetItem;
class QUndoStack;
class Recuperacao;
class Viewport;
class Window;

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

    // Opens the scene file at file when the program starts, reporting a fault as the load command
    // does; the scene opened is unchanged and nothing can be undone past it.
    void abrir(const QString& file);
    // Adds the objects of the OBJ or OFF model at caminho, all or none.
    void importar(const QString& caminho);
    // The document the window edits and shows: scene, camera, file name and undo stack. Every change
    // of the scene is one command on pilhaDeDesfazer() (comandosdecena.h); camera moves are not.
    DocumentoDeCena& documento() const { return *_documento; }
    // The canvas, which shows the document's scene through its camera.
    Viewport& viewport() const;
    QUndoStack* pilhaDeDesfazer() const { return _documento->pilhaDeDesfazer(); }
    // Appends objetos at the end of the scene as one undoable command named texto.
    void adicionarObjetos(std::vector<std::unique_ptr<Objeto>> objetos, const QString& texto);
    // Puts another scene, camera and file name in place of the current ones, as one undoable command.
    void trocarCena(DisplayFile cena, const Window& camera, const QString& arquivo, const QString& texto);
    // The file the scene was last loaded from or saved to; empty for a scene that has none.
    QString arquivoDaCena() const { return _documento->arquivo(); }
    void definirArquivoDaCena(const QString& caminho) { _documento->definirArquivo(caminho); }

    // Rebuilds the list and mapaObjetos from the scene, in its order, with no row current.
    void atualizarLista();
    // Tells the document that its scene or camera was changed straight through displayFile() or
    // janela(): the camera projects that scene, and every view follows.
    void atualizarCpp() { _documento->avisarAlteracao(); }

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* evento) override;
    // Gives the object list's keys to the commands, all but the ones that move its current row.
    bool eventFilter(QObject* alvo, QEvent* evento) override;

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
    void on_actionSalvarComo_triggered();
    void on_actionNova_triggered();
    void on_actionRemover_triggered();
    void on_actionEditar_triggered();
    void on_objetos_currentRowChanged(int linha);
    void on_actionEnquadrar_triggered();
    void on_actionVistaInicial_triggered();
    void on_actionMostrarCoordenadas_toggled(bool checked);

private:
    // The list and the title follow the document.
    void seguirDocumento();
    // The keys, as actions that keyPressEvent triggers (teclas.h); the menus keep only the
    // conventional keys of files and editing as their shortcuts.
    void criarAtalhos();
    void criarDesfazer();
    // The key Esc.
    void sair();
    // The canvas that shows the canvas's camera from outside, its action and the menu "Vista".
    void criarVistaExterna();
    void rotacionarX();
    void rotacionarY();
    void rotacionarZ();
    void step(double quanto);
    // The camera refuses a move, zoom or turn that would leave what it can project and save: the
    // status bar says why nothing happened. The mouse's refusals on the canvas come here too.
    void avisarSeRecusada(bool feita);

    // The object of the list's current row, or null.
    Objeto* selecionado() const;
    // Where the selected object stands in the display file; -1 for none.
    int posicaoDoSelecionado() const;

    void atualizarTitulo();

    // Makes the row of objeto current, or none when it is null.
    void escolher(Objeto* objeto);
    // The status bar: where the cursor is on the projection plane while it is over the canvas,
    // else the selected object.
    void mostrarPosicao(double x, double y);
    void mostrarSelecao();

    Ui::MainWindow* ui;
    // Rows to the objects they show; owns neither (the list owns its items, the display file the
    // objects).
    QMap<QListWidgetItem*, Objeto*> mapaObjetos;
    DocumentoDeCena* _documento = nullptr;
    std::unique_ptr<ComandosDeArquivo> _arquivos;
    std::unique_ptr<ComandosDeObjeto> _objetos;
    PainelDeTransformacao* _transformacao = nullptr;
    DialsDeCamera* _dials = nullptr;
    Teclas _teclas;
    // Keeps a copy of the unsaved scene against a crash.
    Recuperacao* _recuperacao = nullptr;
    bool _cursorNoCanvas = false;
};

#endif

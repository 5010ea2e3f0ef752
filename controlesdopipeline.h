#ifndef CONTROLESDOPIPELINE_H
#define CONTROLESDOPIPELINE_H

#include <QObject>

class DocumentoDeCena;
class Inspetor;
class Objeto;
class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QViewport;
class Teclas;

// What a main window offers of the viewing pipeline, and how it follows the document:
// - the menu "Projeção" (menuProjecao): actionPerspectiva, actionParalelaOrtogonal and
//   actionParalelaObliqua, exclusive, always checked as the document's camera projects (a load
//   brings its camera's projection);
// - the menu "Recorte" (menuRecorte): actionCohenSutherland and actionLiangBarsky, exclusive, the
//   document's line clipper, which loads, new scenes and undo keep;
// - in the menu Vista (menuVista), "Inspetor" (actionInspetor, key P), which shows and hides the
//   dock, and the checkable "Coordenadas do Mundo" (actionCoordenadasDoMundo) for the canvas's
//   labels;
// - the dock itself, on the right, hidden at first. It shows the first vertex of the object the
//   canvas highlights, and a vertex clicked on the canvas; the canvas rings the vertex the visible
//   dock shows.
// The two menus go into the menu bar before the menu Help (menuHelp). It belongs to janela.
class ControlesDoPipeline : public QObject {
    Q_OBJECT

public:
    ControlesDoPipeline(QMainWindow& janela, DocumentoDeCena& documento, QViewport& canvas, Teclas& teclas);

private:
    QMenu* criarMenu(QMainWindow& janela, QAction* antesDe, const char* titulo, const char* nome);
    // A checkable action of grupo in menu.
    QAction* criarOpcao(QMenu& menu, QActionGroup& grupo, const char* texto, const char* nome);
    void criarMenuProjecao(QMainWindow& janela, QAction* antesDe);
    void criarMenuRecorte(QMainWindow& janela, QAction* antesDe);
    // The menus check what the document's camera has.
    void seguirCamera();

    DocumentoDeCena& _documento;
    Inspetor* _inspetor;
    QAction* _projecoes[3] = {};
    QAction* _recortes[2] = {};
};

#endif

#ifndef INSPETOR_H
#define INSPETOR_H

#include <QDockWidget>

class DocumentoDeCena;
class ListaDeVertices;
class Objeto;
class QComboBox;
class QLabel;
class QTableWidget;
class QViewport;

// The dock "Inspetor" (object name "inspetor"): what the viewing pipeline does to one object of the
// document, with the camera and line clipper in use.
//
// Tab "Pipeline": one vertex, chosen in the combo box "verticesDoInspetor" or by a click on the
// canvas, at every stage. Each stage is a QLabel named as below; numbers are written as the canvas
// writes its labels (QViewport::numero), pairs as "(x, y)" and triples as "(x, y, z)":
//   "estagioMundo"        world coordinates (x, y, z)
//   "estagioCamera"       camera coordinates along û, v̂, n from the window's centre (u, v, n)
//   "estagioPlano"        on the projection plane, after the division or the parallel projection (x, y)
//   "estagioNormalizado"  normalised window coordinates, −1 to 1 across the window (x, y)
//   "estagioViewport"     the canvas pixel (column, row)
//   "estagioSituacao"     "dentro", "fora" or "cortado pelo plano próximo"
// Plane, normalised and viewport read "—" for a vertex behind the near plane; every stage reads "—"
// while no vertex is shown. The stages follow every change of the document at once.
//
// Tab "Recorte": the table "tabelaDeRecorte", one row per segment of the object as the line clipper
// in use is handed it (at most the first linhasDeRecorte), with what that clipper computed, and the
// label "recorteResumo", which names the clipper, counts the segments and says how many rows were
// left out. While the dock is hidden the table waits to be shown before it follows any change.
class Inspetor : public QDockWidget {
    Q_OBJECT

public:
    Inspetor(DocumentoDeCena& documento, QViewport& canvas, QWidget* parent);

    static constexpr int linhasDeRecorte = 200;

    // Shows objeto (null: none) and its vertex indice (−1, or an index it has not: none).
    void mostrar(const Objeto* objeto, int indice);
    const Objeto* objeto() const { return _objeto; }
    int vertice() const { return _vertice; }

signals:
    // The vertex the canvas should mark: the one shown while the dock is visible, else none (null
    // and −1).
    void marcaAlterada(const Objeto* objeto, int indice);

private:
    void documentoAlterado();
    void atualizarEstagios();
    void atualizarRecorte();
    void atualizarRecorteSeVisivel();
    void avisarMarca();
    QWidget* criarAbaPipeline();
    QWidget* criarAbaRecorte();

    DocumentoDeCena& _documento;
    QViewport& _canvas;
    const Objeto* _objeto = nullptr;
    int _vertice = -1;
    // The table shows an older document than the one there is.
    bool _recorteAtrasado = false;
    QComboBox* _vertices = nullptr;
    ListaDeVertices* _listaDeVertices = nullptr;
    QLabel* _estagios[6] = {};
    QTableWidget* _tabela = nullptr;
    QLabel* _resumo = nullptr;
};

#endif

#ifndef DOCUMENTODECENA_H
#define DOCUMENTODECENA_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>

#include "coordenada.h"
#include "displayfile.h"
#include "window.h"

class Objeto;
class QUndoStack;

// What the user builds, saves and undoes: the objects, the camera, the file they came from, the undo
// stack and whether anything changed since the last save. Every change goes through here and is
// announced, so that each view (canvas, outside view, object list, title) follows whatever made it.
// Commands (comandosdecena.h) change the objects through the edits below; camera moves are no
// commands. The camera always projects this document's scene.
class DocumentoDeCena : public QObject {
    Q_OBJECT

public:
    explicit DocumentoDeCena(QObject* parent = nullptr);
    ~DocumentoDeCena() override;

    // Owned here; callers never delete or replace them. A caller that changes the scene through
    // displayFile() says so with avisarAlteracao().
    DisplayFile* displayFile() { return &_cena; }
    const DisplayFile* displayFile() const { return &_cena; }
    Window* janela() { return &_camera; }
    const Window* janela() const { return &_camera; }
    std::size_t quantidade() const { return _cena.listaDeObjetos.size(); }
    Objeto* objeto(std::size_t posicao) const { return _cena.listaDeObjetos[posicao]; }
    // Where objeto stands in the scene, or -1.
    int posicaoDe(const Objeto* objeto) const;

    QUndoStack* pilhaDeDesfazer() const { return _pilha; }
    // The file the scene was last loaded from or saved to; empty for a scene that has none.
    QString arquivo() const { return _arquivo; }
    void definirArquivo(const QString& arquivo);
    // Something changed since the scene was loaded or saved.
    bool modificado() const;
    // The scene is what its file holds now (after a save or a load).
    void marcarSalvo();
    // The scene is not what its file holds (if it has one), yet nothing before it can be undone: a
    // scene recovered after a crash. Empties the undo stack; the scene counts as changed until saved.
    void marcarNaoSalvo();

    // The edits that commands make; each announces itself.
    // Takes every object of objetos, which keeps its length and holds nulls after.
    void inserir(std::size_t posicao, std::vector<std::unique_ptr<Objeto>>& objetos);
    std::vector<std::unique_ptr<Objeto>> retirar(std::size_t posicao, std::size_t quantos);
    // Puts outro in the place of the object at posicao and hands that one back.
    std::unique_ptr<Objeto> substituir(std::size_t posicao, std::unique_ptr<Objeto> outro);
    void restaurarCoordenadas(std::size_t posicao, const std::vector<Coordenada>& coordenadas);
    // Exchanges the whole scene, camera and file name with the ones given (a load, a new scene).
    // The camera that comes in takes the line clipper in use (recorte()), as every camera the
    // document is given does.
    // The camera handed in becomes the one the scene opened with, too (cameraDeAbertura).
    void trocar(DisplayFile& cena, Window& camera, QString& arquivo);
    // The same, exchanging the camera the scene opened with as well: what undoing a load gives back.
    void trocar(DisplayFile& cena, Window& camera, Window& cameraDeAbertura, QString& arquivo);
    // A command's wish that the view make the object at posicao the current one.
    void pedirEscolha(int posicao) { emit escolhaPedida(posicao); }

    // The camera controls: each announces a move that happened; false, and nothing changed, when the
    // camera refuses it (Window's rule).
    bool mover(double dx, double dy, double dz);
    bool escala(double f);
    bool escala(double f, double x, double y);
    bool rodar(double ax, double ay, double az);
    void definirCamera(const Window& camera);
    // The camera the scene was loaded or created with, where Vista Inicial goes back to.
    const Window& cameraDeAbertura() const { return _cameraDeAbertura; }
    // Puts that camera back, projecting as the user chose last (definirProjecao).
    void voltarACameraDeAbertura();
    // The camera's projection: a change of the camera, saved with it.
    void definirProjecao(Projecao projecao);
    // The line clipper every segment goes through: a setting of the view, which changes no picture
    // and is not saved, so the cameras that loads, new scenes and undo bring in are given it.
    AlgoritmoDeRecorte recorte() const { return _camera.recorte(); }
    void definirRecorte(AlgoritmoDeRecorte recorte);
    // The camera was moved straight through janela().
    void avisarCameraMovida();
    // The scene or the camera was changed directly through displayFile() or janela(): the camera
    // projects this scene again and every view hears of it.
    void avisarAlteracao();

    // Grows with every change announced: a view that kept a picture of revisao() n shows an older
    // document once it differs.
    std::uint64_t revisao() const { return _revisao; }

signals:
    void objetosInseridos(int posicao, int quantos);
    void objetosRemovidos(int posicao, int quantos);
    // The object at posicao has other coordinates, or is another object.
    void objetoAlterado(int posicao);
    // Anything may differ: another scene (a load, a new scene).
    void cenaTrocada();
    // The scene or the camera was changed directly, outside the edits above (avisarAlteracao).
    void alteradoPorFora();
    void cameraAlterada();
    void arquivoAlterado(const QString& arquivo);
    void modificacaoAlterada(bool modificado);
    void escolhaPedida(int posicao);
    // After any of the above but escolhaPedida: what every view that keeps a picture listens to.
    void alterado();

private:
    // Declared before the camera, which keeps a pointer to it.
    DisplayFile _cena;
    Window _camera;
    Window _cameraDeAbertura;
    QString _arquivo;
    QUndoStack* _pilha;
    std::uint64_t _revisao = 0;
};

#endif

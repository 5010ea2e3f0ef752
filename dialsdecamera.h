#ifndef DIALSDECAMERA_H
#define DIALSDECAMERA_H

#include <QObject>
#include <QPointF>

class DocumentoDeCena;
class QDial;
class QEvent;
class QLabel;

// The three dials that turn a document's camera about its own axes (x: û, y: v̂, z: n), each with
// a label that names its axis and says how far it has turned the camera, in degrees ("X: 30°").
// A dial turns the camera by how far it moved since its last value. A drag turns it by the angle the
// cursor sweeps about its centre, at most as much as at its rim and nothing close to the centre: a
// press alone or a short drag is no large turn, as QDial's own jump to the angle under the cursor
// is. The dials read 0 again
// whenever the camera is put back (reposicionar) or the scene is another one.
class DialsDeCamera : public QObject {
    Q_OBJECT

public:
    // dials and rotulos in the order x, y, z; all of them must outlive this object.
    DialsDeCamera(QDial* const (&dials)[3], QLabel* const (&rotulos)[3], DocumentoDeCena& documento,
                  QObject* parent = nullptr);

    // Dial eixo (0 to 2) now reads valor: the camera turns by the change, and the label follows.
    // False when the camera refused the turn.
    bool girar(int eixo, int valor);
    // Every dial back to 0 without turning the camera: it stands where the dials start from.
    void reposicionar();

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    int indiceDe(const QObject* dial) const;
    // Turns dial eixo by the part of the cursor's move from de to para that goes round its centre.
    void arrastar(int eixo, QPointF de, QPointF para);

    QDial* _dials[3];
    QLabel* _rotulos[3];
    DocumentoDeCena& _documento;
    // The dials' last values.
    int _valores[3] = {0, 0, 0};
    // The drag in progress: which dial (-1 for none), where the cursor was, and the part of a degree
    // turned but not yet shown.
    int _arrastado = -1;
    QPointF _cursor;
    double _fracao = 0;
};

#endif

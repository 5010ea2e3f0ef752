#ifndef NOVOOBJETO_OPTIONS_H
#define NOVOOBJETO_OPTIONS_H

#include <map>
#include <utility>

#include <QCheckBox>
#include <QColor>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include "fabricadeobjeto.h"
#include "qcolorwidget.h"
#include "tipodeobjeto.h"

class CampoDeNumero;
class QGridLayout;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;

// Editors of the new-object dialog, one per kind of parameter value. Each writes every change the
// user makes straight into its descriptor's value (never reading it back) and never frees it. The
// descriptor must be of the kind the editor is for: the dialog chooses the editor by tipoDoValor().

// What every editor does besides: show the value of its parameter in an existing object's values
// (which it then writes into its descriptor, as any change).
class EditorDeValor {
public:
    virtual ~EditorDeValor() = default;
    virtual void mostrar(const ValoresDeObjeto& valores) = 0;
    // What the user typed that is no value at all (and so never reached the descriptor), in words
    // for the user; empty when there is nothing.
    virtual QString problema() const { return {}; }
};

// valorTexto: the name, after every change.
class StringOption : public QLineEdit, public EditorDeValor {
    Q_OBJECT

public:
    explicit StringOption(FabricaDeObjeto::Type* gerenciado);
    void mostrar(const ValoresDeObjeto& valores) override;

signals:
    void valueChanged();

protected slots:
    void valueChanged(const QString& nova);

private:
    FabricaDeObjeto::Type* _gerenciado = nullptr;
};

// valorBooleano: whether it is filled.
class BooleanOption : public QCheckBox, public EditorDeValor {
    Q_OBJECT

public:
    explicit BooleanOption(FabricaDeObjeto::Type* gerenciado);
    void mostrar(const ValoresDeObjeto& valores) override;

signals:
    void valueChanged();

protected slots:
    void valueChanged(bool newValue);

private:
    FabricaDeObjeto::Type* _gerenciado = nullptr;
};

// valorCor: the colour picked on the swatch.
class ColorOption : public QColorWidget, public EditorDeValor {
    Q_OBJECT

public:
    explicit ColorOption(FabricaDeObjeto::Type* gerenciado);
    void mostrar(const ValoresDeObjeto& valores) override;

signals:
    void valueChanged();

protected slots:
    void valueChanged(const QColor& nova);

private:
    FabricaDeObjeto::Type* _gerenciado = nullptr;
};

// One row of a coordinate list: "i: " (or another label) and three fields for x, y and z, each
// exact (CampoDeNumero).
class CoordenadaOption : public QWidget {
    Q_OBJECT

public:
    explicit CoordenadaOption(int pos, const QString& rotulo = QString());
    // Shows c in the three fields (which then report it).
    void mostrar(const Coordenada& c);
    // The first field that holds no number: "Coordenada 2, y: 'abc' não é um número"; empty if none.
    QString problema() const;

signals:
    void coordenadaChanged(double x, double y, double z, int pos);

protected slots:
    void coordenadaChanged();

private:
    int _pos = 0;
    // What problema() calls this point: its index, or "(a, b)" in a grid.
    QString _nome;
    CampoDeNumero* spinX = nullptr;
    CampoDeNumero* spinY = nullptr;
    CampoDeNumero* spinZ = nullptr;
};

// valorCoordenadas: a list of coordinates grown with "+" and shrunk from the end with "-". Row i
// edits item i. "+" is disabled once the descriptor says the list holds as many coordinates as it
// can take.
class CoordenadasOption : public QWidget, public EditorDeValor {
    Q_OBJECT

public:
    explicit CoordenadasOption(FabricaDeObjeto::Type* gerenciado);
    // Replaces the rows with one per coordinate, and the descriptor's list with coordenadas.
    void mostrar(const std::vector<Coordenada>& coordenadas);
    void mostrar(const ValoresDeObjeto& valores) override { mostrar(valores.coordenadas); }
    QString problema() const override;

signals:
    // After any change: a row added, removed or edited.
    void valueChanged();

protected slots:
    void addCoordenada();
    void removeCoordenada();
    void coordenadaChanged(double x, double y, double z, int pos);

private:
    FabricaDeObjeto::Type* _gerenciado = nullptr;
    QVBoxLayout* _points = nullptr;
    QScrollArea* pointsScrollArea = nullptr;
    QWidget* container = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
};

// valorGrade: a grid of coordinates, row by row, for the grid kinds. The spin boxes `linhas` and
// `colunas` give its shape and `malha` its mesh density; under them one CoordenadaOption per point,
// "a, b: " at row a and column b, laid out as the grid is. Resizing keeps the point typed at every
// row and column, also one that the grid leaves and then takes again.
class GradeOption : public QWidget, public EditorDeValor {
    Q_OBJECT

public:
    explicit GradeOption(FabricaDeObjeto::Type* gerenciado);
    // Shows the grid and points of valores, exactly, in place of everything typed.
    void mostrar(const ValoresDeObjeto& valores) override;
    QString problema() const override;

signals:
    // After any change: of the shape, the mesh density or a point.
    void valueChanged();

protected slots:
    void tamanhoChanged();
    void malhaChanged(int malha);
    void coordenadaChanged(double x, double y, double z, int pos);

private:
    // The descriptor's grid of the size the spin boxes show, from what was typed, and one editor per
    // point, in row-by-row order.
    void montar();

    FabricaDeObjeto::Type* _gerenciado = nullptr;
    QSpinBox* _linhas = nullptr;
    QSpinBox* _colunas = nullptr;
    QSpinBox* _malha = nullptr;
    QGridLayout* _pontos = nullptr;
    QWidget* container = nullptr;
    // Every point typed or shown, by row and column, kept while the grid is smaller.
    std::map<std::pair<int, int>, Coordenada> _digitadas;
};

// One row of an integer-pair list: two spin boxes, 0 to 99999.
class IntIntOption : public QWidget {
    Q_OBJECT

public:
    explicit IntIntOption(int pos);
    void mostrar(int i, int j);

signals:
    void intIntChanged(int origin, int dest, int pos);

protected slots:
    void intIntChanged();

private:
    int _pos = 0;
    QSpinBox* origin = nullptr;
    QSpinBox* dest = nullptr;
};

// valorArestas: a list of integer pairs, grown with "+" (never disabled) and shrunk from the end
// with "-".
class IntIntsOption : public QWidget, public EditorDeValor {
    Q_OBJECT

public:
    explicit IntIntsOption(FabricaDeObjeto::Type* gerenciado);
    // Replaces the rows with one per pair.
    void mostrar(const std::vector<std::pair<int, int>>& pares);
    void mostrar(const ValoresDeObjeto& valores) override { mostrar(valores.arestas); }

signals:
    // After any change: a pair added, removed or edited.
    void valueChanged();

protected slots:
    void addIntInt();
    void removeIntInt();
    void intIntChanged(int origin, int dest, int pos);

private:
    FabricaDeObjeto::Type* _gerenciado = nullptr;
    QVBoxLayout* _intInts = nullptr;
    QScrollArea* intIntsScrollArea = nullptr;
    QWidget* container = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
};

#endif

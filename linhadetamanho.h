#ifndef LINHADETAMANHO_H
#define LINHADETAMANHO_H

#include <QSize>
#include <QWidget>

class QFileDialog;
class QSpinBox;

// The picture's width and height, in pixels, as a row of a file dialog: two spin boxes,
// larguraDaImagem and alturaDaImagem, from 1 to the largest side a picture may have.
class LinhaDeTamanho : public QWidget {
    Q_OBJECT

public:
    // Adds the row, labelled "Tamanho:", under the fields of Qt's own dialog (not a native one, which
    // has no room for it), starting at tamanho.
    static LinhaDeTamanho* acrescentar(QFileDialog& dialogo, QSize tamanho);

    QSize tamanho() const;

private:
    explicit LinhaDeTamanho(QSize tamanho);

    QSpinBox* _largura;
    QSpinBox* _altura;
};

#endif

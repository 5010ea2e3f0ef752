#include "dialsdecamera.h"

#include <algorithm>
#include <cmath>

#include <QDial>
#include <QLabel>
#include <QMouseEvent>

#include "documentodecena.h"

namespace {

constexpr double grausPorRadiano = 180.0 / 3.14159265358979323846;

QString textoDoRotulo(int eixo, int valor)
{
    return QStringLiteral("%1: %2°").arg(QChar(u"XYZ"[eixo])).arg(valor);
}

} // namespace

DialsDeCamera::DialsDeCamera(QDial* const (&dials)[3], QLabel* const (&rotulos)[3], DocumentoDeCena& documento,
                             QObject* parent)
    : QObject(parent), _documento(documento)
{
    for (int i = 0; i < 3; ++i) {
        _dials[i] = dials[i];
        _rotulos[i] = rotulos[i];
        _valores[i] = dials[i]->value();
        _rotulos[i]->setText(textoDoRotulo(i, _valores[i]));
        _dials[i]->installEventFilter(this);
    }
    // Another scene comes with its own camera, which no dial has turned.
    connect(&documento, &DocumentoDeCena::cenaTrocada, this, &DialsDeCamera::reposicionar);
}

bool DialsDeCamera::girar(int eixo, int valor)
{
    double angulos[3] = {0, 0, 0};
    // Across the wrap from 360 to 0 the change is nearly a full turn the other way, which lands on
    // the same orientation.
    angulos[eixo] = valor - _valores[eixo];
    _valores[eixo] = valor;
    _rotulos[eixo]->setText(textoDoRotulo(eixo, valor));
    if (angulos[eixo] == 0)
        return true;
    return _documento.rodar(angulos[0], angulos[1], angulos[2]);
}

void DialsDeCamera::reposicionar()
{
    for (int i = 0; i < 3; ++i) {
        _valores[i] = 0;
        // At 0 already the dial says nothing, and its label may still tell another value.
        _rotulos[i]->setText(textoDoRotulo(i, 0));
        _dials[i]->setValue(0);
    }
}

int DialsDeCamera::indiceDe(const QObject* dial) const
{
    const auto onde = std::find(std::begin(_dials), std::end(_dials), dial);
    return onde == std::end(_dials) ? -1 : static_cast<int>(onde - std::begin(_dials));
}

bool DialsDeCamera::eventFilter(QObject* alvo, QEvent* evento)
{
    const int eixo = indiceDe(alvo);
    if (eixo < 0)
        return QObject::eventFilter(alvo, evento);
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() != Qt::LeftButton || _arrastado >= 0)
            return false;
        // Taken from QDial, which would set the value under the cursor.
        _arrastado = eixo;
        _cursor = mouse->position();
        _fracao = 0;
        return true;
    }
    case QEvent::MouseMove:
        if (_arrastado != eixo)
            return false;
        arrastar(eixo, _cursor, static_cast<QMouseEvent*>(evento)->position());
        _cursor = static_cast<QMouseEvent*>(evento)->position();
        return true;
    case QEvent::MouseButtonRelease:
        if (_arrastado != eixo || static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton)
            return false;
        _arrastado = -1;
        return true;
    default:
        return false;
    }
}

void DialsDeCamera::arrastar(int eixo, QPointF de, QPointF para)
{
    QDial& dial = *_dials[eixo];
    const QPointF raio = de - QRectF(dial.rect()).center();
    const double distancia = std::hypot(raio.x(), raio.y());
    const double borda = std::min(dial.width(), dial.height()) / 2.0;
    // Near the centre a short move sweeps a large angle, half a turn across it: none counts there.
    if (distancia < borda / 3)
        return;
    const QPointF passo = para - de;
    // The part of the move that goes round the centre, clockwise positive as the dial's values run
    // (rows grow downwards), as an angle at the cursor's distance but never more than at the rim.
    const double tangencial = (passo.y() * raio.x() - passo.x() * raio.y()) / distancia;
    _fracao += tangencial / std::max(distancia, borda) * grausPorRadiano;
    const int graus = static_cast<int>(std::trunc(_fracao));
    if (graus == 0)
        return;
    _fracao -= graus;
    const int volta = dial.maximum() - dial.minimum();
    dial.setValue(dial.minimum() + ((dial.value() - dial.minimum() + graus) % volta + volta) % volta);
}

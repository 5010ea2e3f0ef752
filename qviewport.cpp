#include "qviewport.h"

#include <algorithm>
#include <cmath>

#include <QBrush>
#include <QColor>
#include <QEvent>
#include <QPen>
#include <QString>

#include "cor.h"
#include "objeto.h"

namespace {

// Pixel positions are pulled into this range before they become int, so that the conversion stays
// defined for a point projected from just in front of the eye; that far out it is off the canvas
// either way. Only labels get there: drawing lists are clipped to the window.
constexpr double limiteDePixel = 1 << 24;

// False when the mapping had no finite result (a window of zero or infinite size): such a point is
// not drawn.
inline bool paraPixel(const Coordenada& mapeada, QPoint& pixel)
{
    if (!std::isfinite(mapeada.x()) || !std::isfinite(mapeada.y()))
        return false;
    pixel.setX(static_cast<int>(std::clamp(mapeada.x(), -limiteDePixel, limiteDePixel)));
    pixel.setY(static_cast<int>(std::clamp(mapeada.y(), -limiteDePixel, limiteDePixel)));
    return true;
}

QPen canetaDaCor(const Cor& cor)
{
    return QPen(QColor(cor.red(), cor.green(), cor.blue(), 255));
}

} // namespace

QViewport::QViewport(QWidget* parent) : Viewport(), QWidget(parent)
{
}

void QViewport::redesenhar()
{
    _imagemValida = false;
    update();
}

void QViewport::changeEvent(QEvent* event)
{
    // The labels' text is drawn in the canvas's font.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        redesenhar();
    QWidget::changeEvent(event);
}

void QViewport::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    const bool cenaOuCameraMudou = atualizarProjecao();
    const qreal escala = devicePixelRatioF();
    if (cenaOuCameraMudou || !_imagemValida || _imagemComCoordenadas != showingCoordinates()
        || _imagem.size() != size() * escala || _imagem.devicePixelRatioF() != escala)
        repintar();
    QPainter tela(this);
    tela.drawImage(0, 0, _imagem);
}

void QViewport::iniciarPintura()
{
    const qreal escala = devicePixelRatioF();
    if (_imagem.size() != size() * escala || _imagem.devicePixelRatioF() != escala) {
        _imagem = QImage(size() * escala, QImage::Format_ARGB32_Premultiplied);
        _imagem.setDevicePixelRatio(escala);
    }
    // Text must come out as it would on the canvas itself: its resolution and its font.
    _imagem.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    _imagem.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    _imagem.fill(Qt::transparent);
    _imagemValida = false;
    _imagemComCoordenadas = showingCoordinates();
    pintor.begin(&_imagem);
    pintor.setFont(font());
    // One pixel short of the widget on the right and at the bottom, as the canvas always was.
    pintor.fillRect(0, 0, width() - 1, height() - 1, Qt::white);
}

void QViewport::repintar0(Objeto* atual)
{
    pintor.setPen(canetaDaCor(atual->cor()));
    const Mapeamento mapa = mapeamento();
    _linhas.clear();
    QPoint p;
    for (auto c = atual->inicioDoDesenho(janela()), fim = atual->fimDoDesenho(janela()); c != fim; ++c) {
        // A null coordinate is a break between pieces, not a point: it would map to the centre.
        if (c->isNull() || !paraPixel(mapa.aplicar(*c), p))
            continue;
        _linhas.emplace_back(p.x() - 2, p.y() + 2, p.x() + 2, p.y() - 2);
        _linhas.emplace_back(p.x() + 2, p.y() + 2, p.x() - 2, p.y() - 2);
    }
    pintor.drawLines(_linhas.data(), static_cast<int>(_linhas.size()));
}

void QViewport::repintar1(Objeto* atual)
{
    if (atual->tamanhoDoDesenho(janela()) <= 1)
        return;
    pintor.setPen(canetaDaCor(atual->cor()));
    const Mapeamento mapa = mapeamento();
    _linhas.clear();
    auto c = atual->inicioDoDesenho(janela());
    const auto fim = atual->fimDoDesenho(janela());
    QPoint anterior;
    bool anteriorVale = !c->isNull() && paraPixel(mapa.aplicar(*c), anterior);
    for (++c; c != fim; ++c) {
        QPoint q;
        const bool vale = !c->isNull() && paraPixel(mapa.aplicar(*c), q);
        // A null on either end is the gap between two pieces.
        if (vale && anteriorVale)
            _linhas.emplace_back(anterior, q);
        anterior = q;
        anteriorVale = vale;
    }
    pintor.drawLines(_linhas.data(), static_cast<int>(_linhas.size()));
}

void QViewport::repintar2(Objeto* atual)
{
    // Counts the object's own coordinates: fewer than three make no area.
    if (atual->numeroDeCoordenadas() <= 2)
        return;
    pintor.setPen(QPen(QColor(255, 0, 0, 255)));
    pintor.setBrush(QBrush(atual->cor().qcolor(), Qt::SolidPattern));
    const Mapeamento mapa = mapeamento();
    _pontos.clear();
    QPoint p;
    for (auto c = atual->inicioDoDesenho(janela()), fim = atual->fimDoDesenho(janela()); c != fim; ++c)
        if (!c->isNull() && paraPixel(mapa.aplicar(*c), p))
            _pontos.emplace_back(p);
    pintor.drawPolygon(_pontos.data(), static_cast<int>(_pontos.size()), Qt::OddEvenFill);
}

void QViewport::pintarInformacoes(Objeto* atual)
{
    pintor.setPen(QPen(QColor(0, 0, 0, 255)));
    const Mapeamento mapa = mapeamento();
    QPoint p;
    // The object's own coordinates, not its drawing list: points outside the window are labelled too.
    for (auto c = atual->inicioDasCoordenadas(), fim = atual->fimDasCoordenadas(); c != fim; ++c) {
        if (!paraPixel(mapa.aplicar(*c), p))
            continue;
        const QString texto = QLatin1Char('(') + QString::number(c->x(), 'g', 6) + QLatin1String(", ")
                              + QString::number(c->y(), 'g', 6) + QLatin1String(", ")
                              + QString::number(c->z(), 'g', 6) + QLatin1Char(')');
        pintor.drawText(p, texto);
    }
}

void QViewport::finalizarPintura()
{
    pintor.setPen(QColor(Qt::black));
    pintor.setBrush(Qt::NoBrush);
    // On the limits of the mapping: columns 20 and width() − 20, rows 20 and height() − 20.
    pintor.drawRect(20, 20, width() - 40, height() - 40);
    pintor.end();
    _imagemValida = true;
}

#include "qviewport.h"

#include <cmath>

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QWheelEvent>

#include "displayfile.h"
#include "documentodecena.h"
#include "window.h"

QViewport::QViewport(QWidget* parent) : QWidget(parent), Renderizador()
{
    // Moves without a button report where the cursor is.
    setMouseTracking(true);
}

void QViewport::mostrarDocumento(DocumentoDeCena& documento)
{
    mostrar(*documento.displayFile(), *documento.janela());
    seguir(documento);
}

void QViewport::seguir(DocumentoDeCena& documento)
{
    if (_documento != nullptr)
        disconnect(_documento, nullptr, this, nullptr);
    _documento = &documento;
    connect(&documento, &DocumentoDeCena::alterado, this, &QViewport::redesenhar);
    redesenhar();
}

bool QViewport::moverCamera(double dx, double dy, double dz)
{
    if (_documento != nullptr && janela() == _documento->janela())
        return _documento->mover(dx, dy, dz);
    return janela()->mover(dx, dy, dz);
}

bool QViewport::escalarCamera(double f, double x, double y)
{
    if (_documento != nullptr && janela() == _documento->janela())
        return _documento->escala(f, x, y);
    return janela()->escala(f, x, y);
}

bool QViewport::rodarCamera(double ax, double ay, double az)
{
    if (_documento != nullptr && janela() == _documento->janela())
        return _documento->rodar(ax, ay, az);
    return janela()->rodar(ax, ay, az);
}

void QViewport::informarCursor(QPointF onde)
{
    const Coordenada noPlano = viewportToWindow(onde.x(), onde.y());
    emit cursorNoPlano(noPlano.x(), noPlano.y());
}

void QViewport::leaveEvent(QEvent* evento)
{
    QWidget::leaveEvent(evento);
    emit cursorFora();
}

void QViewport::mousePressEvent(QMouseEvent* evento)
{
    if (QWidget* janelaDeTopo = window())
        janelaDeTopo->setFocus(Qt::MouseFocusReason);
    if (_botao != Qt::NoButton || (evento->button() != Qt::LeftButton && evento->button() != Qt::RightButton))
        return;
    _botao = evento->button();
    _pressionado = evento->position().toPoint();
    _ultimo = _pressionado;
    _arrastando = false;
}

void QViewport::mouseMoveEvent(QMouseEvent* evento)
{
    informarCursor(evento->position());
    if (_botao == Qt::NoButton)
        return;
    const QPoint agora = evento->position().toPoint();
    if (!_arrastando && (agora - _pressionado).manhattanLength() < limiteDeClique)
        return;
    _arrastando = true;
    const QPoint delta = agora - _ultimo;
    _ultimo = agora;
    if (delta.isNull())
        return;
    bool feito = false;
    if (_botao == Qt::LeftButton) {
        // One pixel is 1/(width − 40) of the window's width (the mapping's span); the camera moves
        // against the cursor so that the picture moves with it. Rows grow downwards.
        feito = moverCamera(-delta.x() / static_cast<double>(largura() - 40),
                                delta.y() / static_cast<double>(altura() - 40), 0);
    } else {
        // Horizontal motion turns about v̂ and vertical about û, so that the scene turns the way
        // the cursor pulls it.
        feito = rodarCamera(delta.y() * grausPorPixel, delta.x() * grausPorPixel, 0);
    }
    cameraSeguiu(feito);
}

void QViewport::cameraSeguiu(bool feito)
{
    if (!feito) {
        emit movimentoRecusado();
        return;
    }
    update();
    emit cameraMovida();
}

void QViewport::mouseReleaseEvent(QMouseEvent* evento)
{
    if (evento->button() != _botao)
        return;
    const bool clique = !_arrastando && _botao == Qt::LeftButton;
    _botao = Qt::NoButton;
    _arrastando = false;
    if (!clique)
        return;
    Objeto* dono = nullptr;
    int indice = -1;
    const bool vertice = verticeEm(_pressionado.x(), _pressionado.y(), raioDeEscolha, dono, indice);
    // A click on a vertex picks the vertex's object, whatever else is drawn as near.
    emit objetoClicado(vertice ? dono : objetoEm(_pressionado.x(), _pressionado.y(), raioDeEscolha));
    if (vertice)
        emit verticeClicado(dono, indice);
}

void QViewport::selecionar(const Objeto* objeto)
{
    if (objeto == selecionado())
        return;
    Renderizador::selecionar(objeto);
    emit selecaoAlterada(objeto);
}

void QViewport::redesenhar()
{
    Renderizador::redesenhar();
    update();
}

Renderizador::Tela QViewport::tela() const
{
    Tela t;
    t.tamanho = size();
    t.escala = devicePixelRatioF();
    t.dpiX = logicalDpiX();
    t.dpiY = logicalDpiY();
    t.fonte = font();
    t.fundo = palette().color(backgroundRole());
    return t;
}

void QViewport::changeEvent(QEvent* event)
{
    // The labels' text is drawn in the canvas's font.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        redesenhar();
    QWidget::changeEvent(event);
}

void QViewport::wheelEvent(QWheelEvent* evento)
{
    // Some systems send Shift+wheel as horizontal motion.
    const QPoint angulo = evento->angleDelta();
    const double entalhes = (angulo.y() != 0 ? angulo.y() : angulo.x()) / 120.0;
    if (entalhes == 0) {
        evento->ignore();
        return;
    }
    bool feito = false;
    if (evento->modifiers() & Qt::ShiftModifier) {
        // As the keys I and O: a tenth of the width per notch.
        feito = moverCamera(0, 0, 0.1 * entalhes);
    } else {
        // 0.9 per notch forward, as the key +; a notch back undoes it exactly.
        const Coordenada sobOCursor = viewportToWindow(evento->position().x(), evento->position().y());
        feito = escalarCamera(std::pow(0.9, entalhes), sobOCursor.x(), sobOCursor.y());
    }
    evento->accept();
    // Where the cursor is first: a refused step's note must stay in the status bar.
    informarCursor(evento->position());
    cameraSeguiu(feito);
}

void QViewport::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    atualizarImagem();
    if (faixaVazia()) {
        QPainter pintor(this);
        pintor.drawImage(0, 0, imagemMantida());
    } else {
        // Text that reaches the strip left to the background blends with what is there only when
        // drawn on it: this picture is painted afresh each time.
        pintarEm(this, size());
    }
    if (!_dica.isEmpty() && displayFile()->listaDeObjetos.empty())
        pintarDica();
}

void QViewport::definirDicaDeCenaVazia(const QString& dica)
{
    _dica = dica;
    update();
}

void QViewport::pintarDica()
{
    QPainter pintor(this);
    pintor.setPen(palette().color(QPalette::PlaceholderText));
    // Inside the frame, which is drawn 20 pixels in.
    pintor.drawText(rect().adjusted(40, 40, -40, -40), Qt::AlignCenter | Qt::TextWordWrap, _dica);
}


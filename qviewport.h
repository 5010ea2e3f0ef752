#ifndef QVIEWPORT_H
#define QVIEWPORT_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QWidget>

#include "viewport.h"

class DocumentoDeCena;

// The canvas: a Viewport that paints with one QPainter. Its picture is the whole scene: white
// background, each object by its fill level (point crosses, broken polyline, polygon filled in its
// colour with a red outline), the coordinate labels when they are shown (over every object, so that
// a later fill never hides one), the selected object highlighted, and a black frame on the limits of
// the window-to-viewport mapping. The same hooks
// paint the screen, exported images and SVG, so that an export is what the canvas shows at that
// size; a hook reads the size of its surface through largura() and altura(), never width() and
// height().
// On screen the picture is drawn into an image the canvas keeps, and that image onto the widget; a
// paint event draws it afresh only when something it shows changed: the scene (found by the
// objects' versions), the camera, the size, the labels' switch or the selection. Anything else the
// canvas comes to show must call redesenhar() when it changes. An export always paints afresh.
//
// The mouse moves this canvas's own camera: a left drag pans so that the picture follows the
// cursor, the wheel zooms about the point under the cursor, Shift+wheel steps in and out, a right
// drag turns the camera. A press gives the keyboard to the canvas's top-level window.
// QWidget comes first: the meta-object compiler needs the QObject base first.
class QViewport : public QWidget, public Viewport {
    Q_OBJECT

public:
    explicit QViewport(QWidget* parent);

    // From now on shows documento's scene through its camera, and redraws at each of its changes;
    // documento must outlive this canvas. Until then the canvas shows a scene and camera of its own.
    void mostrarDocumento(DocumentoDeCena& documento);
    // The document shown, or null.
    DocumentoDeCena* documento() const { return _documento; }

    int largura() const override { return _alvo ? _tamanhoDoAlvo.width() : width(); }
    int altura() const override { return _alvo ? _tamanhoDoAlvo.height() : height(); }

    // The scene as the canvas paints it at this size, on a device of at least that size.
    void pintarEm(QPaintDevice* alvo, QSize tamanho);
    // The picture a grab of the canvas at this size shows, background strip included.
    QImage imagem(QSize tamanho);
    // Writes the picture at this size to caminho, as SVG when its suffix is .svg and as PNG when it
    // is .png; the file is replaced only once complete. Throws std::string with the reason.
    void exportar(const QString& caminho, QSize tamanho);
    static constexpr int ladoMaximoDaImagem = 8192;

    // A right drag turns the camera by this many degrees per pixel.
    static constexpr double grausPorPixel = 0.25;
    // A press and release this close (in pixels, Manhattan length) is a click, not a drag.
    static constexpr int limiteDeClique = 3;
    // A click picks the object drawn within this many pixels of it.
    static constexpr double raioDeEscolha = 5;

    // Also repaints.
    void selecionar(const Objeto* objeto) override;

    // The next paint draws the picture afresh, and one is scheduled.
    void redesenhar();

    // A coordinate as the canvas writes it, in the status bar and in the labels: 6 significant
    // digits, and 0 for a value nearer zero than a millionth of the camera window's size, which is
    // rounding noise at that zoom.
    QString numero(double valor) const;

    // Labels are kept apart on a grid of square cells this many pixels wide: a label is drawn, on a
    // light background, only where none of the cells it covers holds one drawn before in that paint.
    static constexpr int celaDeRotulo = 8;
    // Behind each label: light enough for black text on any fill, which still shows a little.
    inline static const QColor fundoDeRotulo{255, 255, 255, 215};

signals:
    // The mouse moved this canvas's camera; the canvas has already scheduled its own repaint.
    void cameraMovida();
    // The camera refused the mouse's move, zoom or turn (it would leave what it can project and
    // save); nothing changed.
    void movimentoRecusado();
    // A left click without a drag, on the object picked there (objetoEm), or on none (null).
    void objetoClicado(Objeto* objeto);
    // The cursor is over the canvas, at (x, y) on the projection plane.
    void cursorNoPlano(double x, double y);
    // The cursor left the canvas.
    void cursorFora();

protected:
    void iniciarPintura() override;
    void repintar0(Objeto* atual) override;
    void repintar1(Objeto* atual) override;
    void repintar2(Objeto* atual) override;
    void pintarInformacoes(Objeto* atual) override;
    void pintarSelecao(Objeto* atual) override;
    void finalizarPintura() override;

    // False when the mapping had no finite result (a window of zero or infinite size): such a point
    // is not drawn. Positions are pulled into ±2²⁴ before they become int, so that the conversion
    // stays defined for a point projected from just in front of the eye; that far out it is off the
    // canvas either way. Only labels get there: drawing lists are clipped to the window.
    static bool paraPixel(const Coordenada& mapeada, QPoint& pixel)
    {
        constexpr double limiteDePixel = 1 << 24;
        if (!std::isfinite(mapeada.x()) || !std::isfinite(mapeada.y()))
            return false;
        pixel.setX(static_cast<int>(std::clamp(mapeada.x(), -limiteDePixel, limiteDePixel)));
        pixel.setY(static_cast<int>(std::clamp(mapeada.y(), -limiteDePixel, limiteDePixel)));
        return true;
    }

    // The painter between iniciarPintura and finalizarPintura, for a canvas that draws more.
    QPainter& pintorAtivo()
    {
        desenharLote();
        return pintor;
    }
    // Whether the painter would set the pixels of a line plainly into the kept picture, which
    // tracarNosPixels then does for it, far faster for many small objects: the kept picture at one
    // pixel per unit, no clip, no transform, no antialiasing, full opacity, drawn over. Lines of an
    // opaque colour, one pixel wide, solid, with square or round caps (the same pixels) qualify.
    bool pixelsAMao() const;
    void tracarNosPixels(const QLine* linhas, std::size_t quantas, QRgb cor);

    // The one rule by which a canvas's kept picture is stale: redesenhar() was called since it was
    // drawn (as every change of the document does), or its camera, the scene (its list, or any
    // object's version), its size or the labels' switch differ from what it was drawn with. A canvas
    // that shows more adds what it shows.
    virtual bool imagemDesatualizada() const;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void wheelEvent(QWheelEvent* evento) override;
    void leaveEvent(QEvent* evento) override;

private:
    // The drag in progress: the button that started it, where it was pressed and where the camera
    // last followed it. Dragging turns true once the cursor has left the click distance.
    Qt::MouseButton _botao = Qt::NoButton;
    QPoint _pressionado;
    QPoint _ultimo;
    bool _arrastando = false;
    // Repaints and tells of a move of the mouse's, or of its refusal.
    void cameraSeguiu(bool feito);
    // The mouse's camera moves: through the document when the camera is the document's, so that
    // every view hears of them.
    bool moverCamera(double dx, double dy, double dz);
    bool escalarCamera(double f, double x, double y);
    bool rodarCamera(double ax, double ay, double az);

protected:
    // Hears documento's changes, whose camera need not be this canvas's (the outside view's is not).
    void seguir(DocumentoDeCena& documento);

private:
    DocumentoDeCena* _documento = nullptr;

    // Draws one piece of a broken polyline: a polyline of its own on a vector device, where it
    // stays one element, and otherwise segments added to the lot in the object's colour.
    void fecharPedaco();
    // Lines of consecutive objects of one colour are drawn together: set straight into the kept
    // picture's pixels when the painter would set them plainly, else in one drawLines (opaque
    // lines of one pen give the same pixels in one call as in many). Anything else drawn must call
    // desenharLote() first, so that what comes later in the scene stays on top.
    void loteDaCor(QRgb cor);
    void desenharLote();
    void informarCursor(QPointF onde);

    // A point's cross, two diagonals of five pixels through p: set in colour cor on the picture at
    // _pixels when there is one, else added to _linhas for the caller to draw with its pen.
    void marcar(QPoint p, QRgb cor);
    void cruzEmPixels(QPoint p, QRgb cor);
    // Draws the batched lines, then the labels that pintarInformacoes kept, each on its light box,
    // and forgets them.
    void pintarRotulos();
    // Whether repintar0 puts one of the object's crosses at p.
    bool temCruzEm(const Objeto& objeto, QPoint p);
    // The object's drawing list in pixels, quebra where a piece ends (a null coordinate, or one
    // with no pixel). Mapped once per object and paint: with labels on, three hooks walk it.
    const std::vector<QPoint>& pixelsDe(const Objeto& objeto);
    static constexpr QPoint quebra{std::numeric_limits<int>::min(), std::numeric_limits<int>::min()};

    // Takes the labels' font metrics and clears their cells for a paint that shows them.
    void prepararRotulos();
    // What numero() treats as zero for the camera as it is now.
    double ruido() const;
    // Whether every cell under caixa is free; caixa lies on the surface.
    bool celasLivres(const QRect& caixa) const;
    void ocuparCelas(const QRect& caixa);

    // Active only from iniciarPintura to finalizarPintura.
    QPainter pintor;
    // The device an export paints on, and its size; null when painting the widget.
    QPaintDevice* _alvo = nullptr;
    QSize _tamanhoDoAlvo;
    bool _vetorial = false;
    std::vector<QPoint> _pedaco;
    // The mapping of the paint under way, and pixelsDe's list and whose it is (null: nobody's yet).
    Mapeamento _mapaDaPintura{};
    const Objeto* _donoDosPixels = nullptr;
    std::vector<QPoint> _emPixels;
    // The last picture on screen, transparent where nothing was drawn (the last row and column).
    QImage _imagem;
    // While a paint draws _imagem at one pixel per unit, its pixels: crosses are set there one by
    // one, since the raster engine spends on each short line about what it spends on a long one,
    // and with labels every drawn vertex gets a cross. Null otherwise: crosses are drawn as lines.
    uchar* _pixels = nullptr;
    qsizetype _bytesPorLinha = 0;
    bool _imagemValida = false;
    // The camera and scene _imagem shows. Not the projection's: a canvas may draw its picture
    // from something else.
    OrigemDaProjecao _origemDaImagem;
    bool _imagemComCoordenadas = false;
    // Whether the picture left the last column and row as they were, as it does unless labels reach
    // them.
    bool _faixaVazia = true;
    // Reused by every paint so that drawing an object allocates nothing once they have grown.
    std::vector<QLine> _linhas;
    std::vector<QLine> _lote;
    QRgb _corDoLote = 0;
    std::vector<QPointF> _pontos;
    // The labels this paint draws once every object is drawn, so that none is hidden under a later
    // object: their texts, one after another, and where each goes.
    struct Rotulo {
        QPoint ponto;
        QRect caixa;
        int inicio;
        int tamanho;
        // Of the labelled object, and whether it has a cross at ponto, drawn again over the label.
        QRgb cor;
        bool cruz;
    };
    std::vector<Rotulo> _rotulos;
    QString _textos;
    // The label cells taken in this paint, row after row, and the labels' font as this paint draws it.
    std::vector<unsigned char> _celas;
    int _colunasDeCelas = 0;
    QFontMetrics _medidas{QFont()};
    int _acimaDoRotulo = 0;
    int _alturaDoRotulo = 0;
    // At most the width of any label in this paint.
    int _rotuloMaisCurto = 1;
    // Each ASCII character's advance in the labels' font.
    std::array<qreal, 128> _avancos{};
    const QPen _canetaDeRotulo{QColor(0, 0, 0)};
};

#endif

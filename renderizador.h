#ifndef RENDERIZADOR_H
#define RENDERIZADOR_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
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

#include "linhasempixels.h"
#include "projetor.h"
#include "viewport.h"

class ArestasProjetadas;

// Draws a scene through a camera with one QPainter, on any surface and without a widget: the kept
// picture of a canvas on screen, an image, an SVG file. Its picture is the whole scene: white
// background, each object by its fill level (point crosses, broken polyline, polygon filled in its
// colour with a red outline), the coordinate labels when they are shown (over every object, so that
// a later fill never hides one), the selected object highlighted, and a black frame on the limits of
// the window-to-viewport mapping. The same hooks paint every surface, so that an export is what the
// canvas shows at that size; a hook reads the size of its surface through largura() and altura().
// The picture it keeps is drawn afresh only when it is stale (imagemDesatualizada); an export always
// paints afresh. Until it is shown a document's scene and camera, it shows its own (Viewport).
class Renderizador : public Viewport {
public:
    // What the kept picture is drawn for: its size in logical pixels, the device pixels per logical
    // one, the resolution that turns the font's points into pixels, the font of the labels and the
    // colour of what the picture leaves unpainted. A renderer without a widget draws for the
    // primary screen, in the application's font, at tela().tamanho (600 × 600 until set).
    struct Tela {
        QSize tamanho{600, 600};
        qreal escala = 1;
        int dpiX = 96;
        int dpiY = 96;
        QFont fonte;
        QColor fundo{Qt::white};
    };

    Renderizador();

    virtual Tela tela() const { return _tela; }
    void definirTela(const Tela& tela) { _tela = tela; }

    int largura() const override { return _alvo ? _tamanhoDoAlvo.width() : tamanhoDaTela().width(); }
    int altura() const override { return _alvo ? _tamanhoDoAlvo.height() : tamanhoDaTela().height(); }

    // Where a picture of the camera window's proportions goes in a space of this size: the largest
    // rectangle, centred, whose part inside the mapping's 20-pixel margins has the window's
    // proportions (a square window gives a square inside the frame). The whole space when the window
    // has no proportions to keep.
    QRect areaNaProporcao(QSize espaco) const;
    // The scene as it is painted at this size, on a device of at least that size.
    void pintarEm(QPaintDevice* alvo, QSize tamanho);
    // The picture at this size, the strip the painting leaves (last column and row) in the
    // background's colour, as a grab of a canvas of that size shows it.
    QImage imagem(QSize tamanho);
    // Writes the picture at this size to caminho, at the camera window's proportions
    // (areaNaProporcao) centred on the background, as SVG when its suffix is .svg and as PNG when it
    // is .png; the file is replaced only once complete. Throws std::string with the reason.
    void exportar(const QString& caminho, QSize tamanho);
    static constexpr int ladoMaximoDaImagem = 8192;

    // Also marks the kept picture stale.
    void selecionar(const Objeto* objeto) override;

    // The labels write each point's world coordinates instead of its projection-plane ones. Whenever
    // labels are shown, the margin under the frame says which, from its left end
    // (legendaDosRotulos). Also marks the kept picture stale.
    void mostrarCoordenadasDoMundo(bool mundo);
    bool coordenadasDoMundo() const { return _coordenadasDoMundo; }
    static QString legendaDosRotulos(bool mundo);
    // Rings the vertex indice of objeto (an object of the scene; null for none) in corDaMarca. Also
    // marks the kept picture stale.
    void marcarVertice(const Objeto* objeto, int indice);
    const Objeto* objetoMarcado() const { return _objetoMarcado; }
    int verticeMarcado() const { return _verticeMarcado; }
    // The ringed vertex's world coordinates, while it is a vertex of an object of the scene.
    bool verticeMarcadoNaCena(Coordenada& vertice) const;
    inline static const QColor corDaMarca{0, 160, 120};
    // The kept picture is stale from now on.
    virtual void redesenhar() { _imagemValida = false; }

    // Draws the kept picture afresh if it is stale; true when it did.
    bool atualizarImagem();
    // The kept picture, transparent where nothing was drawn (the last row and column).
    const QImage& imagemMantida() const { return _imagem; }
    // Whether the kept picture left its last column and row untouched, as it does unless labels
    // reach them: then it can be drawn over any background as it is.
    bool faixaVazia() const { return _faixaVazia; }

    // A coordinate as the canvas writes it, in the status bar and in the labels: 6 significant
    // digits, and 0 for a value nearer zero than a millionth of the camera window's size, which is
    // rounding noise at that zoom.
    QString numero(double valor) const;

    // Labels are kept apart on a grid of square cells this many pixels wide: a label is drawn, on a
    // light background, only where none of the cells it covers holds one drawn before in that paint.
    static constexpr int celaDeRotulo = 8;
    // Behind each label: light enough for black text on any fill, which still shows a little.
    inline static const QColor fundoDeRotulo{255, 255, 255, 215};

protected:
    // The size the kept picture is drawn at; tela().tamanho unless a widget knows it more cheaply.
    virtual QSize tamanhoDaTela() const { return tela().tamanho; }

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

    // The painter between iniciarPintura and finalizarPintura, for a renderer that draws more.
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

    // The one rule by which the kept picture is stale: redesenhar() was called since it was drawn
    // (as every change of a document does for the canvases that show it), or its camera, the scene
    // (its list, or any object's version), its size or the labels' switch differ from what it was
    // drawn with. A renderer that shows more adds what it shows.
    virtual bool imagemDesatualizada() const;

private:
    Tela _tela;
    // The font of the kept picture's paint under way.
    QFont _fonteDaTela;

    // Draws one piece of a broken polyline: a polyline of its own on a vector device, where it
    // stays one element, and otherwise segments added to the lot in the object's colour.
    void fecharPedaco();
    // Lines of consecutive objects of one colour are drawn together: set straight into the kept
    // picture's pixels when the painter would set them plainly, else in one drawLines (opaque
    // lines of one pen give the same pixels in one call as in many). Anything else drawn must call
    // desenharLote() first, so that what comes later in the scene stays on top.
    void loteDaCor(QRgb cor);
    void desenharLote();

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
    static constexpr QPoint quebra = LinhasEmPixels::semPixel;
    // A wireframe drawn by its vertices (repintar1 on a raster device): each vertex mapped to its
    // pixel once, and each edge drawn between two of them, or as its piece when cut. A large one's
    // edges are shared out over the cores, drawn straight into the kept picture.
    void desenharArestas(const Objeto& copia, const ArestasProjetadas& desenho);
    // Its vertices in pixels, quebra for those outside the window, and its cut edges' lines.
    void pixelsDasArestas(const Objeto& copia, const ArestasProjetadas& desenho);
    std::vector<QPoint> _pixelsDosVertices;
    std::vector<QLine> _linhasDosPedacos;

    // The ring round the marked vertex, and the labels' legend.
    void pintarMarcaELegenda();
    // Takes the labels' font metrics and clears their cells for a paint that shows them.
    void prepararRotulos();
    // What numero() treats as zero for the camera as it is now.
    double ruido() const;
    // Whether every cell under caixa is free; caixa lies on the surface.
    bool celasLivres(const QRect& caixa) const;
    void ocuparCelas(const QRect& caixa);

    // Active only from iniciarPintura to finalizarPintura.
    QPainter pintor;
    // The device an export paints on, and its size; null when painting the kept picture.
    QPaintDevice* _alvo = nullptr;
    QSize _tamanhoDoAlvo;
    QPoint _origemNoAlvo;
    // The scene as it is painted at area's size, in area of the device.
    void pintarEm(QPaintDevice* alvo, const QRect& area);
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
    bool _coordenadasDoMundo = false;
    const Objeto* _objetoMarcado = nullptr;
    int _verticeMarcado = -1;
    // Undoes the projection for the world-coordinate labels of the paint under way.
    std::optional<Projetor> _projetorDaPintura;
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

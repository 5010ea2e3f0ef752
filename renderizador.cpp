#include "renderizador.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <string>

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QSaveFile>
#include <QString>
#include <QSvgGenerator>

#include "arestasprojetadas.h"
#include "cor.h"
#include "displayfile.h"
#include "errosdearquivo.h"
#include "estagios.h"
#include "geometria.h"
#include "linhasempixels.h"
#include "objeto.h"
#include "paralelo.h"
#include "tipodeobjeto.h"
#include "window.h"

namespace {

// Whether every pixel of the image from column x on, and from row y on, is wholly transparent.
bool faixaIntacta(const QImage& imagem, int x, int y)
{
    for (int linha = 0; linha < imagem.height(); ++linha) {
        const auto* pixels = reinterpret_cast<const QRgb*>(imagem.constScanLine(linha));
        for (int coluna = linha >= y ? 0 : std::max(0, x); coluna < imagem.width(); ++coluna)
            if (qAlpha(pixels[coluna]) != 0)
                return false;
    }
    return true;
}

// Writes valor as QString::number(valor, 'g', 6) does, but 0 when it is nearer zero than ruido, into
// [inicio, fim), which holds at least 16 characters. Returns where the text ends.
char* escreverNumero(char* inicio, char* fim, double valor, double ruido)
{
    // −0 too, which would print its sign.
    if (std::fabs(valor) < ruido || valor == 0)
        valor = 0;
    return std::to_chars(inicio, fim, valor, std::chars_format::general, 6).ptr;
}

QPen canetaDaCor(const Cor& cor)
{
    return QPen(QColor(cor.red(), cor.green(), cor.blue(), 255));
}

} // namespace

Renderizador::Renderizador()
{
    _tela.fonte = QGuiApplication::font();
    _tela.fundo = QGuiApplication::palette().color(QPalette::Window);
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        _tela.dpiX = qRound(tela->logicalDotsPerInchX());
        _tela.dpiY = qRound(tela->logicalDotsPerInchY());
    }
}

double Renderizador::ruido() const
{
    return std::max(janela()->viewRightVector().modulo(), janela()->viewUpVector().modulo()) * 1e-6;
}

QString Renderizador::numero(double valor) const
{
    char texto[32];
    const char* fim = escreverNumero(texto, texto + sizeof texto, valor, ruido());
    return QString::fromLatin1(texto, fim - texto);
}

void Renderizador::selecionar(const Objeto* objeto)
{
    if (objeto == selecionado())
        return;
    Viewport::selecionar(objeto);
    redesenhar();
}

bool Renderizador::imagemDesatualizada() const
{
    const qreal escala = tela().escala;
    return !_imagemValida || !_origemDaImagem.igual(*janela()) || _imagemComCoordenadas != showingCoordinates()
           || _imagem.size() != tamanhoDaTela() * escala || _imagem.devicePixelRatioF() != escala;
}

bool Renderizador::atualizarImagem()
{
    if (!imagemDesatualizada())
        return false;
    _origemDaImagem.esquecer();
    repintar();
    _origemDaImagem.registrar(*janela());
    return true;
}

QRect Renderizador::areaNaProporcao(QSize espaco) const
{
    constexpr int margens = 40;
    const double largura = janela()->viewRightVector().modulo();
    const double altura = janela()->viewUpVector().modulo();
    const double livreL = espaco.width() - margens;
    const double livreA = espaco.height() - margens;
    if (!(largura > 0 && altura > 0 && std::isfinite(largura / altura) && livreL > 0 && livreA > 0))
        return {QPoint(0, 0), espaco};
    double l = livreL;
    double a = livreL * altura / largura;
    if (a > livreA) {
        a = livreA;
        l = livreA * largura / altura;
    }
    const QSize tamanho(std::min(espaco.width(), qRound(l) + margens), std::min(espaco.height(), qRound(a) + margens));
    // A space already of these proportions, as far as whole pixels go, is kept whole: the canvas
    // that the layout fitted must not shrink by a pixel of rounding when it is painted again.
    if (espaco.width() - tamanho.width() <= 1 && espaco.height() - tamanho.height() <= 1)
        return {QPoint(0, 0), espaco};
    return {QPoint((espaco.width() - tamanho.width()) / 2, (espaco.height() - tamanho.height()) / 2), tamanho};
}

void Renderizador::pintarEm(QPaintDevice* alvo, QSize tamanho)
{
    pintarEm(alvo, QRect(QPoint(0, 0), tamanho));
}

void Renderizador::pintarEm(QPaintDevice* alvo, const QRect& area)
{
    _alvo = alvo;
    _tamanhoDoAlvo = area.size();
    _origemNoAlvo = area.topLeft();
    _vetorial = alvo->paintEngine() && alvo->paintEngine()->type() == QPaintEngine::SVG;
    repintar();
    _alvo = nullptr;
    _vetorial = false;
}

QImage Renderizador::imagem(QSize tamanho)
{
    QImage imagem(tamanho, QImage::Format_ARGB32_Premultiplied);
    // What grab() shows in the strip that the canvas leaves unpainted on the right and at the bottom.
    imagem.fill(tela().fundo);
    pintarEm(&imagem, tamanho);
    return imagem;
}

void Renderizador::exportar(const QString& caminho, QSize tamanho)
{
    const auto erro = [&caminho](const QString& motivo) {
        return "Não foi possível exportar para '" + caminho.toStdString() + "': " + motivo.toStdString() + ".";
    };
    if (tamanho.width() < 1 || tamanho.height() < 1 || tamanho.width() > ladoMaximoDaImagem
        || tamanho.height() > ladoMaximoDaImagem)
        throw erro(QStringLiteral("cada lado da imagem vai de 1 a %1 pixels").arg(ladoMaximoDaImagem));
    const QString sufixo = QFileInfo(caminho).suffix().toLower();
    if (sufixo != QLatin1String("png") && sufixo != QLatin1String("svg"))
        throw erro(QStringLiteral("o nome deve terminar em .png ou .svg"));
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        throw erro(QString::fromStdString(ErrosDeArquivo::motivoAoCriar(caminho, errno)));
    // At the camera window's proportions, centred on what a grab shows around the canvas.
    const QRect area = areaNaProporcao(tamanho);
    if (sufixo == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&arquivo);
        svg.setSize(tamanho);
        svg.setViewBox(QRect(QPoint(0, 0), tamanho));
        // Labels keep the size in pixels that they have on the canvas.
        svg.setResolution(tela().dpiY);
        svg.setTitle(QStringLiteral("Sistema de Computação Gráfica"));
        pintarEm(&svg, area);
    } else {
        QImage imagem(tamanho, QImage::Format_ARGB32_Premultiplied);
        imagem.fill(tela().fundo);
        pintarEm(&imagem, area);
        if (!imagem.save(&arquivo, "PNG"))
            throw erro(QStringLiteral("a imagem não pôde ser codificada"));
    }
    if (!arquivo.commit())
        throw erro(QString::fromStdString(ErrosDeArquivo::motivoAoCriar(caminho, errno)));
}

void Renderizador::iniciarPintura()
{
    if (_alvo != nullptr) {
        pintor.begin(_alvo);
        pintor.translate(_origemNoAlvo);
    } else {
        const Tela t = tela();
        const QSize tamanho = tamanhoDaTela();
        if (_imagem.size() != tamanho * t.escala || _imagem.devicePixelRatioF() != t.escala) {
            _imagem = QImage(tamanho * t.escala, QImage::Format_ARGB32_Premultiplied);
            _imagem.setDevicePixelRatio(t.escala);
        }
        // Text must come out as it would on the surface itself: at its resolution.
        _imagem.setDotsPerMeterX(qRound(t.dpiX / 0.0254));
        _imagem.setDotsPerMeterY(qRound(t.dpiY / 0.0254));
        _imagem.fill(Qt::transparent);
        _imagemValida = false;
        _imagemComCoordenadas = showingCoordinates();
        // Before the painter holds the image, which must not be copied from now on.
        _pixels = _imagem.devicePixelRatio() == 1 ? _imagem.bits() : nullptr;
        _bytesPorLinha = _imagem.bytesPerLine();
        _fonteDaTela = t.fonte;
        pintor.begin(&_imagem);
    }
    pintor.setFont(_alvo != nullptr ? tela().fonte : _fonteDaTela);
    _mapaDaPintura = mapeamento();
    _donoDosPixels = nullptr;
    if (showingCoordinates())
        prepararRotulos();
    if (_coordenadasDoMundo)
        _projetorDaPintura.emplace(janela()->projetor());
    else
        _projetorDaPintura.reset();
    // One pixel short of the surface on the right and at the bottom: the last column and row keep the
    // surface's own background, in the window and in saved pictures alike, and nothing is drawn there
    // (the frame sits 20 pixels in).
    pintor.fillRect(0, 0, largura() - 1, altura() - 1, Qt::white);
}

void Renderizador::repintar0(Objeto* atual)
{
    desenharLote();
    _linhas.clear();
    const QRgb cor = qRgb(atual->cor().red(), atual->cor().green(), atual->cor().blue());
    for (const QPoint p : pixelsDe(*atual))
        if (p != quebra)
            marcar(p, cor);
    if (!_linhas.empty()) {
        pintor.setPen(canetaDaCor(atual->cor()));
        pintor.drawLines(_linhas.data(), static_cast<int>(_linhas.size()));
    }
}

const std::vector<QPoint>& Renderizador::pixelsDe(const Objeto& objeto)
{
    if (&objeto == _donoDosPixels)
        return _emPixels;
    _donoDosPixels = &objeto;
    _emPixels.clear();
    QPoint p;
    for (auto c = objeto.inicioDoDesenho(janela()), fim = objeto.fimDoDesenho(janela()); c != fim; ++c)
        // A null coordinate is a break between pieces, not a point: it would map to the centre.
        _emPixels.push_back(!c->isNull() && paraPixel(_mapaDaPintura.aplicar(*c), p) ? p : quebra);
    return _emPixels;
}

void Renderizador::marcar(QPoint p, QRgb cor)
{
    if (_pixels == nullptr) {
        _linhas.emplace_back(p.x() - 2, p.y() + 2, p.x() + 2, p.y() - 2);
        _linhas.emplace_back(p.x() + 2, p.y() + 2, p.x() - 2, p.y() - 2);
        return;
    }
    cruzEmPixels(p, cor);
}

void Renderizador::cruzEmPixels(QPoint p, QRgb cor)
{
    const auto linha = [this](int y) {
        return reinterpret_cast<QRgb*>(_pixels + static_cast<std::ptrdiff_t>(y) * _bytesPorLinha);
    };
    if (p.x() >= 2 && p.y() >= 2 && p.x() < _imagem.width() - 2 && p.y() < _imagem.height() - 2) {
        for (int k = -2; k <= 2; ++k) {
            linha(p.y() + k)[p.x() + k] = cor;
            linha(p.y() + k)[p.x() - k] = cor;
        }
        return;
    }
    for (int k = -2; k <= 2; ++k) {
        const int y = p.y() + k;
        if (y < 0 || y >= _imagem.height())
            continue;
        for (const int x : {p.x() + k, p.x() - k})
            if (x >= 0 && x < _imagem.width())
                linha(y)[x] = cor;
    }
}

void Renderizador::repintar1(Objeto* atual)
{
    // A vector device keeps each piece as one element, from the drawing list.
    if (const ArestasProjetadas* arestas = atual->arestasProjetadas(janela()); arestas != nullptr && !_vetorial) {
        desenharArestas(*atual, *arestas);
        return;
    }
    if (atual->tamanhoDoDesenho(janela()) <= 1)
        return;
    if (_vetorial)
        pintor.setPen(canetaDaCor(atual->cor()));
    else
        loteDaCor(qRgb(atual->cor().red(), atual->cor().green(), atual->cor().blue()));
    _pedaco.clear();
    // A break is the gap between two pieces.
    for (const QPoint p : pixelsDe(*atual)) {
        if (p != quebra)
            _pedaco.push_back(p);
        else
            fecharPedaco();
    }
    fecharPedaco();
}

void Renderizador::pixelsDasArestas(const Objeto& copia, const ArestasProjetadas& desenho)
{
    const std::vector<Coordenada>& ppc = copia.coordenadas();
    _pixelsDosVertices.resize(desenho.vertices());
    repartirEmBlocos(desenho.vertices(), Divisao{4096, 16384}, [&](std::size_t, std::size_t inicio, std::size_t fim) {
        QPoint p;
        for (std::size_t i = inicio; i < fim; ++i)
            _pixelsDosVertices[i] =
                desenho.dentro(i) && paraPixel(_mapaDaPintura.aplicar(ppc[desenho.posicao(i)]), p) ? p : quebra;
    });
    _linhasDosPedacos.clear();
    QPoint a, b;
    for (const ArestasProjetadas::Pedaco& pedaco : desenho.pedacos())
        if (paraPixel(_mapaDaPintura.aplicar(pedaco.inicio), a) && paraPixel(_mapaDaPintura.aplicar(pedaco.fim), b))
            _linhasDosPedacos.emplace_back(a, b);
}

void Renderizador::desenharArestas(const Objeto& copia, const ArestasProjetadas& desenho)
{
    pixelsDasArestas(copia, desenho);
    const std::vector<std::pair<int, int>>& arestas = copia.tipo()->arestas(copia);
    const std::size_t n = _pixelsDosVertices.size();
    const QRgb cor = qRgb(copia.cor().red(), copia.cor().green(), copia.cor().blue());
    if (!pixelsAMao()) {
        // One pen, opaque: the painter sets the same pixels whatever the order of the lines.
        loteDaCor(cor);
        for (const auto& [i, j] : arestas) {
            if (!arestaValida(i, j, n))
                continue;
            const QPoint pi = _pixelsDosVertices[static_cast<std::size_t>(i)];
            const QPoint pj = _pixelsDosVertices[static_cast<std::size_t>(j)];
            if (pi != quebra && pj != quebra)
                _lote.emplace_back(pi, pj);
        }
        _lote.insert(_lote.end(), _linhasDosPedacos.begin(), _linhasDosPedacos.end());
        return;
    }
    desenharLote();
    const LinhasEmPixels imagem(reinterpret_cast<QRgb*>(_pixels), _bytesPorLinha / static_cast<qsizetype>(sizeof(QRgb)),
                                _imagem.width(), _imagem.height());
    imagem.tracarArestasNosNucleos(_pixelsDosVertices.data(), n, arestas.data(), arestas.size(), cor);
    imagem.tracar(_linhasDosPedacos.data(), _linhasDosPedacos.size(), cor);
}

void Renderizador::loteDaCor(QRgb cor)
{
    if (cor != _corDoLote)
        desenharLote();
    _corDoLote = cor;
}

void Renderizador::desenharLote()
{
    if (_lote.empty())
        return;
    if (pixelsAMao()) {
        tracarNosPixels(_lote.data(), _lote.size(), _corDoLote);
    } else {
        pintor.setPen(QPen(QColor(_corDoLote)));
        pintor.drawLines(_lote.data(), static_cast<int>(_lote.size()));
    }
    _lote.clear();
}

bool Renderizador::pixelsAMao() const
{
    return _pixels != nullptr && !pintor.hasClipping() && pintor.transform().isIdentity()
           && !pintor.testRenderHint(QPainter::Antialiasing) && pintor.opacity() == 1
           && pintor.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void Renderizador::tracarNosPixels(const QLine* linhas, std::size_t quantas, QRgb cor)
{
    LinhasEmPixels(reinterpret_cast<QRgb*>(_pixels), _bytesPorLinha / static_cast<qsizetype>(sizeof(QRgb)),
                   _imagem.width(), _imagem.height())
        .tracar(linhas, quantas, cor);
}

void Renderizador::fecharPedaco()
{
    if (_pedaco.size() >= 2) {
        if (_vetorial) {
            pintor.drawPolyline(_pedaco.data(), static_cast<int>(_pedaco.size()));
        } else {
            for (std::size_t i = 1; i < _pedaco.size(); ++i)
                _lote.emplace_back(_pedaco[i - 1], _pedaco[i]);
        }
    }
    _pedaco.clear();
}

void Renderizador::repintar2(Objeto* atual)
{
    // Counts the object's own coordinates: fewer than three make no area.
    if (atual->numeroDeCoordenadas() <= 2)
        return;
    desenharLote();
    pintor.setPen(QPen(QColor(255, 0, 0, 255)));
    pintor.setBrush(QBrush(atual->cor().qcolor(), Qt::SolidPattern));
    _pontos.clear();
    for (const QPoint p : pixelsDe(*atual))
        if (p != quebra)
            _pontos.emplace_back(p);
    pintor.drawPolygon(_pontos.data(), static_cast<int>(_pontos.size()), Qt::OddEvenFill);
}

void Renderizador::pintarInformacoes(Objeto* atual)
{
    const double zero = ruido();
    // The surface without its last column and row, which keep their own background.
    const QRect superficie(0, 0, largura() - 1, altura() - 1);
    const QRgb cor = qRgb(atual->cor().red(), atual->cor().green(), atual->cor().blue());
    QPoint p;
    // The object's own coordinates, not its drawing list: points outside the window are labelled too.
    for (auto c = atual->inicioDasCoordenadas(), fim = atual->fimDasCoordenadas(); c != fim; ++c) {
        // In a crowded scene most labels are turned away by the cells that even the shortest label
        // would cover, and most of the rest by their width summed from their characters', before
        // their text is shaped and measured.
        if (!paraPixel(_mapaDaPintura.aplicar(*c), p) || !superficie.contains(p)
            || !celasLivres(QRect(p.x(), p.y() - _acimaDoRotulo, _rotuloMaisCurto, _alturaDoRotulo).intersected(superficie)))
            continue;
        // World coordinates are the projection undone, so that they stand where the point is drawn.
        const Coordenada escrita = _projetorDaPintura ? _projetorDaPintura->paraMundo(*c) : *c;
        char texto[64];
        char* const ate = texto + sizeof texto;
        char* t = texto;
        *t++ = '(';
        t = escreverNumero(t, ate, escrita.x(), zero);
        *t++ = ',';
        *t++ = ' ';
        t = escreverNumero(t, ate, escrita.y(), zero);
        *t++ = ',';
        *t++ = ' ';
        t = escreverNumero(t, ate, escrita.z(), zero);
        *t++ = ')';
        qreal estimada = 0;
        for (const char* k = texto; k != t; ++k)
            estimada += _avancos[static_cast<unsigned char>(*k) & 0x7f];
        // Two pixels less for what kerning and rounding may take.
        const int curta = std::max(1, static_cast<int>(estimada) - 2);
        if (!celasLivres(QRect(p.x(), p.y() - _acimaDoRotulo, curta, _alturaDoRotulo).intersected(superficie)))
            continue;
        const int inicio = static_cast<int>(_textos.size());
        const int tamanho = static_cast<int>(t - texto);
        _textos.append(QLatin1String(texto, tamanho));
        const QRect caixa(p.x(), p.y() - _acimaDoRotulo,
                          _medidas.horizontalAdvance(QString::fromRawData(_textos.constData() + inicio, tamanho)),
                          _alturaDoRotulo);
        if (!celasLivres(caixa.intersected(superficie))) {
            _textos.resize(inicio);
            continue;
        }
        ocuparCelas(caixa.intersected(superficie));
        _rotulos.push_back({p, caixa, inicio, tamanho, cor, temCruzEm(*atual, p)});
    }
}

bool Renderizador::temCruzEm(const Objeto& objeto, QPoint p)
{
    const std::vector<QPoint>& pixels = pixelsDe(objeto);
    return std::find(pixels.begin(), pixels.end(), p) != pixels.end();
}

void Renderizador::pintarRotulos()
{
    desenharLote();
    const QRect superficie(0, 0, largura() - 1, altura() - 1);
    pintor.setBrush(Qt::NoBrush);
    for (const Rotulo& r : _rotulos) {
        pintor.fillRect(r.caixa.intersected(superficie), fundoDeRotulo);
        pintor.setPen(_canetaDeRotulo);
        const QString texto = QString::fromRawData(_textos.constData() + r.inicio, r.tamanho);
        // Near the edge, the text is cut where the surface ends (glyphs may reach a pixel or two
        // past their advance).
        if (superficie.contains(r.caixa.adjusted(-2, -2, 2, 2))) {
            pintor.drawText(r.ponto, texto);
        } else {
            pintor.setClipRect(superficie);
            pintor.drawText(r.ponto, texto);
            pintor.setClipping(false);
        }
        // A drawn vertex's cross stays over its label.
        if (!r.cruz)
            continue;
        _linhas.clear();
        marcar(r.ponto, r.cor);
        if (!_linhas.empty()) {
            pintor.setPen(QPen(QColor(r.cor)));
            pintor.drawLines(_linhas.data(), static_cast<int>(_linhas.size()));
        }
    }
    _rotulos.clear();
    _textos.resize(0);
}

void Renderizador::prepararRotulos()
{
    _medidas = pintor.fontMetrics();
    _acimaDoRotulo = _medidas.ascent();
    _alturaDoRotulo = _medidas.height();
    const QFontMetricsF medidas(pintor.fontMetrics());
    for (char c = ' '; c < 127; ++c)
        _avancos[static_cast<unsigned char>(c)] = medidas.horizontalAdvance(QLatin1Char(c));
    // The shortest label, one digit a number (digits share one width in common fonts), less two
    // pixels that kerning may take: no label is narrower.
    _rotuloMaisCurto = std::max(1, _medidas.horizontalAdvance(QStringLiteral("(0, 0, 0)")) - 2);
    _rotulos.clear();
    _textos.resize(0);
    _colunasDeCelas = std::max(1, largura() / celaDeRotulo + 1);
    _celas.assign(static_cast<std::size_t>(_colunasDeCelas) * static_cast<std::size_t>(altura() / celaDeRotulo + 1), 0);
}

bool Renderizador::celasLivres(const QRect& caixa) const
{
    for (int y = caixa.top() / celaDeRotulo; y <= caixa.bottom() / celaDeRotulo; ++y) {
        const unsigned char* linha = _celas.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(_colunasDeCelas);
        for (int x = caixa.left() / celaDeRotulo; x <= caixa.right() / celaDeRotulo; ++x)
            if (linha[x])
                return false;
    }
    return true;
}

void Renderizador::ocuparCelas(const QRect& caixa)
{
    for (int y = caixa.top() / celaDeRotulo; y <= caixa.bottom() / celaDeRotulo; ++y) {
        unsigned char* linha = _celas.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(_colunasDeCelas);
        std::fill(linha + caixa.left() / celaDeRotulo, linha + caixa.right() / celaDeRotulo + 1, 1);
    }
}

void Renderizador::pintarSelecao(Objeto* atual)
{
    // Over the labels, which would hide its vertices' squares.
    pintarRotulos();
    // The shape again with a pen three pixels wide, in the colour it was drawn with, then a small
    // white square with a black edge on each drawn vertex, which reads on any fill.
    const char nivel = atual->nivelDePreenchimento();
    QPen largo(nivel == 2 ? QColor(255, 0, 0) : atual->cor().qcolor(), 3);
    largo.setCapStyle(Qt::RoundCap);
    largo.setJoinStyle(Qt::RoundJoin);
    pintor.setPen(largo);
    pintor.setBrush(Qt::NoBrush);
    _pontos.clear();
    bool aposQuebra = false;
    _linhas.clear();
    for (const QPoint p : pixelsDe(*atual)) {
        if (p == quebra) {
            aposQuebra = true;
            continue;
        }
        if (nivel == 0) {
            _linhas.emplace_back(p.x() - 2, p.y() + 2, p.x() + 2, p.y() - 2);
            _linhas.emplace_back(p.x() + 2, p.y() + 2, p.x() - 2, p.y() - 2);
        } else if (!_pontos.empty() && !aposQuebra && nivel == 1) {
            _linhas.emplace_back(_pontos.back().toPoint(), p);
        }
        aposQuebra = false;
        _pontos.emplace_back(p);
    }
    if (nivel == 2 && _pontos.size() >= 3 && atual->numeroDeCoordenadas() > 2)
        pintor.drawPolygon(_pontos.data(), static_cast<int>(_pontos.size()));
    else
        pintor.drawLines(_linhas.data(), static_cast<int>(_linhas.size()));

    pintor.setPen(QPen(Qt::black, 1));
    if (nivel == 0) {
        // A marker is all vertex: a frame around it instead, clear of the cross.
        pintor.setBrush(Qt::NoBrush);
        for (const QPointF& v : _pontos)
            pintor.drawRect(QRectF(v.x() - 5, v.y() - 5, 10, 10));
        return;
    }
    pintor.setBrush(Qt::white);
    // Along a finely flattened curve the squares would touch: one only where the last one ends.
    QPointF ultimo(-1e9, -1e9);
    for (const QPointF& v : _pontos) {
        if ((v - ultimo).manhattanLength() < 8)
            continue;
        pintor.drawRect(QRectF(v.x() - 2, v.y() - 2, 4, 4));
        ultimo = v;
    }
}

void Renderizador::finalizarPintura()
{
    pintarRotulos();
    pintarMarcaELegenda();
    pintor.setPen(QColor(Qt::black));
    pintor.setBrush(Qt::NoBrush);
    // On the limits of the mapping: columns 20 and width() − 20, rows 20 and height() − 20.
    pintor.drawRect(20, 20, largura() - 40, altura() - 40);
    pintor.end();
    _pixels = nullptr;
    _donoDosPixels = nullptr;
    if (_alvo == nullptr) {
        _imagemValida = true;
        _faixaVazia = faixaIntacta(_imagem, qRound((largura() - 1) * _imagem.devicePixelRatio()),
                                 qRound((altura() - 1) * _imagem.devicePixelRatio()));
    }
}

void Renderizador::mostrarCoordenadasDoMundo(bool mundo)
{
    _coordenadasDoMundo = mundo;
    redesenhar();
}

QString Renderizador::legendaDosRotulos(bool mundo)
{
    return mundo ? QStringLiteral("Rótulos: coordenadas do mundo")
                 : QStringLiteral("Rótulos: coordenadas no plano de projeção");
}

void Renderizador::marcarVertice(const Objeto* objeto, int indice)
{
    _objetoMarcado = objeto;
    _verticeMarcado = indice;
    redesenhar();
}

bool Renderizador::verticeMarcadoNaCena(Coordenada& vertice) const
{
    const std::vector<Objeto*>& cena = displayFile()->listaDeObjetos;
    if (_objetoMarcado == nullptr || _verticeMarcado < 0 || std::find(cena.begin(), cena.end(), _objetoMarcado) == cena.end()
        || static_cast<std::size_t>(_verticeMarcado) >= _objetoMarcado->coordenadas().size())
        return false;
    vertice = _objetoMarcado->coordenadas()[static_cast<std::size_t>(_verticeMarcado)];
    return true;
}

void Renderizador::pintarMarcaELegenda()
{
    pintor.setBrush(Qt::NoBrush);
    Coordenada vertice;
    if (verticeMarcadoNaCena(vertice)) {
        const EstagiosDoVertice e = estagiosDoVertice(*janela(), vertice);
        QPoint p;
        if (e.projetado && paraPixel(_mapaDaPintura.aplicar(Coordenada(e.xPlano, e.yPlano, 0)), p)) {
            pintor.setPen(QPen(corDaMarca, 2));
            pintor.drawEllipse(p, 7, 7);
        }
    }
    if (!showingCoordinates())
        return;
    // In the margin under the frame, where it hides nothing of the scene and no label reaches; the
    // last row stays the surface's own.
    pintor.setPen(QColor(Qt::black));
    pintor.drawText(QRect(20, altura() - 19, std::max(0, largura() - 40), 18), Qt::AlignLeft | Qt::AlignVCenter,
                    legendaDosRotulos(_coordenadasDoMundo));
}

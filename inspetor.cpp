#include "inspetor.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStringList>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "documentodecena.h"
#include "estagios.h"
#include "listadevertices.h"
#include "objeto.h"
#include "projetor.h"
#include "qviewport.h"
#include "window.h"

namespace {

const char* const nomesDosEstagios[6] = {"estagioMundo",       "estagioCamera",   "estagioPlano",
                                         "estagioNormalizado", "estagioViewport", "estagioSituacao"};
const char* const rotulosDosEstagios[6] = {"Mundo",          "Câmera (u, v, n)", "Plano de projeção",
                                           "Normalizadas",   "Viewport (pixels)", "Situação"};
const QString nada = QStringLiteral("—");

// The sides in the order of the code's bits, from the highest: acima, abaixo, direita, esquerda.
const std::pair<std::uint8_t, const char*> lados[] = {
    {Regiao::acima, "acima"}, {Regiao::abaixo, "abaixo"}, {Regiao::direita, "direita"}, {Regiao::esquerda, "esquerda"}};

// "1010 (acima, direita)", or "0000" inside.
QString codigoDeRegiaoEmTexto(std::uint8_t codigo)
{
    QString bits;
    QStringList nomes;
    for (const auto& [bit, nome] : lados) {
        bits += (codigo & bit) != 0 ? QLatin1Char('1') : QLatin1Char('0');
        if ((codigo & bit) != 0)
            nomes << QString::fromLatin1(nome);
    }
    return nomes.isEmpty() ? bits : bits + QStringLiteral(" (") + nomes.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString nomeDoLado(std::uint8_t lado)
{
    for (const auto& [bit, nome] : lados)
        if (bit == lado)
            return QString::fromLatin1(nome);
    return QString();
}

QString resultadoEmTexto(ResultadoDoRecorte r)
{
    switch (r) {
    case ResultadoDoRecorte::aceitoInteiro:
        return QStringLiteral("aceito inteiro");
    case ResultadoDoRecorte::recortado:
        return QStringLiteral("recortado");
    case ResultadoDoRecorte::rejeitado:
        break;
    }
    return QStringLiteral("rejeitado");
}

QStringList colunasDe(AlgoritmoDeRecorte algoritmo)
{
    if (algoritmo == AlgoritmoDeRecorte::cohenSutherland)
        return {QStringLiteral("Segmento"), QStringLiteral("A"),         QStringLiteral("B"),    QStringLiteral("Código A"),
                QStringLiteral("Código B"), QStringLiteral("Resultado"), QStringLiteral("Cortes")};
    return {QStringLiteral("Segmento"),  QStringLiteral("A"),         QStringLiteral("B"),
            QStringLiteral("p (esquerda, direita, abaixo, acima)"),  QStringLiteral("q"),
            QStringLiteral("t_entrada"), QStringLiteral("t_saída"), QStringLiteral("Resultado")};
}

// What the clipper computed for one segment that reached it, after the segment's ends: the cells of
// its row from the fourth on.
QStringList calculoDoRecorte(AlgoritmoDeRecorte algoritmo, const SegmentoNoPlano& s, const Projetor& projetor,
                             const QViewport& canvas)
{
    const auto n = [&canvas](double v) { return canvas.numero(v); };
    const auto ponto = [&n](double x, double y) { return QStringLiteral("(%1, %2)").arg(n(x), n(y)); };
    const Retangulo& r = projetor.vista().retangulo;
    const bool paralela = projetor.vista().paralela;
    PedacoVisivel pedaco;
    if (algoritmo == AlgoritmoDeRecorte::cohenSutherland) {
        TracoDeCohenSutherland t;
        recortarCohenSutherland(s.a, s.b, r, pedaco, paralela, &t);
        QStringList cortes;
        for (int k = 0; k < t.cortes; ++k)
            cortes << QStringLiteral("%1 → %2 %3").arg(t.corte[k].pontaA ? QStringLiteral("A") : QStringLiteral("B"),
                                                        nomeDoLado(t.corte[k].lado), ponto(t.corte[k].x, t.corte[k].y));
        return {codigoDeRegiaoEmTexto(t.codigoA), codigoDeRegiaoEmTexto(t.codigoB), resultadoEmTexto(t.resultado),
                cortes.join(QStringLiteral("; "))};
    }
    const TracoDeLiangBarsky t = tracarLiangBarsky(s.a, s.b, r, pedaco, paralela);
    const auto quatro = [&n](const double (&v)[4]) {
        return QStringLiteral("%1, %2, %3, %4").arg(n(v[0]), n(v[1]), n(v[2]), n(v[3]));
    };
    return {quatro(t.p), quatro(t.q), n(t.tEntrada), n(t.tSaida), resultadoEmTexto(t.resultado)};
}

} // namespace

Inspetor::Inspetor(DocumentoDeCena& documento, QViewport& canvas, QWidget* parent)
    : QDockWidget(QStringLiteral("Inspetor"), parent), _documento(documento), _canvas(canvas)
{
    setObjectName(QStringLiteral("inspetor"));
    auto* abas = new QTabWidget(this);
    abas->setObjectName(QStringLiteral("abasDoInspetor"));
    abas->addTab(criarAbaPipeline(), QStringLiteral("Pipeline"));
    abas->addTab(criarAbaRecorte(), QStringLiteral("Recorte"));
    setWidget(abas);
    connect(&_documento, &DocumentoDeCena::alterado, this, &Inspetor::documentoAlterado);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visivel) {
        if (visivel && _recorteAtrasado)
            atualizarRecorte();
        avisarMarca();
    });
    atualizarRecorte();
}

QWidget* Inspetor::criarAbaPipeline()
{
    auto* aba = new QWidget;
    auto* forma = new QFormLayout(aba);
    _vertices = new QComboBox;
    _vertices->setObjectName(QStringLiteral("verticesDoInspetor"));
    _listaDeVertices = new ListaDeVertices(_vertices);
    _vertices->setModel(_listaDeVertices);
    // Neither the box nor its list measures every row of a large object.
    _vertices->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    _vertices->setMinimumContentsLength(14);
    if (auto* lista = qobject_cast<QListView*>(_vertices->view()))
        lista->setUniformItemSizes(true);
    forma->addRow(QStringLiteral("Vértice"), _vertices);
    for (int i = 0; i < 6; ++i) {
        _estagios[i] = new QLabel(nada);
        _estagios[i]->setObjectName(QString::fromLatin1(nomesDosEstagios[i]));
        _estagios[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Wide enough for three numbers of six digits from the start, so that the dock does not
        // open narrower than what it will show.
        _estagios[i]->setMinimumWidth(_estagios[i]->fontMetrics().horizontalAdvance(QStringLiteral("(-0.000000, -0.000000, -0.000000)")));
        forma->addRow(QString::fromUtf8(rotulosDosEstagios[i]), _estagios[i]);
    }
    connect(_vertices, qOverload<int>(&QComboBox::activated), this, [this](int i) { mostrar(_objeto, i); });
    return aba;
}

QWidget* Inspetor::criarAbaRecorte()
{
    auto* aba = new QWidget;
    auto* layout = new QVBoxLayout(aba);
    _resumo = new QLabel;
    _resumo->setObjectName(QStringLiteral("recorteResumo"));
    _resumo->setWordWrap(true);
    _tabela = new QTableWidget;
    _tabela->setObjectName(QStringLiteral("tabelaDeRecorte"));
    _tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    _tabela->verticalHeader()->setVisible(false);
    layout->addWidget(_resumo);
    layout->addWidget(_tabela);
    return aba;
}

void Inspetor::mostrar(const Objeto* objeto, int indice)
{
    const int vertices = objeto != nullptr ? static_cast<int>(objeto->coordenadas().size()) : 0;
    const bool outro = objeto != _objeto || _vertices->count() != vertices;
    _objeto = objeto;
    _vertice = indice >= 0 && indice < vertices ? indice : -1;
    if (outro)
        _listaDeVertices->definirQuantidade(vertices);
    _vertices->setCurrentIndex(_vertice);
    atualizarEstagios();
    atualizarRecorteSeVisivel();
    avisarMarca();
}

void Inspetor::documentoAlterado()
{
    // An object that left the scene is shown no longer; one whose vertices changed in number is
    // listed again.
    if (_objeto != nullptr && _documento.posicaoDe(_objeto) < 0) {
        mostrar(nullptr, -1);
        return;
    }
    if (_objeto != nullptr && static_cast<int>(_objeto->coordenadas().size()) != _vertices->count()) {
        mostrar(_objeto, _vertice);
        return;
    }
    atualizarEstagios();
    atualizarRecorteSeVisivel();
}

void Inspetor::atualizarRecorteSeVisivel()
{
    // The table costs the object's whole projection: a hidden dock leaves it for when it is shown.
    if (isVisible())
        atualizarRecorte();
    else
        _recorteAtrasado = true;
}

void Inspetor::avisarMarca()
{
    const bool visivel = isVisible() && _vertice >= 0;
    emit marcaAlterada(visivel ? _objeto : nullptr, visivel ? _vertice : -1);
}

void Inspetor::atualizarEstagios()
{
    for (QLabel* l : _estagios)
        l->setText(nada);
    if (_objeto == nullptr || _vertice < 0)
        return;
    const EstagiosDoVertice e =
        estagiosDoVertice(*_documento.janela(), _objeto->coordenadas()[static_cast<std::size_t>(_vertice)]);
    const auto n = [this](double v) { return _canvas.numero(v); };
    const auto par = [&n](double a, double b) { return QStringLiteral("(%1, %2)").arg(n(a), n(b)); };
    const auto trio = [&n](double a, double b, double c) { return QStringLiteral("(%1, %2, %3)").arg(n(a), n(b), n(c)); };
    _estagios[0]->setText(trio(e.mundo.x(), e.mundo.y(), e.mundo.z()));
    _estagios[1]->setText(trio(e.camera.x, e.camera.y, e.camera.z));
    if (e.projetado) {
        _estagios[2]->setText(par(e.xPlano, e.yPlano));
        _estagios[3]->setText(par(e.xNormalizado, e.yNormalizado));
        const Coordenada pixel = _canvas.windowToViewport(Coordenada(e.xPlano, e.yPlano, 0));
        _estagios[4]->setText(par(pixel.x(), pixel.y()));
    }
    _estagios[5]->setText(e.situacao == SituacaoDoVertice::dentro ? QStringLiteral("dentro")
                          : e.situacao == SituacaoDoVertice::fora ? QStringLiteral("fora")
                                                                  : QStringLiteral("cortado pelo plano próximo"));
}

void Inspetor::atualizarRecorte()
{
    _recorteAtrasado = false;
    const Window& janela = *_documento.janela();
    const AlgoritmoDeRecorte algoritmo = janela.recorte();
    const QStringList colunas = colunasDe(algoritmo);
    _tabela->clear();
    _tabela->setColumnCount(static_cast<int>(colunas.size()));
    _tabela->setHorizontalHeaderLabels(colunas);
    _tabela->setRowCount(0);
    const QString nome =
        algoritmo == AlgoritmoDeRecorte::cohenSutherland ? QStringLiteral("Cohen–Sutherland") : QStringLiteral("Liang–Barsky");
    if (_objeto == nullptr) {
        _resumo->setText(nome + QStringLiteral(": nenhum objeto escolhido."));
        return;
    }
    const std::vector<SegmentoNoPlano> segmentos = janela.segmentosNoPlano(*_objeto);
    const Projetor projetor = janela.projetor();
    const auto ponto = [this](const PontoDeCamera& p) {
        return QStringLiteral("(%1, %2)").arg(_canvas.numero(p.x), _canvas.numero(p.y));
    };
    const int linhas = static_cast<int>(std::min<std::size_t>(segmentos.size(), linhasDeRecorte));
    _tabela->setRowCount(linhas);
    for (int i = 0; i < linhas; ++i) {
        const SegmentoNoPlano& s = segmentos[static_cast<std::size_t>(i)];
        QStringList celulas{QString::number(i)};
        if (s.atrasDoPlanoProximo) {
            celulas << nada << nada;
            while (celulas.size() < colunas.size())
                celulas << QString();
            celulas[colunas.indexOf(QStringLiteral("Resultado"))] = QStringLiteral("atrás do plano próximo");
        } else {
            celulas << ponto(s.a) << ponto(s.b) << calculoDoRecorte(algoritmo, s, projetor, _canvas);
            if (s.cortadoNoPlanoProximo)
                celulas[colunas.indexOf(QStringLiteral("Resultado"))] += QStringLiteral(" (cortado no plano próximo)");
        }
        for (int c = 0; c < celulas.size(); ++c)
            _tabela->setItem(i, c, new QTableWidgetItem(celulas[c]));
    }
    _tabela->resizeColumnsToContents();
    QString resumo = nome + (segmentos.size() == 1 ? QStringLiteral(": 1 segmento")
                                                   : QStringLiteral(": %1 segmentos").arg(segmentos.size()));
    if (segmentos.size() > static_cast<std::size_t>(linhas))
        resumo += QStringLiteral(", os primeiros %1 mostrados (mais %2)").arg(linhas).arg(segmentos.size() - static_cast<std::size_t>(linhas));
    _resumo->setText(resumo + QLatin1Char('.'));
}

#include <cmath>
#include <utility>
#include <vector>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QTableWidget>

#include "documentodecena.h"
#include "inspetor.h"
#include "janelaprincipal.h"
#include "objeto3d.h"
#include "reta.h"

namespace {

QString texto(const MainWindow& w, const char* nome)
{
    return filho<QLabel>(w, nome)->text();
}

QPoint pixelDoPlano(QViewport& canvas, double x, double y)
{
    const Coordenada p = canvas.windowToViewport(Coordenada(x, y, 0));
    return QPoint(static_cast<int>(p.x()), static_cast<int>(p.y()));
}

// Whether the canvas shows the colour of the marks anywhere within 9 pixels of p.
bool marcado(QViewport& canvas, QPoint p)
{
    const QImage imagem = canvas.grab().toImage();
    for (int dy = -9; dy <= 9; ++dy)
        for (int dx = -9; dx <= 9; ++dx)
            if (imagem.pixelColor(p + QPoint(dx, dy)) == QViewport::corDaMarca)
                return true;
    return false;
}

} // namespace

// The default camera: window [−10, 10]² on z = 0, d = 10, n along +z. The vertex (2, 1, 4) lies 4
// beyond the window: in cabinet oblique projection it moves 4·½·cos 45° = √2 along x and y.
// Mutations caught: a click that picks no vertex, or another one, within 5 pixels; stages that show
// another vertex or another stage's numbers; stages that keep the old projection after the menu
// changes it; a ring drawn while the dock is hidden, or none while it shows.
TEST(Inspetor, VerticeClicadoMostraCadaEstagio)
{
    MainWindow w;
    mostrada(w);
    auto* reta = new Reta("r", Cor(0, 0, 200), Coordenada(-6, -3, 0), Coordenada(2, 1, 4));
    adicionar(w, {new Reta("outra", Cor(), Coordenada(-9, 9, 0), Coordenada(9, 9, 0)), reta});
    QViewport* canvas = canvasDe(w);
    filho<QAction>(w, "actionParalelaObliqua")->trigger();
    const double s = std::sqrt(2.0);
    const QPoint vertice = pixelDoPlano(*canvas, 2 + s, 1 + s);

    QTest::mouseClick(canvas, Qt::LeftButton, {}, vertice + QPoint(3, -2));
    EXPECT_EQ(canvas->selecionado(), reta) << "the vertex's object becomes the current one";
    EXPECT_EQ(texto(w, "estagioMundo"), "(2, 1, 4)");
    EXPECT_EQ(texto(w, "estagioCamera"), "(2, 1, 4)");
    EXPECT_EQ(texto(w, "estagioPlano"), QStringLiteral("(%1, %2)").arg(canvas->numero(2 + s), canvas->numero(1 + s)));
    EXPECT_EQ(texto(w, "estagioNormalizado"),
              QStringLiteral("(%1, %2)").arg(canvas->numero((2 + s) / 10), canvas->numero((1 + s) / 10)));
    EXPECT_EQ(texto(w, "estagioViewport"), QStringLiteral("(%1, %2)").arg(vertice.x()).arg(vertice.y()));
    EXPECT_EQ(texto(w, "estagioSituacao"), "dentro");
    EXPECT_FALSE(marcado(*canvas, vertice)) << "no ring while the inspector is hidden";

    QTest::keyClick(&w, Qt::Key_P);
    ASSERT_TRUE(filho<Inspetor>(w, "inspetor")->isVisible());
    EXPECT_TRUE(marcado(*canvas, vertice));

    // In perspective the depth divides: x·d/(d + 4).
    filho<QAction>(w, "actionPerspectiva")->trigger();
    EXPECT_EQ(texto(w, "estagioPlano"), QStringLiteral("(%1, %2)").arg(canvas->numero(20.0 / 14), canvas->numero(10.0 / 14)));
    EXPECT_EQ(texto(w, "estagioMundo"), "(2, 1, 4)");

    // Farther than 5 pixels from every vertex: the first vertex of the object under the click.
    const QPoint longe = pixelDoPlano(*canvas, 0, 9);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, longe);
    EXPECT_EQ(texto(w, "estagioMundo"), "(-9, 9, 0)");
    QTest::keyClick(&w, Qt::Key_P);
    EXPECT_FALSE(marcado(*canvas, pixelDoPlano(*canvas, -9, 9)));
}

namespace {

// The cells of a row of the trace.
std::vector<QString> linha(const QTableWidget& tabela, int i)
{
    std::vector<QString> celulas;
    for (int c = 0; c < tabela.columnCount(); ++c)
        celulas.push_back(tabela.item(i, c) != nullptr ? tabela.item(i, c)->text() : QString());
    return celulas;
}

} // namespace

// The segment (−15, 0)–(5, 0) leaves the window [−10, 10]² on the left. Mutations caught: a trace of
// another algorithm than the one the menu chose, codes or parameters of the wrong end or side, a
// table that shows every segment of a large object, or says nothing of those left out, or one that
// stays as it was while the dock was hidden.
TEST(Inspetor, RecorteMostraOQueCadaAlgoritmoCalcula)
{
    MainWindow w;
    mostrada(w);
    auto* reta = new Reta("r", Cor(), Coordenada(-15, 0, 0), Coordenada(5, 0, 0));
    std::vector<Coordenada> vertices;
    std::vector<std::pair<int, int>> arestas;
    for (int i = 0; i <= 250; ++i)
        vertices.emplace_back(i * 0.01, 0, 0);
    for (int i = 0; i < 250; ++i)
        arestas.emplace_back(i, i + 1);
    auto* grande = new Objeto3D("grande", Cor(), vertices, arestas);
    adicionar(w, {reta, grande});
    auto* inspetor = filho<Inspetor>(w, "inspetor");
    filho<QAction>(w, "actionInspetor")->trigger();
    inspetor->mostrar(reta, 0);
    const auto* tabela = filho<QTableWidget>(w, "tabelaDeRecorte");
    ASSERT_EQ(tabela->rowCount(), 1);
    EXPECT_EQ(linha(*tabela, 0), (std::vector<QString>{"0", "(-15, 0)", "(5, 0)", "0001 (esquerda)", "0000", "recortado",
                                                       "A → esquerda (-10, 0)"}));

    filho<QAction>(w, "actionLiangBarsky")->trigger();
    // p = (−Δx, Δx, −Δy, Δy), q = (x0 − xMin, xMax − x0, y0 − yMin, yMax − y0), t_entrada = q0/p0.
    EXPECT_EQ(linha(*tabela, 0), (std::vector<QString>{"0", "(-15, 0)", "(5, 0)", "-20, 20, 0, 0", "-5, 25, 10, 10", "0.25",
                                                       "1", "recortado"}));
    EXPECT_EQ(filho<QLabel>(w, "recorteResumo")->text(), "Liang–Barsky: 1 segmento.");

    inspetor->mostrar(grande, 0);
    EXPECT_EQ(tabela->rowCount(), Inspetor::linhasDeRecorte);
    EXPECT_EQ(filho<QLabel>(w, "recorteResumo")->text(),
              "Liang–Barsky: 250 segmentos, os primeiros 200 mostrados (mais 50).");

    // Hidden, the dock leaves the table for when it shows again; then it is up to date.
    QTest::keyClick(&w, Qt::Key_P);
    ASSERT_FALSE(inspetor->isVisible());
    filho<QAction>(w, "actionCohenSutherland")->trigger();
    inspetor->mostrar(reta, 0);
    QTest::keyClick(&w, Qt::Key_P);
    EXPECT_EQ(filho<QLabel>(w, "recorteResumo")->text(), "Cohen–Sutherland: 1 segmento.");
    EXPECT_EQ(linha(*tabela, 0)[3], "0001 (esquerda)");
}

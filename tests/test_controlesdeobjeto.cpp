// The nine commands that move, rotate and scale the selected object.

#include <cmath>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>

#include "janelaprincipal.h"
#include "poligono.h"
#include "reta.h"

namespace {

constexpr double grau = 3.14159265358979323846 / 180.0;

// p turned by a degrees about the z axis through c: x toward y.
Coordenada emTornoDeZ(const Coordenada& p, double a, double cx, double cy, double /*cz*/)
{
    const double x = p.x() - cx, y = p.y() - cy;
    return Coordenada(cx + x * std::cos(a * grau) - y * std::sin(a * grau),
                      cy + x * std::sin(a * grau) + y * std::cos(a * grau), p.z());
}

// About x: y toward z.
Coordenada emTornoDeX(const Coordenada& p, double a, double /*cx*/, double cy, double cz)
{
    const double y = p.y() - cy, z = p.z() - cz;
    return Coordenada(p.x(), cy + y * std::cos(a * grau) - z * std::sin(a * grau),
                      cz + y * std::sin(a * grau) + z * std::cos(a * grau));
}

// About y: z toward x.
Coordenada emTornoDeY(const Coordenada& p, double a, double cx, double /*cy*/, double cz)
{
    const double x = p.x() - cx, z = p.z() - cz;
    return Coordenada(cx + z * std::sin(a * grau) + x * std::cos(a * grau), p.y(),
                      cz + z * std::cos(a * grau) - x * std::sin(a * grau));
}

::testing::AssertionResult mesmasCoordenadas(const Objeto* o, const std::vector<Coordenada>& esperadas)
{
    const auto& c = o->coordenadas();
    if (c.size() != esperadas.size())
        return ::testing::AssertionFailure() << c.size() << " coordinates, expected " << esperadas.size();
    for (std::size_t i = 0; i < c.size(); ++i)
        if (auto r = mesmoPonto(c[i], esperadas[i].x(), esperadas[i].y(), esperadas[i].z(), 1e-9); !r)
            return r << " at vertex " << i;
    return ::testing::AssertionSuccess();
}

class ControlesDeObjeto : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        // A triangle off the origin and out of the z = 0 plane, centre (2, 1, 1).
        triangulo = new Poligono("t", Cor(), original, false);
        outro = new Reta("r", Cor(), Coordenada(-1, -1, 0), Coordenada(-3, -1, 0));
        adicionar(w, {triangulo, outro});
        lista = filho<QListWidget>(w, "objetos");
        angulo = filho<QLineEdit>(w, "objetoRotacaoDisplay");
        fator = filho<QLineEdit>(w, "fatorEscalaDisplay");
    }

    void digitar(QLineEdit* campo, const char* texto)
    {
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
        QTest::keyClicks(campo, texto);
        ASSERT_EQ(campo->text(), QString::fromLatin1(texto));
    }

    void escalar(const char* texto)
    {
        filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
        digitar(fator, texto);
        QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
    }

    std::vector<Coordenada> cada(Coordenada (*f)(const Coordenada&, double, double, double, double), double a,
                                 double cx, double cy, double cz) const
    {
        std::vector<Coordenada> r;
        for (const Coordenada& p : original)
            r.push_back(f(p, a, cx, cy, cz));
        return r;
    }

    const std::vector<Coordenada> original = {Coordenada(1, 0, 1), Coordenada(4, 1, 1), Coordenada(1, 2, 1)};
    MainWindow w;
    Objeto* triangulo = nullptr;
    Objeto* outro = nullptr;
    QListWidget* lista = nullptr;
    QLineEdit* angulo = nullptr;
    QLineEdit* fator = nullptr;
};

} // namespace

TEST_F(ControlesDeObjeto, TranslacoesDeUmaUnidadeQueSeDesfazem)
{
    clicarNaLinha(lista, 0);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 1, 1, 1));
    QTest::keyClick(&w, Qt::Key_W);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 1, 2, 1));
    QTest::keyClick(&w, Qt::Key_D);
    QTest::keyClick(&w, Qt::Key_D);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 3, 2, 1));
    QTest::keyClick(&w, Qt::Key_S);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    // The other object and the camera stay put; the row keeps its text and stays current.
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
    EXPECT_TRUE(mesmoPonto(canvasDe(w)->janela()->centro(), 0, 0, 0));
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(lista->item(0)->text(), QString::fromUtf8("t : Polígono"));
}

TEST_F(ControlesDeObjeto, RotacoesEmTornoDoProprioCentro)
{
    clicarNaLinha(lista, 0);
    // The initial angle "2", about z through the centre (2, 1, 1).
    QTest::keyClick(&w, Qt::Key_Z);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeZ, 2, 2, 1, 1)));
    EXPECT_EQ(lista->item(0)->text(), QString::fromUtf8("t : Polígono"));
    QTest::keyClick(&w, Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeZ, 4, 2, 1, 1)));

    digitar(angulo, "-4");
    QTest::keyClick(&w, Qt::Key_Z);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));

    digitar(angulo, "90");
    QTest::keyClick(&w, Qt::Key_X);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeX, 90, 2, 1, 1)));
    digitar(angulo, "-90");
    QTest::keyClick(&w, Qt::Key_X);
    digitar(angulo, "30");
    QTest::keyClick(&w, Qt::Key_Y);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeY, 30, 2, 1, 1)));
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
}

TEST_F(ControlesDeObjeto, RotacionarEhARotacaoEmX)
{
    digitar(angulo, "35");
    clicarNaLinha(lista, 0);
    QTest::mouseClick(filho<QPushButton>(w, "objetoAplicarRotacao"), Qt::LeftButton);
    const auto esperadas = cada(emTornoDeX, 35, 2, 1, 1);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, esperadas));

    // R and X on a twin give the same result.
    Objeto* gemeo = new Poligono("t", Cor(), original, false);
    adicionar(w, {gemeo});
    clicarNaLinha(lista, 2);
    QTest::keyClick(&w, Qt::Key_R);
    EXPECT_TRUE(mesmasCoordenadas(gemeo, esperadas));
    QTest::keyClick(&w, Qt::Key_X);
    EXPECT_TRUE(mesmasCoordenadas(gemeo, cada(emTornoDeX, 70, 2, 1, 1)));
}

TEST_F(ControlesDeObjeto, OrbitarGiraEmTornoDoPontoEscolhido)
{
    clicarEm(filho<QRadioButton>(w, "orbitar"));
    auto* x = filho<QSpinBox>(w, "orbitarX");
    auto* y = filho<QSpinBox>(w, "orbitarY");
    x->selectAll();
    QTest::keyClicks(x, "5");
    y->selectAll();
    QTest::keyClicks(y, "-3");
    ASSERT_EQ(x->value(), 5);
    ASSERT_EQ(y->value(), -3);
    digitar(angulo, "90");
    clicarNaLinha(lista, 0);

    QTest::keyClick(&w, Qt::Key_Z);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeZ, 90, 5, -3, 0)));
    QTest::keyClick(&w, Qt::Key_Z);
    QTest::keyClick(&w, Qt::Key_Z);
    QTest::keyClick(&w, Qt::Key_Z);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));

    QTest::keyClick(&w, Qt::Key_X);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeX, 90, 5, -3, 0)));
    digitar(angulo, "-90");
    QTest::mouseClick(filho<QPushButton>(w, "objetoAplicarRotacao"), Qt::LeftButton);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    digitar(angulo, "45");
    QTest::keyClick(&w, Qt::Key_Y);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeY, 45, 5, -3, 0)));
    digitar(angulo, "-45");
    QTest::keyClick(&w, Qt::Key_Y);

    // Scaling ignores the orbit point.
    escalar("2");
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 2, 1, 1));

    // Unchecked again, rotations are about the object's own centre once more.
    clicarEm(filho<QRadioButton>(w, "orbitar"));
    ASSERT_FALSE(filho<QRadioButton>(w, "orbitar")->isChecked());
    const Coordenada antes = triangulo->centro();
    digitar(angulo, "90");
    QTest::keyClick(&w, Qt::Key_Z);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), antes.x(), antes.y(), antes.z()));
}

TEST_F(ControlesDeObjeto, EscalaEmTornoDoCentro)
{
    clicarNaLinha(lista, 0);
    escalar("1");
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));

    escalar("2");
    std::vector<Coordenada> dobro;
    for (const Coordenada& p : original)
        dobro.emplace_back(2 + 2 * (p.x() - 2), 1 + 2 * (p.y() - 1), 1 + 2 * (p.z() - 1));
    EXPECT_TRUE(mesmasCoordenadas(triangulo, dobro));

    escalar("0.5");
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));

    // A negative factor is passed on: a point reflection through the centre.
    escalar("-1");
    std::vector<Coordenada> refletidas;
    for (const Coordenada& p : original)
        refletidas.emplace_back(4 - p.x(), 2 - p.y(), 2 - p.z());
    EXPECT_TRUE(mesmasCoordenadas(triangulo, refletidas));
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
}

TEST_F(ControlesDeObjeto, SemSelecaoNadaMuda)
{
    ASSERT_EQ(lista->currentItem(), nullptr);
    for (Qt::Key tecla : {Qt::Key_A, Qt::Key_D, Qt::Key_W, Qt::Key_S, Qt::Key_X, Qt::Key_Y, Qt::Key_Z, Qt::Key_R})
        QTest::keyClick(&w, tecla);
    QTest::mouseClick(filho<QPushButton>(w, "objetoAplicarRotacao"), Qt::LeftButton);
    escalar("3");
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
    EXPECT_EQ(objetosDasLinhas(w).size(), 2u);

    // A current item that the map does not know (the list changed behind its back).
    lista->addItem(QStringLiteral("intruso"));
    clicarNaLinha(lista, 2);
    QTest::keyClick(&w, Qt::Key_D);
    QTest::keyClick(&w, Qt::Key_Z);
    escalar("3");
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
    EXPECT_EQ(canvasDe(w)->selecionado(), nullptr);
}

TEST_F(ControlesDeObjeto, TextoRuimNaoFazNada)
{
    clicarNaLinha(lista, 0);
    // Empty, letters, two separators, and the non-finite values that toDouble accepts.
    for (const char* texto : {"", "abc", "2,5,1", "nan", "inf", "-in", "NaN", "Inf", "1.x"}) {
        digitar(angulo, texto);
        for (Qt::Key tecla : {Qt::Key_X, Qt::Key_Y, Qt::Key_Z, Qt::Key_R})
            QTest::keyClick(&w, tecla);
        QTest::mouseClick(filho<QPushButton>(w, "objetoAplicarRotacao"), Qt::LeftButton);
        EXPECT_TRUE(mesmasCoordenadas(triangulo, original)) << "angle " << texto;
    }
    // "Escalar" does nothing until a factor is typed, and nothing for 0 or a non-finite factor.
    filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
    QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    for (const char* texto : {"abc", "0", "-0", "0.0", "nan", "inf", "-inf", "1e999", "x2"}) {
        escalar(texto);
        EXPECT_TRUE(mesmasCoordenadas(triangulo, original)) << "factor " << texto;
    }
    // The rejected texts were rejected for what they are: a good one still works afterwards.
    escalar("3");
    EXPECT_TRUE(mesmoPonto(triangulo->coordenadas()[1], 8, 1, 1));
}

TEST_F(ControlesDeObjeto, CadaComandoRepintaOCanvas)
{
    clicarNaLinha(lista, 0);
    digitar(angulo, "30");
    const std::pair<const char*, Qt::Key> teclas[] = {
        {"A", Qt::Key_A}, {"D", Qt::Key_D}, {"W", Qt::Key_W}, {"S", Qt::Key_S},
        {"X", Qt::Key_X}, {"Y", Qt::Key_Y}, {"Z", Qt::Key_Z}, {"R", Qt::Key_R},
    };
    for (const auto& [nome, tecla] : teclas)
        EXPECT_TRUE(repintaOCanvas(w, nome, [&] { QTest::keyClick(&w, tecla); }));
    filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
    digitar(fator, "2");
    auto* escala = filho<QPushButton>(w, "botaoEscala");
    EXPECT_TRUE(repintaOCanvas(w, "botaoEscala", [&] { QTest::mouseClick(escala, Qt::LeftButton); }));
}

// Catches amounts read by the locale ("1,5" lost), an axis's field read into another, a move made
// as several undo steps, and a bad amount moving the object by what could be read.
TEST_F(ControlesDeObjeto, TranslacaoPelasQuantiasDigitadasEmUmPasso)
{
    clicarNaLinha(lista, 0);
    filho<QTabWidget>(w, "tabWidget")->setCurrentWidget(filho<QWidget>(w, "aba_translacao"));
    auto* x = filho<QLineEdit>(w, "objetoTransladarX");
    auto* y = filho<QLineEdit>(w, "objetoTransladarY");
    auto* z = filho<QLineEdit>(w, "objetoTransladarZ");
    auto* transladar = filho<QPushButton>(w, "objetoAplicarTranslacao");
    EXPECT_EQ(transladar->text(), "Transladar");
    digitar(x, "1,5");
    digitar(y, "-2.25");
    digitar(z, "");
    QUndoStack* pilha = w.pilhaDeDesfazer();
    const int passos = pilha->count();
    QTest::mouseClick(transladar, Qt::LeftButton);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 3.5, -1.25, 1));
    EXPECT_EQ(pilha->count(), passos + 1);
    pilha->undo();
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));

    // Enter in a field moves it too.
    digitar(z, "4");
    QTest::keyClick(z, Qt::Key_Return);
    EXPECT_TRUE(mesmoPonto(triangulo->centro(), 3.5, -1.25, 5));
    pilha->undo();

    digitar(y, "abc");
    QTest::mouseClick(transladar, Qt::LeftButton);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, original));
    EXPECT_TRUE(w.statusBar()->currentMessage().contains("Y")) << w.statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(mesmoPonto(outro->centro(), -2, -1, 0));
}

// Catches a "Rotacionar" (button or R) that ignores the axis buttons.
TEST_F(ControlesDeObjeto, RotacionarNoEixoEscolhido)
{
    EXPECT_TRUE(filho<QRadioButton>(w, "rotacaoEixoX")->isChecked());
    digitar(angulo, "30");
    clicarNaLinha(lista, 0);
    clicarEm(filho<QRadioButton>(w, "rotacaoEixoY"));
    EXPECT_FALSE(filho<QRadioButton>(w, "rotacaoEixoX")->isChecked());
    QTest::mouseClick(filho<QPushButton>(w, "objetoAplicarRotacao"), Qt::LeftButton);
    EXPECT_TRUE(mesmasCoordenadas(triangulo, cada(emTornoDeY, 30, 2, 1, 1)));

    digitar(angulo, "-30");
    clicarEm(filho<QRadioButton>(w, "rotacaoEixoZ"));
    QTest::keyClick(&w, Qt::Key_R);
    std::vector<Coordenada> depois;
    for (const Coordenada& p : cada(emTornoDeY, 30, 2, 1, 1))
        depois.push_back(emTornoDeZ(p, -30, 2, 1, 1));
    EXPECT_TRUE(mesmasCoordenadas(triangulo, depois));
}

// Working on a scene without losing it: remove, edit, undo and redo, unsaved changes, file keys,
// numbers with either separator. Driven through the window with keys and clicks.

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "campodenumero.h"
#include "documentodecena.h"
#include "comandosdecena.h"
#include "janelaprincipal.h"
#include "novoobjeto.h"
#include "novoobjeto_options.h"
#include "poligono.h"
#include "reta.h"

namespace {

// While it lives, hands every modal widget that opens (once each) to responder.
class AoAbrirModal {
public:
    explicit AoAbrirModal(std::function<void(QWidget*)> responder) : _responder(std::move(responder))
    {
        QObject::connect(&_relogio, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || _vistos.count(modal) != 0)
                return;
            _vistos.insert(modal);
            _responder(modal);
        });
        _relogio.start(10);
    }

private:
    std::function<void(QWidget*)> _responder;
    QTimer _relogio;
    std::set<const QWidget*> _vistos;
};

// Answers the unsaved-changes question with botao and writes down what each modal was.
struct Respostas {
    QMessageBox::StandardButton botao = QMessageBox::Cancel;
    QString arquivo;
    QStringList vistos;

    std::function<void(QWidget*)> responder()
    {
        return [this](QWidget* modal) {
            if (auto* pergunta = qobject_cast<QMessageBox*>(modal)) {
                vistos << pergunta->text();
                QMetaObject::invokeMethod(pergunta->button(botao), "click", Qt::QueuedConnection);
            } else if (auto* dialogo = qobject_cast<QFileDialog*>(modal)) {
                vistos << dialogo->windowTitle();
                if (auto* nome = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    nome->setText(arquivo);
                QMetaObject::invokeMethod(dialogo, "accept", Qt::QueuedConnection);
            }
        };
    }
};

// The scene as a file holds it, camera included, plus the rows: equal texts mean equal bits, since
// numbers are written in their shortest exact form.
std::string retrato(MainWindow& w)
{
    TiXmlElement formas("formas");
    w.viewport().persist(&formas);
    TiXmlPrinter impressora;
    formas.Accept(&impressora);
    std::string texto = impressora.CStr();
    auto* lista = filho<QListWidget>(w, "objetos");
    for (int i = 0; i < lista->count(); ++i)
        texto += "\n" + lista->item(i)->text().toStdString();
    return texto;
}

std::vector<std::unique_ptr<Objeto>> objetos(std::initializer_list<Objeto*> lista)
{
    std::vector<std::unique_ptr<Objeto>> r;
    for (Objeto* o : lista)
        r.emplace_back(o);
    return r;
}

class Alteracoes : public ::testing::Test {
protected:
    void SetUp() override
    {
        mostrada(w);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        lista = filho<QListWidget>(w, "objetos");
    }

    std::vector<Objeto*>& cena() { return w.viewport().displayFile()->listaDeObjetos; }
    QAction* acao(const char* nome) { return filho<QAction>(w, nome); }
    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&w, k, m); }
    // After a modal dialog the window must be active again for its menu shortcuts to reach it.
    void ativa()
    {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    MainWindow w;
    QListWidget* lista = nullptr;
};

} // namespace

// Catches an undo that puts the object back anywhere but its own place, and a menu without the
// command's name.
TEST_F(Alteracoes, RemoverDesfazerERefazerPelasTeclas)
{
    w.adicionarObjetos(objetos({new Ponto("a", Cor(), Coordenada(0, 0, 0)), new Ponto("casa", Cor(), Coordenada(1, 2, 3)),
                                new Ponto("b", Cor(), Coordenada(4, 5, 6))}),
                       QStringLiteral("Adicionar"));
    EXPECT_FALSE(acao("actionRemover")->isEnabled());
    clicarNaLinha(lista, 1);
    EXPECT_TRUE(acao("actionRemover")->isEnabled());
    w.setFocus();
    tecla(Qt::Key_Delete);
    ASSERT_EQ(cena().size(), 2u);
    EXPECT_EQ(lista->item(1)->text(), "b : Ponto");
    EXPECT_FALSE(acao("actionRemover")->isEnabled());
    EXPECT_EQ(acao("actionDesfazer")->text(), "Desfazer Remover 'casa'");

    tecla(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(cena().size(), 3u);
    EXPECT_EQ(cena()[1]->nome(), "casa");
    EXPECT_EQ(lista->item(1)->text(), "casa : Ponto");
    EXPECT_EQ(acao("actionRefazer")->text(), "Refazer Remover 'casa'");

    tecla(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cena().size(), 2u);
    tecla(Qt::Key_Z, Qt::ControlModifier);
    tecla(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(cena().size(), 2u);
    EXPECT_EQ(cena()[1]->nome(), "b");
}

// Catches an undo that the canvas does not show (a stale kept picture or projection).
TEST_F(Alteracoes, DesfazerUmaTranslacaoRedesenhaOCanvas)
{
    w.adicionarObjetos(objetos({new Reta("r", Cor(200, 0, 0), Coordenada(-3, 0, 0), Coordenada(3, 2, 0))}),
                       QStringLiteral("Adicionar"));
    QWidget* canvas = canvasDe(w);
    // Chosen first: the chosen object is drawn highlighted, before and after.
    clicarNaLinha(lista, 0);
    const QImage antes = canvas->grab().toImage();
    w.setFocus();
    tecla(Qt::Key_D);
    ASSERT_NE(canvas->grab().toImage(), antes);
    tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(canvas->grab().toImage(), antes);
}

// Catches any command whose undo is not exact (an inverse transformation instead of the old
// coordinates, a load that leaves the camera) and any redo that does not give the same result.
TEST_F(Alteracoes, DesfazerTudoEDepoisRefazerTudoDevolvemCadaCenaBitABit)
{
    const char* const teclas = "ADWSXYZR";
    for (unsigned semente = 1; semente <= 4; ++semente) {
        std::mt19937 aleatorio(semente);
        auto ate = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(aleatorio); };
        auto numero = [&] { return std::uniform_real_distribution<double>(-7, 7)(aleatorio); };
        auto ponto = [&] { return Coordenada(numero(), numero(), numero()); };

        const std::string inicial = retrato(w);
        const int base = w.pilhaDeDesfazer()->index();
        for (int passo = 0; passo < 25; ++passo) {
            const int tipo = cena().empty() ? 0 : ate(6);
            const int linha = cena().empty() ? 0 : ate(static_cast<int>(cena().size()));
            switch (tipo) {
            case 0:
                w.adicionarObjetos(objetos({new Reta("r" + std::to_string(passo), Cor(1, 2, 3), ponto(), ponto())}),
                                   QStringLiteral("Adicionar"));
                break;
            case 1:
                clicarNaLinha(lista, linha);
                w.setFocus();
                tecla(Qt::Key_Delete);
                break;
            case 2:
                w.pilhaDeDesfazer()->push(new ComandoSubstituir(
                    w.documento(), static_cast<std::size_t>(linha),
                    std::make_unique<Poligono>("p", Cor(9, 9, 9), std::vector<Coordenada>{ponto(), ponto(), ponto()}, true),
                    QStringLiteral("Editar")));
                break;
            case 3: {
                DisplayFile outra;
                outra.listaDeObjetos.push_back(new Ponto("carregado", Cor(), ponto()));
                Window camera = Viewport::cameraInicial();
                camera.mover(numero(), numero(), numero());
                camera.rodar(numero(), numero(), numero());
                w.trocarCena(std::move(outra), camera, QStringLiteral("x.xml"), QStringLiteral("Carregar"));
                break;
            }
            default: {
                clicarNaLinha(lista, linha);
                filho<QLineEdit>(w, "objetoRotacaoDisplay")->setText(QString::number(numero(), 'g', 12));
                filho<QLineEdit>(w, "fatorEscalaDisplay")->setText(ate(2) ? QStringLiteral("1,5") : QStringLiteral("0.25"));
                const int qual = ate(9);
                if (qual == 8) {
                    QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
                } else {
                    w.setFocus();
                    tecla(static_cast<Qt::Key>(teclas[qual]));
                }
                break;
            }
            }
        }
        const std::string final = retrato(w);
        const int feitos = w.pilhaDeDesfazer()->index() - base;
        ASSERT_GT(feitos, 15) << "semente " << semente;

        w.setFocus();
        for (int i = 0; i < feitos; ++i)
            tecla(Qt::Key_Z, Qt::ControlModifier);
        const std::string desfeito = retrato(w);
        for (int i = 0; i < feitos; ++i)
            tecla(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        const std::string refeito = retrato(w);

        EXPECT_EQ(desfeito, inicial) << "semente " << semente;
        EXPECT_EQ(refeito, final) << "semente " << semente;
    }
    // Camera moves are no commands.
    const int antes = w.pilhaDeDesfazer()->index();
    tecla(Qt::Key_Left);
    tecla(Qt::Key_I);
    tecla(Qt::Key_Plus);
    EXPECT_EQ(w.pilhaDeDesfazer()->index(), antes);
}

// Catches an edit that loses what the dialog did not show exactly (the spin boxes round to two
// decimals) or the fill flag, and an edit that lands anywhere but the object's own place.
TEST_F(Alteracoes, EditarSubstituiNoLugarPorDuploCliqueOuF2)
{
    const std::vector<Coordenada> vertices = {Coordenada(0.123456, 1, 2), Coordenada(3, 4.5, 5), Coordenada(12345.678, 7, 8)};
    w.adicionarObjetos(objetos({new Poligono("casa", Cor(10, 20, 30), vertices, true),
                                new Ponto("b", Cor(), Coordenada(4, 5, 6))}),
                       QStringLiteral("Adicionar"));
    Objeto* outro = cena()[1];

    bool viu = false;
    auto renomear = std::make_unique<AoAbrirModal>([&](QWidget* modal) {
        auto* dialogo = qobject_cast<NovoObjeto*>(modal);
        ASSERT_NE(dialogo, nullptr);
        viu = true;
        EXPECT_EQ(dialogo->findChild<QComboBox*>("tipo")->currentText(), QString::fromUtf8("Polígono"));
        auto* nome = dialogo->findChild<StringOption*>();
        EXPECT_EQ(nome->text(), "casa");
        EXPECT_TRUE(dialogo->findChild<BooleanOption*>()->isChecked());
        nome->selectAll();
        QTest::keyClicks(nome, "casa2");
        QTest::mouseClick(dialogo->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QListWidgetItem* item = lista->item(0);
    // A double click is a click and then the second press.
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(item).center());
    ASSERT_TRUE(viu);
    renomear.reset();
    ASSERT_EQ(cena().size(), 2u);
    auto* editado = dynamic_cast<Poligono*>(cena()[0]);
    ASSERT_NE(editado, nullptr);
    EXPECT_EQ(editado->nome(), "casa2");
    EXPECT_EQ(editado->coordenadas(), vertices);
    EXPECT_EQ(editado->cor(), Cor(10, 20, 30));
    EXPECT_TRUE(editado->preenchido());
    EXPECT_EQ(cena()[1], outro);
    EXPECT_EQ(lista->item(0)->text(), QString::fromUtf8("casa2 : Polígono"));
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(acao("actionDesfazer")->text(), "Desfazer Editar 'casa'");

    // F2, then Cancel: nothing changes.
    const std::string antes = retrato(w);
    bool cancelado = false;
    AoAbrirModal cancelar([&](QWidget* modal) {
        cancelado = qobject_cast<NovoObjeto*>(modal) != nullptr;
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    });
    ativa();
    w.setFocus();
    tecla(Qt::Key_F2);
    EXPECT_TRUE(cancelado);
    EXPECT_EQ(retrato(w), antes);
    ativa();
    tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cena()[0]->nome(), "casa");
}

// Catches an OK that the edge list does not re-enable, and a dialog that closes on a refused
// object and so loses what was typed.
TEST_F(Alteracoes, DialogoComArestasPorUltimoEArestaInvalida)
{
    int aberturas = 0;
    AoAbrirModal preencher([&](QWidget* modal) {
        auto* dialogo = qobject_cast<NovoObjeto*>(modal);
        ASSERT_NE(dialogo, nullptr);
        ++aberturas;
        auto* tipo = dialogo->findChild<QComboBox*>("tipo");
        tipo->setCurrentIndex(tipo->findText("Objeto 3D"));
        QTest::keyClicks(dialogo->findChild<StringOption*>(), "cubo");
        auto* vertices = dialogo->findChild<CoordenadasOption*>();
        auto* mais = vertices->findChildren<QPushButton*>()[0];
        QTest::mouseClick(mais, Qt::LeftButton);
        QTest::mouseClick(mais, Qt::LeftButton);
        auto* arestas = dialogo->findChild<IntIntsOption*>();
        QTest::mouseClick(arestas->findChildren<QPushButton*>()[0], Qt::LeftButton);
        auto campos = arestas->findChildren<QSpinBox*>();
        ASSERT_EQ(campos.size(), 2);
        campos[0]->setValue(0);
        campos[1]->setValue(5);
        // An edge to a vertex that does not exist: OK is disabled before it is pressed, and says why.
        QPushButton* ok = dialogo->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        EXPECT_FALSE(ok->isEnabled());
        auto* motivo = dialogo->findChild<QLabel*>("motivo");
        EXPECT_TRUE(motivo->isVisible());
        EXPECT_TRUE(motivo->text().contains(QStringLiteral("aresta"))) << motivo->text().toStdString();
        // Mended, it goes through.
        campos[1]->selectAll();
        QTest::keyClicks(campos[1], "1");
        ASSERT_EQ(campos[1]->value(), 1);
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_TRUE(motivo->text().isEmpty());
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    tecla(Qt::Key_N);
    EXPECT_EQ(aberturas, 1);
    ASSERT_EQ(cena().size(), 1u);
    EXPECT_EQ(cena()[0]->nome(), "cubo");
}

// Catches a title without the file or the marker (also before the first save), a Control+S that moves the object instead of
// saving (or asks for a name it knows), a name left without ".xml", and a close that does not ask.
TEST_F(Alteracoes, TituloSalvarComCtrlSEFecharComAlteracoes)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString programa = QString::fromUtf8("Sistema de Computação Gráfica");
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Sem título[*] — ") + programa);
    EXPECT_FALSE(w.isWindowModified());

    w.adicionarObjetos(objetos({new Ponto("p", Cor(), Coordenada(1, 1, 0))}), QStringLiteral("Adicionar"));
    // A new scene with changes shows the marker too.
    EXPECT_TRUE(w.isWindowModified());
    Respostas respostas;
    respostas.arquivo = pasta.filePath("cena");
    {
        AoAbrirModal r(respostas.responder());
        tecla(Qt::Key_S, Qt::ControlModifier);
    }
    ativa();
    const QString caminho = pasta.filePath("cena.xml");
    ASSERT_TRUE(QFileInfo(caminho).isFile());
    EXPECT_EQ(respostas.vistos, QStringList{QStringLiteral("Salvar em...")});
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("cena.xml[*] — ") + programa);
    EXPECT_FALSE(w.isWindowModified());

    clicarNaLinha(lista, 0);
    w.setFocus();
    tecla(Qt::Key_A);
    EXPECT_TRUE(w.isWindowModified());
    {
        AoAbrirModal r(respostas.responder());
        tecla(Qt::Key_S, Qt::ControlModifier);
    }
    EXPECT_EQ(respostas.vistos.size(), 1) << "the known file was asked for again";
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_TRUE(mesmoPonto(cena()[0]->centro(), 0, 1, 0));
    std::ifstream arquivo(caminho.toStdString());
    std::stringstream conteudo;
    conteudo << arquivo.rdbuf();
    EXPECT_NE(conteudo.str().find("<coordenada x=\"0\" y=\"1\""), std::string::npos) << conteudo.str();

    tecla(Qt::Key_D);
    respostas.vistos.clear();
    {
        AoAbrirModal r(respostas.responder());
        EXPECT_FALSE(w.close());
    }
    EXPECT_EQ(respostas.vistos, QStringList{QString::fromUtf8("Salvar alterações?")});
    EXPECT_TRUE(w.isVisible());
    // Loading asks too; cancelled, no file dialog opens.
    {
        AoAbrirModal r(respostas.responder());
        acao("actionCarregar")->trigger();
    }
    EXPECT_EQ(respostas.vistos.size(), 2);
    respostas.botao = QMessageBox::Discard;
    {
        AoAbrirModal r(respostas.responder());
        EXPECT_TRUE(w.close());
    }
}

// Catches an Esc that leaves without asking, or that no longer leaves at all.
TEST_F(Alteracoes, EscComAlteracoesPerguntaAntesDeSair)
{
    w.adicionarObjetos(objetos({new Ponto("p", Cor(), Coordenada(1, 1, 0))}), QStringLiteral("Adicionar"));
    Respostas respostas;
    {
        AoAbrirModal r(respostas.responder());
        tecla(Qt::Key_Escape);
    }
    EXPECT_EQ(respostas.vistos, QStringList{QString::fromUtf8("Salvar alterações?")});
    EXPECT_EQ(cena().size(), 1u);
    EXPECT_EXIT(
        {
            Respostas descartar;
            descartar.botao = QMessageBox::Discard;
            AoAbrirModal r(descartar.responder());
            tecla(Qt::Key_Escape);
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

// Catches a reading that follows the locale: "1,5" refused under C, "1.5" taken as 15 under pt_BR.
TEST(Numeros, VirgulaOuPontoEmQualquerLocale)
{
    const QLocale anterior;
    for (const QLocale& local : {QLocale::c(), QLocale(QLocale::Portuguese, QLocale::Brazil)}) {
        QLocale::setDefault(local);
        {
            MainWindow w;
            mostrada(w);
            auto* p = new Poligono("t", Cor(), {Coordenada(0, 0, 0), Coordenada(2, 0, 0), Coordenada(0, 2, 0)}, false);
            adicionar(w, {p});
            clicarNaLinha(filho<QListWidget>(w, "objetos"), 0);
            filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
            auto* fator = filho<QLineEdit>(w, "fatorEscalaDisplay");
            for (const char* texto : {"1,5", "1.5"}) {
                const double largura = p->coordenadas()[1].x() - p->coordenadas()[0].x();
                fator->clear();
                QTest::keyClicks(fator, texto);
                QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
                EXPECT_TRUE(pertoDe(p->coordenadas()[1].x() - p->coordenadas()[0].x(), largura * 1.5, 1e-12))
                    << texto << " under " << local.name().toStdString();
            }
            // A text that is no number says so where the user looks.
            fator->clear();
            QTest::keyClicks(fator, "x");
            QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
            EXPECT_FALSE(w.statusBar()->currentMessage().isEmpty());
        }
        CoordenadaOption linha(0);
        for (const char* texto : {"1.5", "1,5"}) {
            auto* campo = linha.findChildren<CampoDeNumero*>()[0];
            campo->selectAll();
            QTest::keyClicks(campo, texto);
            EXPECT_EQ(campo->valor(), 1.5) << texto << " under " << local.name().toStdString();
        }
    }
    QLocale::setDefault(anterior);
}

// Catches a transformation applied without looking at what it gives: the object could no longer be
// drawn or saved, and the step could not be undone.
TEST_F(Alteracoes, TransformacaoQueDeixariaDeSerFinitaERecusada)
{
    w.adicionarObjetos(objetos({new Ponto("p", Cor(), Coordenada(1e300, 1, 0))}), QStringLiteral("Adicionar"));
    const int comandos = w.pilhaDeDesfazer()->index();
    clicarNaLinha(lista, 0);
    filho<QTabWidget>(w, "tabWidget")->setCurrentIndex(1);
    auto* fator = filho<QLineEdit>(w, "fatorEscalaDisplay");
    fator->setText(QStringLiteral("1e10"));
    QTest::mouseClick(filho<QPushButton>(w, "botaoEscala"), Qt::LeftButton);
    EXPECT_EQ(cena()[0]->coordenadas()[0], Coordenada(1e300, 1, 0));
    EXPECT_EQ(w.pilhaDeDesfazer()->index(), comandos);
    EXPECT_FALSE(w.statusBar()->currentMessage().isEmpty());
}

// Catches an import that goes around the undo stack or is split into one step per object, and a
// failed import that leaves a step behind.
TEST_F(Alteracoes, ImportarEUmPassoQueSeDesfazEInteiro)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    w.adicionarObjetos(objetos({new Ponto("p", Cor(), Coordenada(1, 2, 3))}), QStringLiteral("Adicionar"));
    const std::string antes = retrato(w);
    const int passos = w.pilhaDeDesfazer()->count();

    const QString modelo = pasta.filePath("modelo.obj");
    {
        std::ofstream f(modelo.toStdString());
        f << "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0.5 0.25 2\no a\nf 1 2 3\no b\nl 1 4\n";
    }
    w.importar(modelo);
    ASSERT_EQ(cena().size(), 3u);
    const std::string depois = retrato(w);
    EXPECT_EQ(acao("actionDesfazer")->text(), QStringLiteral("Desfazer Importar 'modelo.obj'"));

    acao("actionDesfazer")->trigger();
    EXPECT_EQ(retrato(w), antes);
    acao("actionRefazer")->trigger();
    EXPECT_EQ(retrato(w), depois);

    const QString quebrado = pasta.filePath("quebrado.obj");
    {
        std::ofstream f(quebrado.toStdString());
        f << "v 0 0 0\nf 1 2 9\n";
    }
    {
        AoAbrirModal r([](QWidget* modal) { QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection); });
        w.importar(quebrado);
    }
    EXPECT_EQ(retrato(w), depois);
    EXPECT_EQ(w.pilhaDeDesfazer()->count(), passos + 1);
}

// Catches a scene opened at start that reads as changed, can be undone to an empty one, keeps no
// file name, or whose fault goes only to standard error.
TEST_F(Alteracoes, CenaAbertaAoIniciarNaoTemAlteracoesEFalhaAvisaComoCarregar)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString caminho = pasta.filePath("cena.xml");
    {
        MainWindow outra;
        outra.adicionarObjetos(objetos({new Ponto("p", Cor(), Coordenada(1, 2, 3))}), QStringLiteral("Adicionar"));
        TiXmlDocument doc;
        doc.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
        auto* formas = new TiXmlElement("formas");
        doc.LinkEndChild(formas);
        outra.viewport().persist(formas);
        ArquivoDeCena::salvar(caminho, doc);
    }
    w.abrir(caminho);
    EXPECT_EQ(cena().size(), 1u);
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("cena.xml[*] — Sistema de Computação Gráfica"));
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_FALSE(w.pilhaDeDesfazer()->canUndo());

    const QString ruim = pasta.filePath("ruim.xml");
    {
        std::ofstream f(ruim.toStdString());
        f << "<formas><ponto";
    }
    std::ostringstream erro;
    std::streambuf* anterior = std::cerr.rdbuf(erro.rdbuf());
    QString caixa;
    {
        AoAbrirModal r([&caixa](QWidget* modal) {
            if (auto* m = qobject_cast<QMessageBox*>(modal))
                caixa = m->text();
            QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
        });
        w.abrir(ruim);
    }
    std::cerr.rdbuf(anterior);
    EXPECT_FALSE(caixa.isEmpty());
    EXPECT_EQ(caixa.toStdString() + "\n", erro.str());
    EXPECT_EQ(cena().size(), 1u);
}

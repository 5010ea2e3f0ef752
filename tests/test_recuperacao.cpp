// No work lost to a crash: the copy of an unsaved scene, and how the next window offers it back.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "comandosdecena.h"
#include "documentodecena.h"
#include "janelaprincipal.h"
#include "poligono.h"
#include "recuperacao.h"
#include "reta.h"
#include "xmldacena.h"

namespace {

QStringList copias(const QString& pasta)
{
    return QDir(pasta).entryList({QStringLiteral("recuperacao-*.xml")}, QDir::Files);
}

// Runs the event loop until pronto() holds, for at most a minute: the verdict is the condition's,
// never the time it took.
template <typename Condicao>
bool esperar(Condicao pronto)
{
    QElapsedTimer relogio;
    relogio.start();
    while (!pronto() && relogio.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pronto();
}

// The scene as the save command writes it: equal texts are equal scenes, camera included.
std::string retrato(const DocumentoDeCena& documento)
{
    TiXmlPrinter impressora;
    XmlDaCena::documento(*documento.janela(), *documento.displayFile())->Accept(&impressora);
    return impressora.Str();
}

std::string conteudo(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string("(não abriu)");
}

void adicionarPonto(DocumentoDeCena& documento, const char* nome, double x)
{
    std::vector<std::unique_ptr<Objeto>> novos;
    novos.emplace_back(new Ponto(nome, Cor(), Coordenada(x, 0, 0)));
    documento.pilhaDeDesfazer()->push(
        new ComandoAdicionar(documento, documento.quantidade(), std::move(novos), QStringLiteral("Adicionar")));
}

QAbstractButton* botao(QMessageBox* caixa, const QString& texto)
{
    for (QAbstractButton* b : caixa->buttons())
        if (b->text() == texto)
            return b;
    return nullptr;
}

// A document with unsaved changes and its copy on disk, under a name no running process holds: what a
// process that died leaves behind.
QString deixarOrfa(const QString& pasta, const QString& arquivo, const char* nome, const char* orfa)
{
    DocumentoDeCena documento;
    documento.definirArquivo(arquivo);
    adicionarPonto(documento, nome, 1);
    Recuperacao recuperacao(documento, nullptr, pasta);
    recuperacao.salvarCopia();
    const QString caminho = pasta + QLatin1Char('/') + QLatin1String(orfa);
    EXPECT_TRUE(QFile::copy(recuperacao.copia(), caminho));
    return caminho;
}

// A window just shown, whose document is offered what pasta holds.
struct NovaJanela {
    explicit NovaJanela(const QString& pasta) : recuperacao(documento, nullptr, pasta)
    {
        janela.show();
        recuperacao.oferecer(&janela);
    }
    QMessageBox* caixa(const char* nome) const { return janela.findChild<QMessageBox*>(QString::fromLatin1(nome)); }

    QWidget janela;
    DocumentoDeCena documento;
    Recuperacao recuperacao;
};

void mudarHora(const QString& caminho, int segundos)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(segundos), QFileDevice::FileModificationTime));
}

} // namespace

// Catches a copy that is never written, written where the next window does not look, offered as an
// undoable load, not marked as unsaved, without its file, or left behind once adopted. The file name
// holds a control character, which no XML reader would take raw.
TEST(Recuperacao, CenaDeUmProcessoMortoVoltaNaProximaJanela)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QString::fromUtf8("casa \x01 ção.xml"));
    {
        DocumentoDeCena inicial;
        adicionarPonto(inicial, "já salvo", 5);
        ArquivoDeCena::salvar(arquivo, *XmlDaCena::documento(*inicial.janela(), *inicial.displayFile()));
    }
    const QString esperado = pasta.filePath(QStringLiteral("esperado.xml"));
    QProcess filho;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("VELK_RECUPERACAO_CENA"), arquivo);
    ambiente.insert(QStringLiteral("VELK_RECUPERACAO_RETRATO"), esperado);
    filho.setProcessEnvironment(ambiente);
    filho.setProcessChannelMode(QProcess::MergedChannels);
    filho.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=Recuperacao.ProcessoQueVaiMorrer")});
    const bool pronto = esperar([&] { return QFileInfo::exists(esperado) || filho.state() == QProcess::NotRunning; });
    filho.kill();
    ASSERT_TRUE(filho.waitForFinished(60000));
    ASSERT_TRUE(pronto && QFileInfo::exists(esperado)) << filho.readAll().toStdString();
    EXPECT_EQ(filho.exitStatus(), QProcess::CrashExit);

    const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QStringList deixadas = copias(dados);
    ASSERT_EQ(deixadas.size(), 1);
    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), dados + QLatin1Char('/') + deixadas[0]});
    ASSERT_TRUE(xmllint.waitForFinished(60000));
    EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAll().toStdString();

    {
        MainWindow w;
        auto* pergunta = w.findChild<QMessageBox*>(QStringLiteral("perguntaDeRecuperacao"));
        ASSERT_NE(pergunta, nullptr);
        const QString texto = pergunta->text();
        EXPECT_TRUE(texto.contains(QString::fromUtf8("Recuperar a cena não salva?")));
        EXPECT_TRUE(texto.contains(QString::fromUtf8("casa \\x01 ção.xml"))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(QRegularExpression(QString::fromUtf8("\\d\\d/\\d\\d/\\d{4} às \\d\\d:\\d\\d"))))
            << texto.toStdString();
        ASSERT_NE(botao(pergunta, QStringLiteral("Descartar")), nullptr);
        QAbstractButton* recuperar = botao(pergunta, QStringLiteral("Recuperar"));
        ASSERT_NE(recuperar, nullptr);
        EXPECT_EQ(pergunta->defaultButton(), recuperar);
        QTest::mouseClick(recuperar, Qt::LeftButton);
        QCoreApplication::processEvents();

        DocumentoDeCena& documento = w.documento();
        EXPECT_EQ(retrato(documento), conteudo(esperado));
        EXPECT_EQ(documento.arquivo(), arquivo);
        EXPECT_TRUE(documento.modificado());
        EXPECT_TRUE(w.isWindowModified());
        EXPECT_FALSE(documento.pilhaDeDesfazer()->canUndo());
        w.activateWindow();
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(retrato(documento), conteudo(esperado));
        // Adopted: this window's own copy replaces the orphan.
        const QStringList agora = copias(dados);
        ASSERT_EQ(agora.size(), 1);
        EXPECT_NE(agora[0], deixadas[0]);
    }
    // A clean exit leaves nothing to offer.
    EXPECT_EQ(copias(dados), QStringList());
}

// The child of the test above: edits a scene opened from a file, waits for its copy, leaves what
// the scene is for the parent, and waits to be killed.
TEST(Recuperacao, ProcessoQueVaiMorrer)
{
    const QString arquivo = qEnvironmentVariable("VELK_RECUPERACAO_CENA");
    if (arquivo.isEmpty())
        GTEST_SKIP() << "só roda como processo filho (acima)";
    MainWindow w;
    mostrada(w);
    w.abrir(arquivo);
    std::vector<std::unique_ptr<Objeto>> novos;
    novos.emplace_back(new Reta("r", Cor(10, 20, 30), Coordenada(0.1, 0.2, 0.3), Coordenada(1e-300, -7, 1.0 / 3)));
    novos.emplace_back(new Poligono("Polígono ç", Cor(), {Coordenada(0, 0, 0), Coordenada(2, 0, 0), Coordenada(0, 2, 0)}, true));
    w.adicionarObjetos(std::move(novos), QStringLiteral("Adicionar"));
    w.documento().rodar(12.5, -40, 3);
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_TRUE(esperar([&] { return !copias(dados).isEmpty(); }));
    ArquivoDeCena::salvar(qEnvironmentVariable("VELK_RECUPERACAO_RETRATO"),
                          *XmlDaCena::documento(*w.documento().janela(), *w.documento().displayFile()));
    esperar([] { return false; });
}

// Catches a copy named after the process alone (two documents would write one file) and an offer
// that ignores the lock of a process that still runs.
TEST(Recuperacao, CopiaDeUmDocumentoVivoNaoEOferecidaNemApagada)
{
    QTemporaryDir pasta;
    DocumentoDeCena a;
    DocumentoDeCena b;
    Recuperacao ra(a, nullptr, pasta.path());
    Recuperacao rb(b, nullptr, pasta.path());
    adicionarPonto(a, "a", 1);
    adicionarPonto(b, "b", 2);
    ra.salvarCopia();
    rb.salvarCopia();
    EXPECT_NE(ra.copia(), rb.copia());
    EXPECT_EQ(copias(pasta.path()).size(), 2);

    const NovaJanela c(pasta.path());
    EXPECT_EQ(c.janela.findChild<QMessageBox*>(), nullptr);
    EXPECT_EQ(copias(pasta.path()).size(), 2);
}

// Catches a copy kept (or written) for a scene that is its file again, and one left by a clean exit.
TEST(Recuperacao, CopiaSaiQuandoACenaVoltaAoArquivoOuODocumentoAcaba)
{
    QTemporaryDir pasta;
    DocumentoDeCena d;
    auto r = std::make_unique<Recuperacao>(d, nullptr, pasta.path());
    adicionarPonto(d, "p", 1);
    r->salvarCopia();
    ASSERT_TRUE(QFileInfo::exists(r->copia()));
    d.pilhaDeDesfazer()->undo();
    EXPECT_FALSE(QFileInfo::exists(r->copia()));
    r->salvarCopia();
    EXPECT_FALSE(QFileInfo::exists(r->copia()));

    d.pilhaDeDesfazer()->redo();
    r->salvarCopia();
    ASSERT_TRUE(QFileInfo::exists(r->copia()));
    d.marcarSalvo();
    EXPECT_FALSE(QFileInfo::exists(r->copia()));

    adicionarPonto(d, "q", 2);
    r->salvarCopia();
    const QString copia = r->copia();
    ASSERT_TRUE(QFileInfo::exists(copia));
    r.reset();
    EXPECT_FALSE(QFileInfo::exists(copia));
}

// Catches a timer restarted by every change (a steady stream of edits would never be copied) and
// changes after the first copy that never reach it.
TEST(Recuperacao, MudancasSeguidasNaoAdiamACopia)
{
    QTemporaryDir pasta;
    DocumentoDeCena d;
    Recuperacao r(d, nullptr, pasta.path());
    QTimer mudancas;
    int n = 0;
    QObject::connect(&mudancas, &QTimer::timeout, [&] { adicionarPonto(d, "p", n++); });
    mudancas.start(Recuperacao::atraso / 20);
    EXPECT_TRUE(esperar([&] { return !copias(pasta.path()).isEmpty(); }));
    mudancas.stop();
    adicionarPonto(d, "último", -1);
    EXPECT_TRUE(esperar([&] { return conteudo(r.copia()).find("último") != std::string::npos; }));
}

// Catches "Descartar" that keeps the orphan (offered again at every start) or touches the scene.
TEST(Recuperacao, DescartarApagaAOrfaENaoMudaACena)
{
    QTemporaryDir pasta;
    deixarOrfa(pasta.path(), QString(), "perdido", "recuperacao-1-1.xml");
    const NovaJanela nova(pasta.path());
    QMessageBox* pergunta = nova.caixa("perguntaDeRecuperacao");
    ASSERT_NE(pergunta, nullptr);
    EXPECT_TRUE(pergunta->text().contains(QStringLiteral("nenhum"))) << pergunta->text().toStdString();
    QTest::mouseClick(botao(pergunta, QStringLiteral("Descartar")), Qt::LeftButton);
    EXPECT_EQ(nova.documento.quantidade(), 0u);
    EXPECT_FALSE(nova.documento.modificado());
    EXPECT_EQ(copias(pasta.path()), QStringList());
}

// Catches a crash or a hang on a broken copy, one reported at every start, and an offer that stops
// at the broken one instead of going on to an older copy that reads.
TEST(Recuperacao, OrfaIlegivelEAvisadaUmaVezEPostaDeLado)
{
    QTemporaryDir pasta;
    mudarHora(deixarOrfa(pasta.path(), QString(), "bom", "recuperacao-1-1.xml"), -3600);
    {
        QFile ruim(pasta.filePath(QStringLiteral("recuperacao-2-1.xml")));
        ASSERT_TRUE(ruim.open(QIODevice::WriteOnly));
        ruim.write("<?xml version=\"1.0\" ?>\n<formas>\n    <window x=");
    }
    const NovaJanela nova(pasta.path());
    QMessageBox* aviso = nova.caixa("avisoDeRecuperacao");
    ASSERT_NE(aviso, nullptr);
    EXPECT_TRUE(aviso->text().contains(QStringLiteral("recuperacao-2-1.xml"))) << aviso->text().toStdString();
    EXPECT_EQ(nova.caixa("perguntaDeRecuperacao"), nullptr);
    QTest::mouseClick(aviso->button(QMessageBox::Ok), Qt::LeftButton);
    QMessageBox* pergunta = nova.caixa("perguntaDeRecuperacao");
    ASSERT_NE(pergunta, nullptr);
    QTest::mouseClick(botao(pergunta, QStringLiteral("Recuperar")), Qt::LeftButton);
    ASSERT_EQ(nova.documento.quantidade(), 1u);
    EXPECT_EQ(nova.documento.objeto(0)->nome(), "bom");

    const NovaJanela outra(pasta.path());
    EXPECT_EQ(outra.janela.findChild<QMessageBox*>(), nullptr);
}

// Catches an offer of a copy older than the last save of its file, and the comparison turned round.
TEST(Recuperacao, SoEOferecidaACopiaMaisNovaQueOArquivo)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("cena.xml"));
    for (const int segundos : {60, -3600}) {
        const QString orfa = deixarOrfa(pasta.path(), arquivo, "p", "recuperacao-1-1.xml");
        mudarHora(arquivo, segundos);
        const NovaJanela nova(pasta.path());
        QMessageBox* pergunta = nova.caixa("perguntaDeRecuperacao");
        if (segundos > 0) {
            EXPECT_EQ(pergunta, nullptr);
            EXPECT_FALSE(QFileInfo::exists(orfa));
        } else {
            ASSERT_NE(pergunta, nullptr);
            EXPECT_TRUE(pergunta->text().contains(QStringLiteral("cena.xml")));
        }
    }
}

// Catches an Esc whose "Descartar" leaves the copy behind: exit() destroys no window, and the next
// start would offer back what the user threw away.
TEST(Recuperacao, EscQueDescartaNaoDeixaCopia)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    EXPECT_EXIT(
        {
            MainWindow w;
            mostrada(w);
            std::vector<std::unique_ptr<Objeto>> novos;
            novos.emplace_back(new Ponto("p", Cor(), Coordenada(1, 1, 0)));
            w.adicionarObjetos(std::move(novos), QStringLiteral("Adicionar"));
            w.findChild<Recuperacao*>(QStringLiteral("recuperacao"))->salvarCopia();
            if (copias(dados).size() != 1)
                std::_Exit(4);
            QTimer descartar;
            QObject::connect(&descartar, &QTimer::timeout, [] {
                if (auto* pergunta = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    pergunta->button(QMessageBox::Discard)->click();
            });
            descartar.start(10);
            QTest::keyClick(&w, Qt::Key_Escape);
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(copias(dados), QStringList());
}

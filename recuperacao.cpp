#include "recuperacao.h"

#include <algorithm>
#include <iostream>
#include <new>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMetaObject>
#include <QMessageBox>
#include <QStandardPaths>
#include <QWidget>


#include "arquivodecena.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "errosdearquivo.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

namespace {

const QString prefixo = QStringLiteral("recuperacao-");
const char* const atributoArquivo = "recuperacao-arquivo";
const char* const atributoHora = "recuperacao-hora";
// Names already tried by this process, which may have several documents, or share its PID with a
// process that died and left its copy.
int nomesTentados = 0;

QString caminhoDaCopia(const QString& pasta, const QString& nome)
{
    return pasta + QLatin1Char('/') + nome + QStringLiteral(".xml");
}

// Hidden, so that the folder lists the copies alone.
QString caminhoDaTrava(const QString& pasta, const QString& nome)
{
    return pasta + QStringLiteral("/.") + nome + QStringLiteral(".lock");
}

// A stale lock is one whose process is gone, however old: a program may run for weeks.
std::unique_ptr<QLockFile> trava(const QString& pasta, const QString& nome)
{
    auto t = std::make_unique<QLockFile>(caminhoDaTrava(pasta, nome));
    t->setStaleLockTime(0);
    return t;
}

// A path can hold characters that XML cannot; in the file it is UTF-8, percent-encoded.
std::string codificar(const QString& caminho)
{
    return caminho.toUtf8().toPercentEncoding("/").toStdString();
}

QString decodificar(const char* texto)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(QByteArray(texto != nullptr ? texto : "")));
}

QString horaLegivel(const QDateTime& hora)
{
    return hora.toLocalTime().toString(QStringLiteral("dd/MM/yyyy 'às' HH:mm:ss"));
}

QString visivel(const QString& caminho)
{
    return QString::fromStdString(ErrosDeArquivo::nome(caminho));
}

// Writes the copy of janela and cena, which belong to arquivo, made at hora, to destino: on any
// thread, for it reads nothing else. The fault, or nothing.
QString escrever(const QString& destino, const Window& janela, const DisplayFile& cena, const QString& arquivo,
                 const QDateTime& hora)
{
    try {
        ArquivoDeCena::salvar(destino, janela, cena,
                              {{atributoArquivo, codificar(arquivo)},
                               {atributoHora, hora.toString(Qt::ISODateWithMs).toStdString()}});
        return QString();
    } catch (const std::string& erro) {
        return QString::fromStdString(erro);
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("Recuperacao", "falta memória.");
    }
}

} // namespace

struct Recuperacao::Orfa {
    // Reads the copy at caminho; throws as a scene file's reading does.
    void ler();

    QString caminho;
    std::unique_ptr<QLockFile> trava;
    QDateTime hora;
    QString arquivo;
    DisplayFile cena;
    Window camera = Viewport::cameraInicial();
};

void Recuperacao::Orfa::ler()
{
    // Read as a scene file is, in pieces: a copy can be as large as any scene.
    ArquivoDeCena::Atributos atributos;
    ArquivoDeCena::carregar(caminho, camera, cena, atributos);
    const auto valor = [&atributos](const char* nome) {
        const auto a = std::find_if(atributos.begin(), atributos.end(), [nome](const auto& par) { return par.first == nome; });
        return a != atributos.end() ? a->second.c_str() : nullptr;
    };
    arquivo = decodificar(valor(atributoArquivo));
    hora = QDateTime::fromString(QString::fromUtf8(valor(atributoHora)), Qt::ISODateWithMs);
    if (!hora.isValid())
        hora = QFileInfo(caminho).lastModified();
}

Recuperacao::Recuperacao(DocumentoDeCena& documento, QObject* parent, const QString& pasta)
    : QObject(parent), _documento(documento),
      _pasta(!pasta.isEmpty() ? pasta : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
{
    _relogio.setSingleShot(true);
    _relogio.setInterval(atraso);
    connect(&_relogio, &QTimer::timeout, this, &Recuperacao::salvarAoFundo);
    connect(&documento, &DocumentoDeCena::alterado, this, &Recuperacao::agendar);
    connect(&documento, &DocumentoDeCena::modificacaoAlterada, this, [this](bool modificado) {
        if (modificado)
            agendar();
        else
            removerCopia();
    });
}

Recuperacao::~Recuperacao()
{
    removerCopia();
}

QString Recuperacao::copia() const
{
    return _nome.isEmpty() ? QString() : caminhoDaCopia(_pasta, _nome);
}

void Recuperacao::agendar()
{
    if (_documento.modificado() && !_relogio.isActive())
        _relogio.start();
}

void Recuperacao::esperarEscritor()
{
    if (_escritor.joinable())
        _escritor.join();
}

void Recuperacao::removerCopia()
{
    _relogio.stop();
    // A write under way would bring the copy back after its removal.
    esperarEscritor();
    _deNovo = false;
    if (!_nome.isEmpty())
        QFile::remove(copia());
}

void Recuperacao::descartarCopia()
{
    removerCopia();
    _trava.reset();
    _nome.clear();
}

void Recuperacao::falhar(const QString& motivo)
{
    if (_falhando)
        return;
    _falhando = true;
    const QString mensagem = tr("A cópia de recuperação da cena não pôde ser guardada: %1").arg(motivo);
    std::cerr << mensagem.toStdString() << std::endl;
    emit falhou(mensagem);
}

bool Recuperacao::travar()
{
    if (_trava)
        return true;
    if (_pasta.isEmpty() || !QDir().mkpath(_pasta)) {
        falhar(tr("a pasta '%1' não pôde ser criada.").arg(visivel(_pasta)));
        return false;
    }
    const QString processo = QString::number(QCoreApplication::applicationPid());
    // A name whose copy is there belongs to a dead process with this PID: it waits to be offered.
    for (int tentativas = 0; tentativas < 1000; ++tentativas) {
        const QString nome = prefixo + processo + QLatin1Char('-') + QString::number(++nomesTentados);
        if (QFileInfo::exists(caminhoDaCopia(_pasta, nome)))
            continue;
        std::unique_ptr<QLockFile> t = trava(_pasta, nome);
        if (t->tryLock(0)) {
            _nome = nome;
            _trava = std::move(t);
            return true;
        }
        if (t->error() != QLockFile::LockFailedError)
            break;
    }
    falhar(tr("não foi possível criar uma trava na pasta '%1'.").arg(visivel(_pasta)));
    return false;
}

void Recuperacao::salvarCopia()
{
    _relogio.stop();
    esperarEscritor();
    if (!_documento.modificado() || !travar())
        return;
    concluir(escrever(copia(), *_documento.janela(), *_documento.displayFile(), _documento.arquivo(),
                      QDateTime::currentDateTimeUtc()));
}

void Recuperacao::salvarAoFundo()
{
    if (_escritor.joinable()) {
        _deNovo = true;
        return;
    }
    if (!_documento.modificado() || !travar())
        return;
    try {
        // The copy of the scene is cheap beside writing it, which may wait long on a busy disk.
        DisplayFile cena = *_documento.displayFile();
        _escritor = std::thread([this, destino = copia(), janela = *_documento.janela(), cena = std::move(cena),
                                 arquivo = _documento.arquivo(), hora = QDateTime::currentDateTimeUtc()] {
            const QString erro = escrever(destino, janela, cena, arquivo, hora);
            QMetaObject::invokeMethod(this, [this, erro] { concluir(erro); }, Qt::QueuedConnection);
        });
    } catch (const std::bad_alloc&) {
        falhar(tr("falta memória."));
    } catch (const std::system_error& erro) {
        falhar(QString::fromLocal8Bit(erro.what()));
    }
}

void Recuperacao::concluir(const QString& erro)
{
    esperarEscritor();
    if (!erro.isEmpty()) {
        falhar(erro);
        return;
    }
    _falhando = false;
    // Changes that came while the copy was written.
    if (std::exchange(_deNovo, false))
        salvarAoFundo();
}

// --- orphans ------------------------------------------------------------------------------------

// Set aside, so that it is reported once, and kept for whoever wants to look into it.
QString Recuperacao::porDeLado(const QString& caminho, const QString& erro)
{
    const QString aparte = caminho + QStringLiteral(".ilegivel");
    QFile::remove(aparte);
    const bool guardada = QFile::rename(caminho, aparte);
    return tr("Uma cópia de recuperação não pôde ser lida: %1\n%2")
        .arg(erro, guardada ? tr("Ela foi guardada como '%1'.").arg(visivel(aparte))
                            : tr("Ela ficou em '%1'.").arg(visivel(caminho)));
}

std::unique_ptr<Recuperacao::Orfa> Recuperacao::procurarOrfa(QStringList& ilegiveis) const
{
    QFileInfoList copias = QDir(_pasta).entryInfoList({prefixo + QStringLiteral("*.xml")}, QDir::Files);
    std::stable_sort(copias.begin(), copias.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() > b.lastModified(); });
    for (const QFileInfo& info : copias) {
        const QString nome = info.completeBaseName();
        if (nome == _nome)
            continue;
        auto orfa = std::make_unique<Orfa>();
        orfa->caminho = info.filePath();
        // Held by a running process; or gone meanwhile, its process having ended cleanly.
        orfa->trava = trava(_pasta, nome);
        if (!orfa->trava->tryLock(0) || !QFileInfo::exists(orfa->caminho))
            continue;
        try {
            orfa->ler();
        } catch (const std::string& erro) {
            ilegiveis << porDeLado(orfa->caminho, QString::fromStdString(erro));
            continue;
        } catch (const std::bad_alloc&) {
            ilegiveis << porDeLado(orfa->caminho, tr("falta memória para lê-la."));
            continue;
        }
        // Saved since: the file holds newer work than the copy.
        const QFileInfo arquivo(orfa->arquivo);
        if (!orfa->arquivo.isEmpty() && arquivo.exists() && arquivo.lastModified() > orfa->hora) {
            std::cerr << tr("A cópia de recuperação '%1' é anterior à última gravação de '%2' e foi removida.")
                             .arg(visivel(orfa->caminho), visivel(orfa->arquivo))
                             .toStdString()
                      << std::endl;
            QFile::remove(orfa->caminho);
            continue;
        }
        return orfa;
    }
    return nullptr;
}

void Recuperacao::oferecer(QWidget* janela)
{
    QStringList ilegiveis;
    _orfa = procurarOrfa(ilegiveis);
    if (ilegiveis.isEmpty()) {
        if (_orfa)
            perguntar(janela);
        return;
    }
    for (const QString& nota : ilegiveis)
        std::cerr << nota.toStdString() << std::endl;
    auto* aviso = new QMessageBox(QMessageBox::Warning, tr("Recuperar cena"), ilegiveis.join(QStringLiteral("\n\n")),
                                  QMessageBox::Ok, janela);
    aviso->setObjectName(QStringLiteral("avisoDeRecuperacao"));
    aviso->setTextFormat(Qt::PlainText);
    aviso->setAttribute(Qt::WA_DeleteOnClose);
    connect(aviso, &QMessageBox::finished, this, [this, janela] {
        if (_orfa)
            perguntar(janela);
    });
    aviso->open();
}

void Recuperacao::perguntar(QWidget* janela)
{
    const QString arquivo = _orfa->arquivo.isEmpty() ? tr("nenhum (a cena ainda não tinha sido salva)")
                                                     : QStringLiteral("'") + visivel(_orfa->arquivo) + QStringLiteral("'");
    const QString texto = tr("Recuperar a cena não salva?\n\n"
                             "O programa terminou sem salvar as alterações de uma cena. "
                             "A cópia de recuperação é de %1.\nArquivo: %2")
                              .arg(horaLegivel(_orfa->hora), arquivo);
    auto* pergunta = new QMessageBox(QMessageBox::Question, tr("Recuperar cena"), texto,
                                     QMessageBox::Yes | QMessageBox::Discard, janela);
    pergunta->setObjectName(QStringLiteral("perguntaDeRecuperacao"));
    pergunta->setTextFormat(Qt::PlainText);
    pergunta->setAttribute(Qt::WA_DeleteOnClose);
    pergunta->button(QMessageBox::Yes)->setText(tr("Recuperar"));
    pergunta->button(QMessageBox::Discard)->setText(tr("Descartar"));
    pergunta->setDefaultButton(QMessageBox::Yes);
    connect(pergunta, &QMessageBox::finished, this, [this, pergunta] {
        if (!_orfa)
            return;
        const QMessageBox::StandardButton resposta = pergunta->standardButton(pergunta->clickedButton());
        if (resposta == QMessageBox::Yes)
            recuperar();
        else if (resposta == QMessageBox::Discard)
            QFile::remove(_orfa->caminho);
        // Unanswered, it waits for another start.
        _orfa.reset();
    });
    pergunta->open();
}

void Recuperacao::recuperar()
{
    _documento.trocar(_orfa->cena, _orfa->camera, _orfa->arquivo);
    _documento.marcarNaoSalvo();
    // The orphan goes only once this document's own copy holds its scene.
    salvarCopia();
    if (!_falhando && !_nome.isEmpty())
        QFile::remove(_orfa->caminho);
}

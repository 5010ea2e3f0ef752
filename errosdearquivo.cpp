#include "errosdearquivo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include <QFile>
#include <QFileInfo>

#include <tinyxml.h>

#include "formatoxml.h"

namespace ErrosDeArquivo {

std::string motivo(int erro)
{
    switch (erro) {
    case EACCES:
    case EPERM:
        return "permissão negada";
    case ENOENT:
        return "o arquivo ou a pasta não existe";
    case ENOTDIR:
        return "um dos nomes do caminho não é uma pasta";
    case EISDIR:
        return "é uma pasta";
    case ENOSPC:
        return "não há mais espaço no disco";
    case EDQUOT:
        return "a cota de disco do usuário acabou";
    case EROFS:
        return "o disco só permite leitura";
    case EIO:
        return "erro de leitura ou escrita no disco";
    case ENAMETOOLONG:
        return "o nome é longo demais";
    case ELOOP:
        return "há links simbólicos demais no caminho";
    case EMFILE:
    case ENFILE:
        return "há arquivos abertos demais";
    case ENOMEM:
        return "não há memória suficiente";
    case EFBIG:
        return "o arquivo ficaria grande demais";
    case EBUSY:
    case ETXTBSY:
        return "o arquivo está em uso";
    case ESTALE:
        return "o arquivo sumiu do servidor de rede";
    case EINVAL:
        return "o sistema recusou a operação";
    default:
        return "erro número " + std::to_string(erro) + " do sistema";
    }
}

std::string nome(const QString& caminho)
{
    return FormatoXml::textoVisivel(caminho.toStdString(), std::string::npos);
}

std::string doArquivo(const QString& caminho, const std::string& frase)
{
    return "O arquivo '" + nome(caminho) + "' " + frase + ".";
}

std::string grandeDemais(long long limite)
{
    return "tem mais de " + std::to_string(limite / (1024 * 1024)) + " MiB, mais do que o programa lê";
}

namespace {

FalhaDeLeitura naoPodeSerLido(int erro)
{
    if (erro == ENOENT || erro == ENOTDIR)
        return {"não existe"};
    return {"não pôde ser lido: " + motivo(erro)};
}

void exigirArquivoComum(const struct stat& info, long long limite)
{
    if (S_ISDIR(info.st_mode))
        throw FalhaDeLeitura{"é uma pasta, não um arquivo"};
    if (!S_ISREG(info.st_mode))
        throw FalhaDeLeitura{"não é um arquivo comum"};
    if (info.st_size > limite)
        throw FalhaDeLeitura{grandeDemais(limite)};
    if (info.st_size == 0)
        throw FalhaDeLeitura{"está vazio"};
}

} // namespace

QByteArray lerTudo(const QString& caminho, long long limite)
{
    const QByteArray local = QFile::encodeName(caminho);
    struct stat info {};
    if (::stat(local.constData(), &info) != 0)
        throw naoPodeSerLido(errno);
    exigirArquivoComum(info, limite);
    // Without blocking, should a FIFO have taken the file's place since; checked again once open.
    const int fd = ::open(local.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw naoPodeSerLido(errno);
    struct Fechar {
        int fd;
        ~Fechar() { ::close(fd); }
    } fechar{fd};
    if (::fstat(fd, &info) != 0)
        throw naoPodeSerLido(errno);
    exigirArquivoComum(info, limite);

    // Its size and one byte more, to tell a file that grew since; more room, up to the limit, if it did.
    QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
    qsizetype lidos = 0;
    for (;;) {
        if (lidos == bytes.size()) {
            if (lidos > limite)
                throw FalhaDeLeitura{grandeDemais(limite)};
            bytes.resize(static_cast<qsizetype>(std::min<long long>(limite + 1, 2LL * bytes.size())));
        }
        const ssize_t n = ::read(fd, bytes.data() + lidos, static_cast<std::size_t>(bytes.size() - lidos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw naoPodeSerLido(errno);
        if (n == 0)
            break;
        lidos += n;
    }
    if (lidos > limite)
        throw FalhaDeLeitura{grandeDemais(limite)};
    if (lidos == 0)
        throw FalhaDeLeitura{"está vazio"};
    bytes.truncate(lidos);
    return bytes;
}

std::string motivoAoCriar(const QString& caminho, int erro)
{
    const QFileInfo info(caminho);
    const QByteArray pasta = QFile::encodeName(info.absolutePath());
    struct stat dados {};
    if (::stat(pasta.constData(), &dados) != 0 || !S_ISDIR(dados.st_mode))
        return "a pasta '" + nome(info.absolutePath()) + "' não existe";
    if (::access(pasta.constData(), W_OK) != 0)
        return motivo(errno) + " na pasta '" + nome(info.absolutePath()) + "'";
    const QByteArray arquivo = QFile::encodeName(info.absoluteFilePath());
    if (::stat(arquivo.constData(), &dados) == 0) {
        if (S_ISDIR(dados.st_mode))
            return "já existe uma pasta com esse nome";
        if (::access(arquivo.constData(), W_OK) != 0)
            return motivo(errno);
    }
    return motivo(erro);
}

namespace {

std::string oQueHa(int erro, const std::string& elementoAberto)
{
    switch (erro) {
    case TiXmlBase::TIXML_ERROR_PARSING_ELEMENT:
        return "uma tag está mal escrita: um atributo repetido ou sem aspas, ou a tag não termina com '>'";
    case TiXmlBase::TIXML_ERROR_FAILED_TO_READ_ELEMENT_NAME:
        return "falta o nome da tag depois de '<'";
    case TiXmlBase::TIXML_ERROR_READING_ELEMENT_VALUE:
        return "o texto dentro de um elemento está mal escrito";
    case TiXmlBase::TIXML_ERROR_READING_ATTRIBUTES:
        return "um atributo está mal escrito (falta o '=' ou uma aspa), ou a tag não termina com '>'";
    case TiXmlBase::TIXML_ERROR_PARSING_EMPTY:
        return "uma tag sem conteúdo deve terminar com '/>'";
    case TiXmlBase::TIXML_ERROR_READING_END_TAG:
        return elementoAberto.empty() ? "falta a tag que fecha um elemento"
                                      : "a tag <" + elementoAberto + "> não foi fechada";
    case TiXmlBase::TIXML_ERROR_PARSING_UNKNOWN:
        return "uma marcação que começa com '<' não termina com '>'";
    case TiXmlBase::TIXML_ERROR_PARSING_COMMENT:
        return "um comentário ('<!--') não termina com '-->'";
    case TiXmlBase::TIXML_ERROR_PARSING_DECLARATION:
        return "a declaração '<?xml … ?>' está mal escrita";
    case TiXmlBase::TIXML_ERROR_EMBEDDED_NULL:
        return "o texto termina no meio de uma marcação";
    case TiXmlBase::TIXML_ERROR_PARSING_CDATA:
        return "uma seção CDATA não termina com ']]>'";
    default:
        return "erro de XML número " + std::to_string(erro);
    }
}

} // namespace

std::string xmlMalFormado(const QString& caminho, int erroDoTinyXml, int linha, int coluna,
                          const std::string& elementoAberto)
{
    // Only white space: nothing to point at.
    if (erroDoTinyXml == TiXmlBase::TIXML_ERROR_DOCUMENT_EMPTY)
        return doArquivo(caminho, "está vazio");
    std::string onde;
    if (linha > 0)
        onde = "Linha " + std::to_string(linha) + ", coluna " + std::to_string(coluna) + ": ";
    return doArquivo(caminho, "não é XML bem formado") + " " + onde + oQueHa(erroDoTinyXml, elementoAberto) + ".";
}

} // namespace ErrosDeArquivo

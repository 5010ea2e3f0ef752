#include "arquivodecena.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string_view>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>

#include <tinyxml.h>

#include "displayfile.h"
#include "errosdearquivo.h"
#include "formatoxml.h"
#include "leituraempedacos.h"
#include "objeto.h"
#include "saidaemtexto.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

namespace ArquivoDeCena {
namespace {

const char* const erroDesconhecido = "Erro desconhecido.";

bool mesmoNome(std::string_view a, std::initializer_list<std::string_view> nomes)
{
    for (const std::string_view b : nomes)
        if (a.size() == b.size()
            && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::toupper(static_cast<unsigned char>(x)) == y; }))
            return true;
    return false;
}

// The encoding that an XML declaration at the start of bytes names (as TinyXML reads one: in any
// case, after white space), or nothing.
std::string_view codificacaoDeclarada(std::string_view t)
{
    if (t.substr(0, 3) == "\xEF\xBB\xBF")
        t.remove_prefix(3);
    const std::size_t inicio = t.find_first_not_of(" \t\r\n");
    if (inicio == std::string_view::npos || !mesmoNome(t.substr(inicio, 5), {"<?XML"}))
        return {};
    const std::string_view declaracao = t.substr(inicio, t.find('>', inicio) - inicio);
    for (std::size_t i = 5; i + 8 <= declaracao.size(); ++i) {
        if (!mesmoNome(declaracao.substr(i, 8), {"ENCODING"}))
            continue;
        std::size_t j = declaracao.find_first_not_of(" \t\n", i + 8);
        if (j == std::string_view::npos || declaracao[j] != '=')
            return {};
        j = declaracao.find_first_not_of(" \t\n", j + 1);
        if (j == std::string_view::npos || (declaracao[j] != '"' && declaracao[j] != '\''))
            return {};
        const std::size_t fim = declaracao.find(declaracao[j], j + 1);
        return declaracao.substr(j + 1, fim == std::string_view::npos ? std::string_view::npos : fim - j - 1);
    }
    return {};
}

// The file as UTF-8, the only text TinyXML and the program read: converted from UTF-16 (by its
// byte-order mark) or ISO-8859-1 (by its declaration), refused in any other encoding.
QByteArray emUtf8(const QByteArray& bytes)
{
    const std::string_view t(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const auto comeca = [&t](std::string_view marca) { return t.substr(0, marca.size()) == marca; };
    using namespace std::string_view_literals;
    if (comeca("\xFF\xFE\0\0"sv) || comeca("\0\0\xFE\xFF"sv))
        throw std::string("O arquivo está em UTF-32, que o programa não lê, e não foi carregado.");
    if (comeca("\xFF\xFE"sv) || comeca("\xFE\xFF"sv)) {
        QStringDecoder utf16(comeca("\xFF\xFE"sv) ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString texto = utf16(bytes);
        if (utf16.hasError())
            throw std::string("O arquivo está em UTF-16 mas tem bytes que não formam caracteres, e não foi carregado.");
        return texto.toUtf8();
    }
    if (comeca("<\0?\0"sv) || comeca("\0<\0?"sv))
        throw std::string("O arquivo parece estar em UTF-16 sem a marca de ordem de bytes, que o programa exige, e não foi "
                          "carregado.");
    const std::string_view codificacao = codificacaoDeclarada(t);
    if (codificacao.empty() || mesmoNome(codificacao, {"UTF-8", "UTF8", "US-ASCII", "ASCII"}))
        return bytes;
    if (mesmoNome(codificacao, {"ISO-8859-1", "ISO_8859-1", "ISO8859-1", "ISO_8859-1:1987", "LATIN1", "LATIN-1", "L1",
                                "ISO-IR-100", "CP819", "IBM819", "CSISOLATIN1"})) {
        if (comeca("\xEF\xBB\xBF"))
            throw "O arquivo começa com a marca de UTF-8 mas declara a codificação "
                + FormatoXml::textoVisivel(std::string(codificacao)) + ", e não foi carregado.";
        return QString::fromLatin1(bytes).toUtf8();
    }
    throw "O arquivo declara a codificação \"" + FormatoXml::textoVisivel(std::string(codificacao))
        + "\", que o programa não lê (só UTF-8, ISO-8859-1 e UTF-16 com marca de ordem de bytes), e não foi carregado.";
}

// Syncs the directory where the file at caminho now has its name (where QSaveFile put it, past any
// link): 0, or the errno of what failed. A file system that cannot sync a directory (EINVAL) has
// nothing to sync there.
int sincronizarPasta(const QString& caminho)
{
    const QFileInfo info(caminho);
    const QString alvo = info.canonicalFilePath();
    const QByteArray pasta = QFile::encodeName(QFileInfo(alvo.isEmpty() ? info.absoluteFilePath() : alvo).absolutePath());
    const int fd = ::open(pasta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int erro = ::fsync(fd) != 0 && errno != EINVAL ? errno : 0;
    ::close(fd);
    return erro;
}

// Where the text ends, as TinyXML counts lines and columns: from 1, a tab to the next multiple of
// tabulacao, a multi-byte character as one column.
void fimDoTexto(const std::string& texto, int& linha, int& coluna)
{
    const std::string_view t(texto.c_str());
    linha = 1 + static_cast<int>(std::count(t.begin(), t.end(), '\n'));
    const std::size_t inicio = t.rfind('\n') == std::string_view::npos ? 0 : t.rfind('\n') + 1;
    int c = 0;
    for (std::size_t i = inicio; i < t.size(); ++i) {
        if (t[i] == '\t')
            c = (c / tabulacao + 1) * tabulacao;
        else if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80)
            ++c;
    }
    coluna = c + 1;
}

} // namespace

namespace {

// The file at caminho, whole. Throws "Erro desconhecido." when the name is empty (a cancelled
// dialog), and what ErrosDeArquivo says of it otherwise.
QByteArray bytesDe(const QString& caminho)
{
    if (caminho.isEmpty())
        throw std::string(erroDesconhecido);
    try {
        return ErrosDeArquivo::lerTudo(caminho, tamanhoMaximo);
    } catch (const ErrosDeArquivo::FalhaDeLeitura& falha) {
        throw ErrosDeArquivo::doArquivo(caminho, falha.frase);
    }
}

// What lerConteudo checks before TinyXML parses: the text TinyXML is handed, with the scan that
// retraced its reading (heard by observador, when given) in e.
std::string textoVerificado(const QByteArray& bytes, const QString& caminho, Estrutura& e,
                            ObservadorDaVarredura* observador)
{
    if (bytes.size() > tamanhoMaximo)
        throw ErrosDeArquivo::doArquivo(caminho, ErrosDeArquivo::grandeDemais(tamanhoMaximo));
    std::string texto = textoParaOTinyXml(emUtf8(bytes));
    e = estrutura(texto, profundidadeMaxima, observador);
    if (e.profundidade > profundidadeMaxima)
        throw "O arquivo tem elementos aninhados em mais de " + std::to_string(profundidadeMaxima)
            + " níveis e não foi carregado.";
    if (e.linhaDoElemento > 0)
        throw "Linha " + std::to_string(e.linhaDoElemento) + ": <" + e.elementoComAtributosDemais + "> tem mais de "
            + std::to_string(atributosMaximos) + " atributos, e o arquivo não foi carregado.";
    if (e.linhaDeTextoSolto > 0)
        throw "Linha " + std::to_string(e.linhaDeTextoSolto) + ": "
            + (e.subconjuntoInterno ? "o <!DOCTYPE> tem um subconjunto interno ([…]), que o programa não lê"
                                    : "há texto fora do elemento raiz")
            + ", e o arquivo não foi carregado.";
    return texto;
}

// TinyXML's parse of the whole text that textoVerificado made, or the fault it finds.
void analisarInteiro(const std::string& texto, const Estrutura& e, TiXmlDocument& doc, const QString& caminho)
{
    // The text is UTF-8 by now, whatever the declaration says, as every string of the program is;
    // and so the one mode in which the bytes above were checked.
    doc.SetTabSize(tabulacao);
    doc.Parse(texto.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error()) {
        int erro = doc.ErrorId();
        int linha = doc.ErrorRow();
        int coluna = doc.ErrorCol();
        // A text that ends inside an element leaves TinyXML with no place to name: the place is its
        // end, and the fault the end tag that never came.
        if (linha <= 0 && !e.elementoAberto.empty()) {
            erro = TiXmlBase::TIXML_ERROR_READING_END_TAG;
            fimDoTexto(texto, linha, coluna);
        }
        throw ErrosDeArquivo::xmlMalFormado(caminho, erro, linha, coluna, e.elementoAberto);
    }
}

} // namespace

void ler(const QString& caminho, TiXmlDocument& doc)
{
    lerConteudo(bytesDe(caminho), doc, caminho);
}

std::string textoParaOTinyXml(const QByteArray& bytes)
{
    std::string texto;
    texto.reserve(static_cast<std::size_t>(bytes.size()) + 4);
    // Up to the first NUL, each CR LF and lone CR made LF; whole runs without a CR at once.
    const char* p = bytes.constData();
    const char* const nulo = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(bytes.size())));
    const char* const fim = nulo != nullptr ? nulo : p + bytes.size();
    while (p < fim) {
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(fim - p)));
        if (cr == nullptr)
            cr = fim;
        texto.append(p, cr);
        if (cr == fim)
            break;
        texto += '\n';
        p = cr + 1;
        if (p < fim && *p == '\n')
            ++p;
    }
    // A lead byte in the last place sends TinyXML three bytes past the end of the text.
    texto.append(4, '\0');
    return texto;
}

void lerConteudo(const QByteArray& bytes, TiXmlDocument& doc, const QString& caminho)
{
    Estrutura e;
    const std::string texto = textoVerificado(bytes, caminho, e, nullptr);
    analisarInteiro(texto, e, doc, caminho);
}

TiXmlElement* raiz(TiXmlDocument& doc)
{
    // The root element: a comment or instruction that happens to read "formas" is not one.
    TiXmlElement* formas = doc.FirstChildElement("formas");
    if (!formas)
        throw std::string("Tag raiz 'formas' ausente.");
    return formas;
}

void carregar(const QString& caminho, Viewport& viewport)
{
    Window janela = *viewport.janela();
    DisplayFile cena;
    carregar(caminho, janela, cena);
    *viewport.janela() = janela;
    *viewport.displayFile() = std::move(cena);
    viewport.janela()->atualizarCPP(*viewport.displayFile());
}

namespace {

// carregarConteudo, giving the root's attributes to atributosDaRaiz unless it is null.
void carregarComAtributos(QByteArray bytes, const QString& caminho, Window& janela, DisplayFile& cena,
                          const Progresso& progresso, std::size_t tamanhoDoPedaco, Atributos* atributosDaRaiz)
{
    Estrutura e;
    LeituraEmPedacos pedacos(tamanhoDoPedaco);
    const std::string texto = textoVerificado(bytes, caminho, e, &pedacos);
    // The file's bytes go once its text is made.
    bytes = QByteArray();
    if (e.completa && pedacos.ler(texto, janela, cena, progresso)) {
        if (atributosDaRaiz != nullptr)
            *atributosDaRaiz = pedacos.atributosDaRaiz();
        return;
    }
    // Anything out of the usual, or any fault: TinyXML reads the whole text, and names the fault.
    TiXmlDocument doc;
    analisarInteiro(texto, e, doc, caminho);
    TiXmlElement* formas = raiz(doc);
    XmlDaCena::ler(formas, janela, cena);
    if (atributosDaRaiz != nullptr)
        *atributosDaRaiz = atributosDe(*formas);
}

} // namespace

void carregar(const QString& caminho, Window& janela, DisplayFile& cena, const Progresso& progresso)
{
    carregarConteudo(bytesDe(caminho), caminho, janela, cena, progresso);
}

void carregar(const QString& caminho, Window& janela, DisplayFile& cena, Atributos& atributosDaRaiz)
{
    carregarComAtributos(bytesDe(caminho), caminho, janela, cena, {}, LeituraEmPedacos::tamanhoPadrao,
                         &atributosDaRaiz);
}

void carregarConteudo(QByteArray bytes, const QString& caminho, Window& janela, DisplayFile& cena,
                      const Progresso& progresso, std::size_t tamanhoDoPedaco)
{
    carregarComAtributos(std::move(bytes), caminho, janela, cena, progresso, tamanhoDoPedaco, nullptr);
}

namespace {

// Writes all of texto to fd: 0, or the errno of what failed (ENOSPC for a write that takes nothing).
int escreverTudo(int fd, std::string_view texto)
{
    for (std::size_t escritos = 0; escritos < texto.size();) {
        const ssize_t n = ::write(fd, texto.data() + escritos, texto.size() - escritos);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        escritos += static_cast<std::size_t>(n);
    }
    return 0;
}

// Writes to caminho, through a temporary file that replaces it only once complete, the text that
// produzir hands to the function it is given, piece by piece.
void gravar(const QString& caminho, const std::function<void(const std::function<void(std::string_view)>&)>& produzir)
{
    // QSaveFile keeps the temporary file and renames it over the old one; every other step is taken
    // here on its descriptor, since Qt loses errno after a short write (a full disk would read
    // "Unknown error") and its commit ignores what syncing and closing report. Qt's and the system's
    // words follow the system's language: the reasons are ours.
    QSaveFile arquivo(caminho);
    const auto mensagem = [&](const std::string& motivo) {
        return "Não foi possível salvar em '" + FormatoXml::textoVisivel(caminho.toStdString(), std::string::npos)
               + "': " + motivo + ".";
    };
    const auto falha = [&](const std::string& motivo) {
        arquivo.cancelWriting();
        return mensagem(motivo);
    };
    // Made with the first piece: a scene that cannot be saved is refused before that, in its own
    // words, with no file made.
    int fd = -1;
    const auto abrir = [&] {
        if (fd >= 0)
            return;
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw falha(ErrosDeArquivo::motivoAoCriar(caminho, errno));
        fd = arquivo.handle();
    };
    off_t gravados = 0;
    const auto despejar = [&](std::string_view texto) {
        abrir();
        if (const int erro = escreverTudo(fd, texto); erro != 0)
            throw falha(ErrosDeArquivo::motivo(erro));
        // The disk starts on what is written while the rest is made, so that the sync at the end
        // waits for little.
        ::sync_file_range(fd, gravados, static_cast<off_t>(texto.size()), SYNC_FILE_RANGE_WRITE);
        gravados += static_cast<off_t>(texto.size());
    };
    try {
        produzir(despejar);
        abrir();
    } catch (...) {
        arquivo.cancelWriting();
        throw;
    }
    // A lost write (EIO from a failing disk or NFS) shows up here or on close, not on write. close
    // on a duplicate runs the file system's flush all the same, while QSaveFile keeps its own
    // descriptor for the rename.
    if (::fdatasync(fd) != 0)
        throw falha(ErrosDeArquivo::motivo(errno));
    const int copia = ::dup(fd);
    if (copia < 0 || ::close(copia) != 0)
        throw falha(ErrosDeArquivo::motivo(errno));
    if (!arquivo.commit())
        throw falha(ErrosDeArquivo::motivoAoCriar(caminho, errno));
    // The new file has the name now, but until the directory reaches the disk a power cut can bring
    // the old file back under it: not saved yet, whatever the file's own sync said.
    if (const int erro = sincronizarPasta(caminho); erro != 0)
        throw mensagem(ErrosDeArquivo::motivo(erro));
}

} // namespace

void salvar(const QString& caminho, const Window& camera, const DisplayFile& cena,
            const std::vector<XmlDaCena::Atributo>& atributosDaRaiz, const Progresso& progresso)
{
    // formas, window and its three children, then every object's.
    std::uint64_t total = 5;
    for (const Objeto* o : cena.listaDeObjetos)
        if (o != nullptr)
            total += FormatoXml::elementosDe(*o);
    gravar(caminho, [&](const std::function<void(std::string_view)>& despejar) {
        SaidaEmTexto saida([&](std::string_view pedaco, std::size_t elementos) {
            despejar(pedaco);
            if (progresso && !progresso(elementos, total))
                throw Cancelado{};
        });
        XmlDaCena::escreverDocumento(saida, camera, cena, atributosDaRaiz);
        saida.terminar();
    });
}

void salvar(const QString& caminho, const TiXmlDocument& doc)
{
    TiXmlPrinter impressora;
    doc.Accept(&impressora);
    gravar(caminho, [&impressora](const std::function<void(std::string_view)>& despejar) {
        despejar(std::string_view(impressora.CStr(), impressora.Size()));
    });
}

} // namespace ArquivoDeCena

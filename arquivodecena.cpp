#include "arquivodecena.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>

#include <tinyxml.h>

#include "formatoxml.h"
#include "viewport.h"

namespace ArquivoDeCena {
namespace {

const char* const erroDesconhecido = "Erro desconhecido.";

// TinyXML 2.6's parser (tinyxmlparser.cpp) retraced byte by byte, in UTF-8 mode with white space
// condensed (its default), keeping a list of open elements where it recurses. It must agree with
// TinyXML on where every node ends: a comment, quoted value or multi-byte character that ended
// elsewhere here would hide elements from the count. Where TinyXML gives up, so does this, since
// it parses nothing after that point. What TinyXML rejects only afterwards (a repeated attribute)
// is still counted, which can only make the count larger. Linear: every byte is looked at a bounded
// number of times, and a stack of names never grows past the limit.
class Leitura {
public:
    static constexpr std::size_t parou = std::string_view::npos;

    explicit Leitura(const std::string& texto)
        : _texto(texto.data(), std::min(texto.size(), texto.find('\0')))
    {
    }

    Estrutura estrutura(int limite) const
    {
        Estrutura e;
        std::vector<std::string_view> abertos;
        int& maior = e.profundidade;
        std::size_t i = 0;
        for (;;) {
            i = pularEspacos(i);
            if (abertos.empty()) {
                // Outside every element TinyXML reads only markup: text ends the document.
                if (em(i) != '<') {
                    if (em(i) != 0) {
                        e.linhaDeTextoSolto = linha(i);
                        e.subconjuntoInterno = em(i) == ']';
                    }
                    return e;
                }
            } else {
                if (em(i) == 0)
                    return e;
                if (em(i) != '<') {
                    i = lerTexto(i);
                    if (i == parou)
                        return e;
                    continue;
                }
                if (comeca(i, "</")) {
                    // Only the open element's own end tag is accepted.
                    const std::string_view nome = abertos.back();
                    if (!comeca(i + 2, nome))
                        return e;
                    i = pularEspacos(i + 2 + nome.size());
                    if (em(i) != '>')
                        return e;
                    ++i;
                    abertos.pop_back();
                    continue;
                }
            }
            // A node, told apart as TinyXML's Identify does.
            if (comecaSemCaixa(i, "<?xml")) {
                i = lerDeclaracao(i);
            } else if (comeca(i, "<!--")) {
                i = depoisDe(i + 4, "-->");
            } else if (comeca(i, "<![CDATA[")) {
                i = depoisDe(i + 9, "]]>");
                if (i != parou && em(i) == 0)
                    i = parou;
            } else if (comeca(i, "<!") || !(letra(em(i + 1)) || em(i + 1) == '_')) {
                i = depoisDe(i + 1, ">");
            } else {
                // The element is on the stack from here, even if its start tag turns out bad.
                maior = std::max(maior, static_cast<int>(abertos.size()) + 1);
                if (maior > limite)
                    return e;
                const std::size_t inicio = i;
                std::string_view nome;
                bool abre = false;
                int atributos = 0;
                i = lerInicioDeElemento(i, nome, abre, atributos);
                if (atributos > atributosMaximos) {
                    e.elementoComAtributosDemais = FormatoXml::textoVisivel(std::string(nome));
                    e.linhaDoElemento = linha(inicio);
                    return e;
                }
                if (i != parou && abre)
                    abertos.push_back(nome);
            }
            if (i == parou)
                return e;
        }
    }

private:
    int linha(std::size_t i) const
    {
        return 1 + static_cast<int>(std::count(_texto.begin(), _texto.begin() + static_cast<std::ptrdiff_t>(i), '\n'));
    }

    // The byte at i; past the end, the NUL that ends TinyXML's buffer.
    unsigned char em(std::size_t i) const { return i < _texto.size() ? static_cast<unsigned char>(_texto[i]) : 0; }

    static bool espaco(unsigned char c) { return c != 0 && (std::isspace(c) || c == '\n' || c == '\r'); }
    // TinyXML takes every byte from 127 up for a letter.
    static bool letra(unsigned char c) { return c >= 127 || std::isalpha(c); }
    static bool letraOuDigito(unsigned char c) { return c >= 127 || std::isalnum(c); }

    // How far TinyXML steps over the character that starts with c (its utf8ByteTable): the bytes
    // after a lead byte are taken whatever they are, a quote or a '<' among them.
    static std::size_t passo(unsigned char c)
    {
        if (c >= 0xC2 && c <= 0xDF)
            return 2;
        if (c >= 0xE0 && c <= 0xEF)
            return 3;
        if (c >= 0xF0 && c <= 0xF4)
            return 4;
        return 1;
    }

    bool comeca(std::size_t i, std::string_view s) const
    {
        for (std::size_t k = 0; k < s.size(); ++k)
            if (em(i + k) != static_cast<unsigned char>(s[k]))
                return false;
        return true;
    }

    // s in lower case.
    bool comecaSemCaixa(std::size_t i, std::string_view s) const
    {
        for (std::size_t k = 0; k < s.size(); ++k)
            if (std::tolower(em(i + k)) != static_cast<unsigned char>(s[k]))
                return false;
        return true;
    }

    // Just past the first fim from i on.
    std::size_t depoisDe(std::size_t i, std::string_view fim) const
    {
        const std::size_t achado = i <= _texto.size() ? _texto.find(fim, i) : parou;
        return achado == parou ? parou : achado + fim.size();
    }

    // White space, and byte order marks wherever they stand.
    std::size_t pularEspacos(std::size_t i) const
    {
        for (;;) {
            if (em(i) == 0xEF
                && ((em(i + 1) == 0xBB && em(i + 2) == 0xBF) || (em(i + 1) == 0xBF && (em(i + 2) == 0xBE || em(i + 2) == 0xBF))))
                i += 3;
            else if (espaco(em(i)))
                ++i;
            else
                return i;
        }
    }

    std::size_t lerNome(std::size_t i) const
    {
        if (!(letra(em(i)) || em(i) == '_'))
            return parou;
        while (letraOuDigito(em(i)) || em(i) == '_' || em(i) == '-' || em(i) == '.' || em(i) == ':')
            ++i;
        return i;
    }

    // Just past the character at i, or parou where TinyXML's GetChar gives up (a numeric reference
    // with anything but digits before its ';').
    std::size_t caractere(std::size_t i) const
    {
        if (em(i) != '&')
            return i + passo(em(i));
        if (em(i + 1) != '#' || em(i + 2) == 0)
            return i + 1;
        const bool hexadecimal = em(i + 2) == 'x';
        if (hexadecimal && em(i + 3) == 0)
            return parou;
        const std::size_t fim = _texto.find(';', i + (hexadecimal ? 3 : 2));
        if (fim == parou)
            return parou;
        // Back from the ';' to the nearest 'x' or '#', as TinyXML reads the digits.
        for (std::size_t q = fim - 1; em(q) != (hexadecimal ? 'x' : '#'); --q) {
            const unsigned char c = em(q);
            const bool digito = (c >= '0' && c <= '9') || (hexadecimal && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
            if (!digito)
                return parou;
        }
        return fim + 1;
    }

    // From just after the opening quote to just after the closing one.
    std::size_t lerAspas(std::size_t i, unsigned char aspa) const
    {
        while (em(i) != 0 && em(i) != aspa) {
            i = caractere(i);
            if (i == parou)
                return parou;
        }
        if (em(i) == 0 || em(i + 1) == 0)
            return parou;
        return i + 1;
    }

    // Text inside an element: up to the next '<' that starts a character.
    std::size_t lerTexto(std::size_t i) const
    {
        i = pularEspacos(i);
        while (em(i) != 0 && em(i) != '<') {
            i = espaco(em(i)) ? i + 1 : caractere(i);
            if (i == parou)
                return parou;
        }
        if (em(i) == 0 || em(i + 1) == 0)
            return parou;
        return i;
    }

    // name = value, the value quoted or not.
    std::size_t lerAtributo(std::size_t i) const
    {
        i = pularEspacos(i);
        if (em(i) == 0)
            return parou;
        i = lerNome(i);
        if (i == parou || em(i) == 0)
            return parou;
        i = pularEspacos(i);
        if (em(i) != '=')
            return parou;
        i = pularEspacos(i + 1);
        const unsigned char c = em(i);
        if (c == 0)
            return parou;
        if (c == '\'' || c == '"')
            return lerAspas(i + 1, c);
        while (em(i) != 0 && !espaco(em(i)) && em(i) != '/' && em(i) != '>') {
            if (em(i) == '\'' || em(i) == '"')
                return parou;
            ++i;
        }
        return i;
    }

    // <?xml …>: quoted values only for version, encoding and standalone; it ends at a '>'.
    std::size_t lerDeclaracao(std::size_t i) const
    {
        i += 5;
        while (em(i) != 0) {
            if (em(i) == '>')
                return i + 1;
            i = pularEspacos(i);
            if (em(i) == 0)
                return parou;
            if (comecaSemCaixa(i, "version") || comecaSemCaixa(i, "encoding") || comecaSemCaixa(i, "standalone")) {
                i = lerAtributo(i);
                if (i == parou)
                    return parou;
            } else {
                while (em(i) != 0 && em(i) != '>' && !espaco(em(i)))
                    ++i;
            }
        }
        return parou;
    }

    // A start tag from its '<': just past it, with its name, whether content follows and how many
    // attributes it has; it stops at the first past atributosMaximos.
    std::size_t lerInicioDeElemento(std::size_t i, std::string_view& nome, bool& abre, int& atributos) const
    {
        i = pularEspacos(i + 1);
        const std::size_t inicio = i;
        i = lerNome(i);
        if (i == parou || em(i) == 0)
            return parou;
        nome = _texto.substr(inicio, i - inicio);
        for (;;) {
            i = pularEspacos(i);
            const unsigned char c = em(i);
            if (c == 0)
                return parou;
            if (c == '/') {
                if (em(i + 1) != '>')
                    return parou;
                abre = false;
                return i + 2;
            }
            if (c == '>') {
                abre = true;
                return i + 1;
            }
            if (++atributos > atributosMaximos)
                return parou;
            i = lerAtributo(i);
            if (i == parou || em(i) == 0)
                return parou;
        }
    }

    std::string_view _texto;
};

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

std::string grandeDemais()
{
    return "O arquivo tem mais de " + std::to_string(tamanhoMaximo / (1024 * 1024)) + " MiB e não foi carregado.";
}

} // namespace

Estrutura estrutura(const std::string& texto, int limiteDeProfundidade)
{
    return Leitura(texto).estrutura(limiteDeProfundidade);
}

int profundidadeDeElementos(const std::string& texto, int limite)
{
    return estrutura(texto, limite).profundidade;
}

void ler(const QString& caminho, TiXmlDocument& doc)
{
    // An empty name is what a cancelled dialog gives. Only regular files: a FIFO would block the
    // window and a device could be endless.
    const QFileInfo info(caminho);
    if (caminho.isEmpty() || !info.isFile())
        throw std::string(erroDesconhecido);
    if (info.size() > tamanhoMaximo)
        throw grandeDemais();
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw std::string(erroDesconhecido);
    // One byte more than allowed, to tell a file that grew since.
    const QByteArray bytes = arquivo.read(tamanhoMaximo + 1);
    if (arquivo.error() != QFileDevice::NoError)
        throw std::string(erroDesconhecido);
    lerConteudo(bytes, doc);
}

std::string textoParaOTinyXml(const QByteArray& bytes)
{
    std::string texto;
    texto.reserve(static_cast<std::size_t>(bytes.size()) + 4);
    for (qsizetype i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
        if (bytes[i] == '\r') {
            texto += '\n';
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            texto += bytes[i];
        }
    }
    // A lead byte in the last place sends TinyXML three bytes past the end of the text.
    texto.append(4, '\0');
    return texto;
}

void lerConteudo(const QByteArray& bytes, TiXmlDocument& doc)
{
    if (bytes.size() > tamanhoMaximo)
        throw grandeDemais();
    const std::string texto = textoParaOTinyXml(emUtf8(bytes));
    const Estrutura e = estrutura(texto);
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
    // The text is UTF-8 by now, whatever the declaration says, as every string of the program is;
    // and so the one mode in which the bytes above were checked.
    doc.SetTabSize(tabulacao);
    doc.Parse(texto.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error())
        throw std::string(erroDesconhecido);
}

namespace {

TiXmlElement* raiz(TiXmlDocument& doc)
{
    // The root element: a comment or instruction that happens to read "formas" is not one.
    TiXmlElement* formas = doc.FirstChildElement("formas");
    if (!formas)
        throw std::string("Tag raiz 'formas' ausente.");
    return formas;
}

} // namespace

void carregar(const QString& caminho, Viewport& viewport)
{
    TiXmlDocument doc;
    ler(caminho, doc);
    viewport.restore(raiz(doc));
}

void carregar(const QString& caminho, Window& janela, DisplayFile& cena)
{
    TiXmlDocument doc;
    ler(caminho, doc);
    Viewport::ler(raiz(doc), janela, cena);
}

void salvar(const QString& caminho, const TiXmlDocument& doc)
{
    TiXmlPrinter impressora;
    doc.Accept(&impressora);
    const std::string& texto = impressora.Str();

    // QSaveFile keeps the temporary file and renames it over the old one; every other step is taken
    // here on its descriptor, since Qt loses errno after a short write (a full disk would read
    // "Unknown error") and its commit ignores what syncing and closing report.
    QSaveFile arquivo(caminho);
    const auto falha = [&](const std::string& motivo) {
        arquivo.cancelWriting();
        return "Não foi possível salvar em '" + FormatoXml::textoVisivel(caminho.toStdString(), std::string::npos)
               + "': " + motivo + ".";
    };
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw falha(arquivo.errorString().toStdString());
    const int fd = arquivo.handle();
    for (std::size_t escritos = 0; escritos < texto.size();) {
        const ssize_t n = ::write(fd, texto.data() + escritos, texto.size() - escritos);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw falha(std::strerror(n < 0 ? errno : ENOSPC));
        escritos += static_cast<std::size_t>(n);
    }
    // A lost write (EIO from a failing disk or NFS) shows up here or on close, not on write. close
    // on a duplicate runs the file system's flush all the same, while QSaveFile keeps its own
    // descriptor for the rename.
    if (::fdatasync(fd) != 0)
        throw falha(std::strerror(errno));
    const int copia = ::dup(fd);
    if (copia < 0 || ::close(copia) != 0)
        throw falha(std::strerror(errno));
    if (!arquivo.commit())
        throw falha(arquivo.errorString().toStdString());
}

} // namespace ArquivoDeCena

#include "varredura.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string_view>
#include <vector>

#include "formatoxml.h"

namespace ArquivoDeCena {
namespace {

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

    Leitura(const std::string& texto, ObservadorDaVarredura* observador)
        : _texto(texto.data(), std::min(texto.size(), texto.find('\0'))), _observador(observador)
    {
    }

    Estrutura estrutura(int limite) const
    {
        Estrutura e;
        std::vector<std::string_view> abertos;
        ler(e, abertos, limite);
        if (!abertos.empty())
            e.elementoAberto = FormatoXml::textoVisivel(std::string(abertos.back()));
        return e;
    }

private:
    // Up to the end of the text, or to the first fault, with abertos as they stand there.
    void ler(Estrutura& e, std::vector<std::string_view>& abertos, int limite) const
    {
        std::size_t i = 0;
        for (;;) {
            i = pularEspacos(i);
            const Passo passo = abertos.empty() ? foraDosElementos(e, i) : dentroDeUmElemento(abertos, i);
            if (passo == Passo::parar)
                return;
            if (passo == Passo::seguir)
                continue;
            i = lerNo(e, abertos, limite, i);
            if (i == parou)
                return;
        }
    }

    // What follows the white space at i: the end of the reading, a step already taken, or a node.
    enum class Passo { parar, seguir, no };

    // Outside every element TinyXML reads only markup: text ends the document.
    Passo foraDosElementos(Estrutura& e, std::size_t i) const
    {
        if (em(i) == '<')
            return Passo::no;
        if (em(i) != 0) {
            e.linhaDeTextoSolto = linha(i);
            e.subconjuntoInterno = em(i) == ']';
        } else {
            e.completa = true;
        }
        return Passo::parar;
    }

    // Inside an element: its text, its end tag (only the open element's own is accepted), or a node.
    Passo dentroDeUmElemento(std::vector<std::string_view>& abertos, std::size_t& i) const
    {
        if (em(i) == 0)
            return Passo::parar;
        if (em(i) != '<') {
            i = lerTexto(i);
            if (i == parou)
                return Passo::parar;
            ouvir(static_cast<int>(abertos.size()), ObservadorDaVarredura::No::outro);
            return Passo::seguir;
        }
        if (!comeca(i, "</"))
            return Passo::no;
        const std::size_t inicio = i;
        const std::string_view nome = abertos.back();
        if (!comeca(i + 2, nome))
            return Passo::parar;
        i = pularEspacos(i + 2 + nome.size());
        if (em(i) != '>')
            return Passo::parar;
        ++i;
        if (_observador != nullptr)
            _observador->fimDoElemento(static_cast<int>(abertos.size()), inicio, i);
        abertos.pop_back();
        return Passo::seguir;
    }

    // A node at i, told apart as TinyXML's Identify does; where it ends, or parou.
    std::size_t lerNo(Estrutura& e, std::vector<std::string_view>& abertos, int limite, std::size_t i) const
    {
        const int nivel = static_cast<int>(abertos.size());
        using No = ObservadorDaVarredura::No;
        if (comecaSemCaixa(i, "<?xml")) {
            ouvir(nivel, No::declaracao);
            return lerDeclaracao(i);
        }
        if (comeca(i, "<!--")) {
            ouvir(nivel, No::comentario);
            return depoisDe(i + 4, "-->");
        }
        if (comeca(i, "<![CDATA[")) {
            ouvir(nivel, No::outro);
            i = depoisDe(i + 9, "]]>");
            return i != parou && em(i) == 0 ? parou : i;
        }
        if (comeca(i, "<!") || !(letra(em(i + 1)) || em(i + 1) == '_')) {
            ouvir(nivel, No::outro);
            return depoisDe(i + 1, ">");
        }
        // The element is on the stack from here, even if its start tag turns out bad.
        e.profundidade = std::max(e.profundidade, nivel + 1);
        if (e.profundidade > limite)
            return parou;
        const std::size_t inicio = i;
        std::string_view nome;
        bool abre = false;
        int atributos = 0;
        i = lerInicioDeElemento(i, nome, abre, atributos);
        if (atributos > atributosMaximos) {
            e.elementoComAtributosDemais = FormatoXml::textoVisivel(std::string(nome));
            e.linhaDoElemento = linha(inicio);
            return parou;
        }
        if (i != parou && _observador != nullptr)
            _observador->elemento(nivel + 1, nome, inicio, i, !abre);
        if (i != parou && abre)
            abertos.push_back(nome);
        return i;
    }

    void ouvir(int nivel, ObservadorDaVarredura::No tipo) const
    {
        if (_observador != nullptr)
            _observador->no(nivel, tipo);
    }

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
    ObservadorDaVarredura* _observador;
};

} // namespace

Estrutura estrutura(const std::string& texto, int limiteDeProfundidade, ObservadorDaVarredura* observador)
{
    return Leitura(texto, observador).estrutura(limiteDeProfundidade);
}

int profundidadeDeElementos(const std::string& texto, int limite)
{
    return estrutura(texto, limite, nullptr).profundidade;
}

} // namespace ArquivoDeCena

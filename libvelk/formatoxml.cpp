#include "formatoxml.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include <tinyxml.h>

#include "geometria.h"
#include "objeto.h"
#include "regradawindow.h"
#include "saidaemnos.h"
#include "tipodeobjeto.h"

namespace FormatoXml {
namespace {

// ---------------------------------------------------------------------------------------------
// Text

// The length of the UTF-8 character at texto[i], which it puts in c; 0 if the bytes there are not
// one (a stray or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
std::size_t caractereUtf8(const std::string& texto, std::size_t i, char32_t& c)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(texto[k]); };
    const unsigned char b = byte(i);
    std::size_t n = 0;
    char32_t menor = 0;
    if (b < 0x80) {
        c = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        c = b & 0x1F;
        menor = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        c = b & 0x0F;
        menor = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        c = b & 0x07;
        menor = 0x10000;
    } else {
        return 0;
    }
    if (texto.size() - i < n)
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < menor || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

// Where the first character of texto that XML cannot hold starts, or npos. naoUtf8 tells
// whether it is not UTF-8 at all.
std::size_t foraDoXml(const std::string& texto, bool& naoUtf8)
{
    for (std::size_t i = 0; i < texto.size();) {
        char32_t c = 0;
        const std::size_t n = caractereUtf8(texto, i, c);
        naoUtf8 = n == 0;
        if (n == 0 || !caractereXml(c))
            return i;
        i += n;
    }
    return std::string::npos;
}

// ---------------------------------------------------------------------------------------------
// Faults

// Every reading fault names the line of the node that holds it. A document built in memory has no
// lines (TinyXML gives row 0 then), and the prefix is left out rather than pointing at line 0.
[[noreturn]] void falha(const TiXmlBase* onde, const std::string& texto)
{
    const int linha = onde != nullptr ? onde->Row() : 0;
    if (linha > 0)
        throw "Linha " + std::to_string(linha) + ": " + texto;
    throw texto;
}

std::string tag(const TiXmlNode* e)
{
    return "<" + textoVisivel(e->ValueStr()) + ">";
}

// A value quoted back to the user, escaped and cut short when it is long.
std::string citado(const std::string& valor)
{
    return "\"" + textoVisivel(valor) + "\"";
}

std::string quantas(std::size_t n, const char* singular, const char* plural)
{
    return "(" + std::string(n == 1 ? singular : plural) + " " + std::to_string(n) + ")";
}

std::string onde(const TiXmlNode* pai)
{
    return pai->ToElement() != nullptr ? tag(pai) : std::string("o documento");
}

// Passes over comments, declarations, processing instructions and white space; any other text or
// markup that is not an element is a fault. Calls f for every element child, in order.
template <typename F>
void paraCadaElemento(const TiXmlNode* pai, F&& f)
{
    for (const TiXmlNode* no = pai->FirstChild(); no != nullptr; no = no->NextSibling()) {
        switch (no->Type()) {
        case TiXmlNode::TINYXML_ELEMENT:
            f(static_cast<const TiXmlElement*>(no));
            break;
        case TiXmlNode::TINYXML_COMMENT:
        case TiXmlNode::TINYXML_DECLARATION:
            break;
        case TiXmlNode::TINYXML_UNKNOWN:
            // TinyXML keeps <?target …?> as an unknown node whose value starts with '?'.
            if (no->ValueStr().empty() || no->ValueStr()[0] != '?')
                falha(no, onde(pai) + " contém marcação desconhecida.");
            break;
        case TiXmlNode::TINYXML_TEXT:
            if (no->ValueStr().find_first_not_of(" \t\r\n") != std::string::npos)
                falha(no, onde(pai) + " contém texto inesperado.");
            break;
        default:
            falha(no, onde(pai) + " contém conteúdo inesperado.");
        }
    }
}

// An element that must hold nothing but comments and white space.
void exigirVazio(const TiXmlElement* e)
{
    paraCadaElemento(e, [e](const TiXmlElement* filho) {
        falha(filho, tag(filho) + " não pode estar dentro de " + tag(e) + ".");
    });
}

// ---------------------------------------------------------------------------------------------
// Numbers: shortest round-trip text, read back over the whole attribute, whatever the locale.

// Long enough for the longest shortest form, "-2.2250738585072014e-308", and its terminator.
constexpr std::size_t tamanhoDoNumero = 32;

void escreverNumero(SaidaXml& saida, const char* nome, double valor)
{
    char texto[tamanhoDoNumero];
    const std::to_chars_result r = std::to_chars(texto, texto + tamanhoDoNumero, valor);
    saida.atributo(nome, std::string_view(texto, static_cast<std::size_t>(r.ptr - texto)));
}

// As TinyXML writes an int attribute ("%d").
template <typename Inteiro>
void escreverInteiro(SaidaXml& saida, const char* nome, Inteiro valor)
{
    char texto[tamanhoDoNumero];
    const std::to_chars_result r = std::to_chars(texto, texto + tamanhoDoNumero, valor);
    saida.atributo(nome, std::string_view(texto, static_cast<std::size_t>(r.ptr - texto)));
}

const std::string& exigirAtributo(const TiXmlElement* e, const std::string* valor, const char* nome)
{
    if (valor == nullptr)
        falha(e, tag(e) + " precisa do atributo " + nome + ".");
    return *valor;
}

// The one number texto holds whole, when it is a finite double in range; the rule of lerNumero.
bool numero(std::string_view texto, double& d)
{
    const char* fim = texto.data() + texto.size();
    const std::from_chars_result r = std::from_chars(texto.data(), fim, d);
    return r.ptr == fim && r.ec == std::errc() && !texto.empty() && std::isfinite(d);
}

// The one integer texto holds whole, when it is in range; the rule of lerInteiro and lerIndice.
bool inteiro(std::string_view texto, long long& n)
{
    const char* fim = texto.data() + texto.size();
    const std::from_chars_result r = std::from_chars(texto.data(), fim, n);
    return r.ptr == fim && r.ec == std::errc() && !texto.empty();
}

double lerNumero(const TiXmlElement* e, const char* nome, const std::string* valor)
{
    const std::string& texto = exigirAtributo(e, valor, nome);
    double d = 0.0;
    if (numero(texto, d))
        return d;
    const char* inicio = texto.data();
    const char* fim = inicio + texto.size();
    const std::from_chars_result r = std::from_chars(inicio, fim, d);
    const auto falhaDoValor = [&](const char* porque) {
        falha(e, tag(e) + " tem " + nome + "=" + citado(texto) + porque);
    };
    if (r.ptr == fim && r.ec == std::errc::result_out_of_range)
        falhaDoValor(", que está fora do intervalo dos números representáveis.");
    if (r.ptr != fim || r.ec != std::errc() || inicio == fim)
        falhaDoValor(", que não é um número.");
    if (!std::isfinite(d))
        falhaDoValor(", que não é um número finito.");
    return d;
}

// x, y and z of an element that holds nothing else (unknown attributes are passed over).
Coordenada lerXyz(const TiXmlElement* e)
{
    const std::string* valores[3] = {nullptr, nullptr, nullptr};
    for (const TiXmlAttribute* a = e->FirstAttribute(); a != nullptr; a = a->Next()) {
        const std::string& nome = a->NameTStr();
        if (nome.size() == 1 && nome[0] >= 'x' && nome[0] <= 'z')
            valores[nome[0] - 'x'] = &a->ValueStr();
    }
    const double x = lerNumero(e, "x", valores[0]);
    const double y = lerNumero(e, "y", valores[1]);
    const double z = lerNumero(e, "z", valores[2]);
    exigirVazio(e);
    return Coordenada(x, y, z);
}

void escreverXyz(SaidaXml& saida, double x, double y, double z)
{
    escreverNumero(saida, "x", x);
    escreverNumero(saida, "y", y);
    escreverNumero(saida, "z", z);
}

template <typename T>
bool finito(const T& c)
{
    return std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z());
}

// ---------------------------------------------------------------------------------------------
// Colours and flags

int valorHex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Cor lerCor(const TiXmlElement* e, const std::string* valor)
{
    const std::string& texto = exigirAtributo(e, valor, "cor");
    int componentes[3] = {0, 0, 0};
    bool valida = texto.size() == 7 && texto[0] == '#';
    for (int i = 0; valida && i < 3; ++i) {
        const int alto = valorHex(texto[1 + 2 * i]);
        const int baixo = valorHex(texto[2 + 2 * i]);
        valida = alto >= 0 && baixo >= 0;
        componentes[i] = alto * 16 + baixo;
    }
    if (!valida)
        falha(e, tag(e) + " tem cor=" + citado(texto) + ", que não é uma cor no formato #rrggbb.");
    return Cor(componentes[0], componentes[1], componentes[2]);
}

void escreverCor(SaidaXml& saida, const Cor& cor)
{
    static constexpr char digitos[] = "0123456789abcdef";
    const int componentes[3] = {cor.red(), cor.green(), cor.blue()};
    char texto[7] = {'#'};
    for (int i = 0; i < 3; ++i) {
        texto[1 + 2 * i] = digitos[componentes[i] >> 4];
        texto[2 + 2 * i] = digitos[componentes[i] & 0xF];
    }
    saida.atributo("cor", std::string_view(texto, 7));
}

bool lerBooleano(const TiXmlElement* e, const char* nome, const std::string* valor)
{
    const std::string& texto = exigirAtributo(e, valor, nome);
    if (texto == "true")
        return true;
    if (texto == "false")
        return false;
    falha(e, tag(e) + " tem " + nome + "=" + citado(texto) + ", que não é true nem false.");
}

// ---------------------------------------------------------------------------------------------
// Objects


void exigirContagem(const TiXmlElement* e, std::size_t n, const Contagem& contagem, const char* singular,
                    const char* plural)
{
    if (!contagem.aceita(n))
        falha(e, tag(e) + " precisa de " + contagem.texto(singular, plural) + " "
                     + quantas(n, "encontrada", "encontradas") + ".");
}

// An integer attribute, read over the whole of its text: another text is a fault. False for an
// integer beyond the range of long long.
bool lerInteiro(const TiXmlElement* e, const char* nome, const std::string& texto, long long& valor)
{
    const char* inicio = texto.data();
    const char* fim = inicio + texto.size();
    const std::from_chars_result r = std::from_chars(inicio, fim, valor);
    if (r.ptr != fim || inicio == fim || (r.ec != std::errc() && r.ec != std::errc::result_out_of_range))
        falha(e, tag(e) + " tem " + nome + "=" + citado(texto) + ", que não é um número inteiro.");
    return r.ec == std::errc();
}

// The vertex index of an edge's end: any integer is read, and one that names no vertex is a fault.
int lerIndice(const TiXmlElement* e, const char* nome, const std::string* valor, std::size_t vertices)
{
    const std::string& texto = exigirAtributo(e, valor, nome);
    long long i = 0;
    if (!lerInteiro(e, nome, texto, i) || !verticeExiste(i, vertices))
        falha(e, tag(e) + " liga ao vértice " + texto + ", que não existe (há " + std::to_string(vertices)
                     + (vertices == 1 ? " vértice)." : " vértices)."));
    return static_cast<int>(i);
}

// The rows or columns of a grid, by its kind's rule.
std::size_t lerLado(const TiXmlElement* e, const char* nome, const std::string* valor, const Contagem& regra,
                    const char* singular)
{
    const std::string& texto = exigirAtributo(e, valor, nome);
    long long n = 0;
    if (!lerInteiro(e, nome, texto, n))
        falha(e, tag(e) + " tem " + nome + "=" + citado(texto) + ", que está fora do intervalo dos números representáveis.");
    if (n < 0 || !regra.aceita(static_cast<std::size_t>(n)))
        falha(e, tag(e) + " tem " + nome + "=" + citado(texto) + ", mas precisa de " + regra.texto(singular, nome)
                     + ".");
    return static_cast<std::size_t>(n);
}

// The grid of an element of a grid kind whose n coordinates have been read: rows and columns
// (required) that the kind takes and that make n, and the mesh density (optional).
Grade lerGrade(const TiXmlElement* e, const DescricaoDeGrade& descricao, const std::string* const (&valores)[3],
               std::size_t n)
{
    Grade g;
    g.linhas = lerLado(e, "linhas", valores[0], descricao.lados, "linha");
    g.colunas = lerLado(e, "colunas", valores[1], descricao.lados, "coluna");
    // linhas × colunas = n, without a product that could wrap (linhas is at least 1 here).
    if (n % g.linhas != 0 || n / g.linhas != g.colunas)
        falha(e, tag(e) + " precisa de linhas × colunas = " + std::to_string(g.linhas) + " × "
                     + std::to_string(g.colunas) + " coordenadas " + quantas(n, "encontrada", "encontradas") + ".");
    if (valores[2] != nullptr) {
        long long malha = 0;
        if (!lerInteiro(e, "malha", *valores[2], malha) || malha < malhaMinima || malha > malhaMaxima)
            falha(e, tag(e) + " tem malha=" + citado(*valores[2]) + ", que não é um inteiro de "
                         + std::to_string(malhaMinima) + " a " + std::to_string(malhaMaxima) + ".");
        g.malha = static_cast<int>(malha);
    }
    return g;
}

// Points each of valores at the attribute of e named as in nomes, or at null where e has none; other
// attributes are passed over.
template <std::size_t N>
void atributos(const TiXmlElement* e, const char* const (&nomes)[N], const std::string* (&valores)[N])
{
    for (const std::string*& v : valores)
        v = nullptr;
    for (const TiXmlAttribute* a = e->FirstAttribute(); a != nullptr; a = a->Next())
        for (std::size_t i = 0; i < N; ++i)
            if (a->NameTStr() == nomes[i])
                valores[i] = &a->ValueStr();
}

// The edges of a wireframe of `vertices` vertices, from their elements.
void lerArestas(const std::vector<const TiXmlElement*>& elementos, std::size_t vertices,
                std::vector<std::pair<int, int>>& indices)
{
    static const char* const nomes[] = {"origem", "destino"};
    indices.clear();
    indices.reserve(elementos.size());
    for (const TiXmlElement* a : elementos) {
        const std::string* valores[2];
        atributos(a, nomes, valores);
        const int i = lerIndice(a, "origem", valores[0], vertices);
        const int j = lerIndice(a, "destino", valores[1], vertices);
        if (i == j)
            falha(a, tag(a) + " liga o vértice " + std::to_string(i) + " a ele mesmo.");
        exigirVazio(a);
        indices.emplace_back(i, j);
    }
}

// The attributes of an object's element e into rascunho, but for a grid kind's linhas, colunas and
// malha, which are read with the vertex count: their values are left in grade.
void lerCabecalho(const TiXmlElement* e, const TipoDeObjeto& tipo, ValoresDeObjeto& rascunho,
                  const std::string* (&grade)[3])
{
    // nome, cor, preenchido, then linhas, colunas and malha for a grid kind.
    static const char* const nomes[] = {"nome", "cor", "preenchido", "linhas", "colunas", "malha"};
    const std::string* valores[6];
    atributos(e, nomes, valores);
    const std::string* const& nome = valores[0];
    exigirAtributo(e, nome, "nome");
    // A name must come back the same from a save, and a save must be XML.
    bool naoUtf8 = false;
    if (foraDoXml(*nome, naoUtf8) != std::string::npos)
        falha(e, tag(e) + " tem nome=" + citado(*nome)
                     + (naoUtf8 ? ", que não é texto UTF-8 válido." : ", com caracteres que o XML não admite."));
    rascunho.nome = *nome;
    rascunho.cor = lerCor(e, valores[1]);
    rascunho.preenchido = tipo.preenchivel && lerBooleano(e, "preenchido", valores[2]);
    for (int i = 0; i < 3; ++i)
        grade[i] = valores[3 + i];
}

// The object of element e once its coordinates are in rascunho: counts and grid checked, then its
// arestas edges read into rascunho by lerAsArestas, then the object built.
template <typename LerArestas>
std::unique_ptr<Objeto> terminarObjeto(const TiXmlElement* e, const TipoDeObjeto& tipo, ValoresDeObjeto& rascunho,
                                       const std::string* const (&grade)[3], std::size_t arestas,
                                       LerArestas lerAsArestas)
{
    const std::size_t n = rascunho.coordenadas.size();
    if (tipo.grade != nullptr)
        rascunho.grade = lerGrade(e, *tipo.grade, grade, n);
    exigirContagem(e, n, tipo.coordenadas, "coordenada", "coordenadas");
    if (tipo.arestas != nullptr)
        exigirContagem(e, arestas, contagemDeArestas, "aresta", "arestas");
    lerAsArestas(n);

    // Every rule of the constructors has been checked above; a refusal here would be a gap in those
    // checks, and it is still reported as a fault of this element rather than escaping. The objects
    // take copies of the scratch lists, each allocated at its exact size.
    try {
        return tipo.construir(rascunho);
    } catch (const std::invalid_argument& erro) {
        falha(e, tag(e) + " é inválido: " + erro.what() + ".");
    }
}

// rascunho is scratch room shared by every object of a file (see terminarObjeto).
std::unique_ptr<Objeto> lerObjeto(const TiXmlElement* e, const TipoDeObjeto& tipo, ValoresDeObjeto& rascunho)
{
    const std::string* grade[3];
    lerCabecalho(e, tipo, rascunho, grade);
    std::vector<Coordenada>& coordenadas = rascunho.coordenadas;
    coordenadas.clear();
    // Edges are checked once the vertex count is known: their elements may come before the vertices.
    std::vector<const TiXmlElement*> arestas;
    paraCadaElemento(e, [&](const TiXmlElement* filho) {
        const std::string& nomeDoFilho = filho->ValueStr();
        if (nomeDoFilho == "coordenada")
            coordenadas.push_back(lerXyz(filho));
        else if (tipo.arestas != nullptr && nomeDoFilho == "aresta")
            arestas.push_back(filho);
        else
            falha(filho, tag(filho) + " não pode estar dentro de " + tag(e) + ".");
    });
    return terminarObjeto(e, tipo, rascunho, grade, arestas.size(),
                          [&](std::size_t n) { lerArestas(arestas, n, rascunho.arestas); });
}

// ---------------------------------------------------------------------------------------------
// The camera

} // namespace

std::string textoVisivel(const std::string& texto, std::size_t limite)
{
    static constexpr char digitos[] = "0123456789ABCDEF";
    std::string visivel;
    for (std::size_t i = 0; i < texto.size();) {
        if (i >= limite) {
            visivel += "…";
            break;
        }
        char32_t c = 0;
        const std::size_t n = caractereUtf8(texto, i, c);
        if (n == 0) {
            const auto b = static_cast<unsigned char>(texto[i]);
            visivel += {'\\', 'x', digitos[b >> 4], digitos[b & 0xF]};
            ++i;
            continue;
        }
        if (c == '\n')
            visivel += "\\n";
        else if (c == '\t')
            visivel += "\\t";
        else if (c == '\r')
            visivel += "\\r";
        else if (c == '\\')
            visivel += "\\\\";
        else if (c < 0x20 || c == 0x7F)
            visivel += {'\\', 'x', digitos[c >> 4], digitos[c & 0xF]};
        else if (c >= 0x80 && c <= 0x9F)
            visivel += {'\\', 'u', '0', '0', digitos[c >> 4], digitos[c & 0xF]};
        else
            visivel.append(texto, i, n);
        i += n;
    }
    return visivel;
}

bool caractereXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

void escreverWindow(SaidaXml& saida, const EstadoDaWindow& estado)
{
    // The camera's own rule, which reading asks too: a file written here always reads back.
    if (defeitoDaWindow(estado.centro, estado.direita, estado.cima, estado.distancia) != DefeitoDaWindow::nenhum)
        throw std::string("A window está num estado que não pode ser salvo (valores fora do intervalo dos números "
                          "representáveis, ou vetores que não são perpendiculares).");

    escreverNumero(saida, "distancia", estado.distancia);
    if (estado.projecao != Projecao::perspectiva)
        saida.atributo("projecao", estado.projecao == Projecao::ortogonal ? "ortogonal" : "obliqua");
    const std::pair<const char*, Coordenada> filhos[] = {
        {"centro", estado.centro},
        {"direita", Coordenada(estado.direita.x(), estado.direita.y(), estado.direita.z())},
        {"cima", Coordenada(estado.cima.x(), estado.cima.y(), estado.cima.z())},
    };
    for (const auto& [nome, c] : filhos) {
        saida.abrir(nome);
        escreverXyz(saida, c.x(), c.y(), c.z());
        saida.fechar();
    }
}

void escreverWindow(TiXmlElement* window, const EstadoDaWindow& estado)
{
    SaidaEmNos saida(window);
    escreverWindow(saida, estado);
}

namespace {

double lerDistancia(const TiXmlElement* window)
{
    const double distancia = lerNumero(window, "distancia", window->Attribute(std::string("distancia")));
    const DefeitoDaWindow defeito = defeitoDaDistancia(distancia);
    if (defeito != DefeitoDaWindow::nenhum)
        falha(window, tag(window) + " tem distancia=" + citado(*window->Attribute(std::string("distancia")))
                          + (defeito == DefeitoDaWindow::distanciaNaoPositiva
                                 ? ", que não é positiva."
                                 : ", que é pequena demais: o plano próximo, a um centésimo dela, não seria um "
                                   "número normal."));
    return distancia;
}

Projecao lerProjecao(const TiXmlElement* window)
{
    const std::string* projecao = window->Attribute(std::string("projecao"));
    if (projecao == nullptr || *projecao == "perspectiva")
        return Projecao::perspectiva;
    if (*projecao == "ortogonal")
        return Projecao::ortogonal;
    if (*projecao == "obliqua")
        return Projecao::obliqua;
    falha(window, tag(window) + " tem projecao=" + citado(*projecao)
                      + ", que não é \"perspectiva\", \"ortogonal\" nem \"obliqua\".");
}

const char* const partesDaWindow[3] = {"centro", "direita", "cima"};

// <centro>, <direita> and <cima>, each at most once and nothing else, into partes in that order.
void lerPartes(const TiXmlElement* window, const TiXmlElement* (&partes)[3])
{
    const auto& nomes = partesDaWindow;
    paraCadaElemento(window, [&](const TiXmlElement* filho) {
        for (int i = 0; i < 3; ++i)
            if (filho->ValueStr() == nomes[i]) {
                if (partes[i] != nullptr)
                    falha(filho, tag(filho) + " aparece mais de uma vez em " + tag(window) + ".");
                partes[i] = filho;
                return;
            }
        falha(filho, tag(filho) + " não pode estar dentro de " + tag(window) + ".");
    });
}

// Names the element that breaks the camera's rule, if any (the distance was checked where its
// attribute is at hand).
void conferirRegra(const TiXmlElement* window, const TiXmlElement* const (&partes)[3], const EstadoDaWindow& estado)
{
    switch (defeitoDaWindow(estado.centro, estado.direita, estado.cima, estado.distancia)) {
    case DefeitoDaWindow::nenhum:
    case DefeitoDaWindow::distanciaNaoPositiva:
    case DefeitoDaWindow::distanciaPequena:
        return;
    case DefeitoDaWindow::direitaNula:
        falha(partes[1], "<direita> é um vetor nulo.");
    case DefeitoDaWindow::direitaCurta:
        falha(partes[1], "<direita> é curto demais.");
    case DefeitoDaWindow::direitaLonga:
        falha(partes[1], "<direita> é longo demais.");
    case DefeitoDaWindow::cimaNula:
        falha(partes[2], "<cima> é um vetor nulo.");
    case DefeitoDaWindow::cimaCurta:
        falha(partes[2], "<cima> é curto demais.");
    case DefeitoDaWindow::cimaLonga:
        falha(partes[2], "<cima> é longo demais.");
    case DefeitoDaWindow::paralelos:
        falha(window, tag(window) + " tem <direita> e <cima> paralelos.");
    case DefeitoDaWindow::naoPerpendiculares:
        falha(window, tag(window) + " tem <direita> e <cima> que não são perpendiculares.");
    case DefeitoDaWindow::foraDoIntervalo:
        falha(window, tag(window) + " tem medidas fora do intervalo dos números representáveis.");
    }
}

} // namespace

EstadoDaWindow lerWindow(const TiXmlNode* no)
{
    if (no == nullptr)
        throw std::string("Não há <window> para ler.");
    const TiXmlElement* window = no->ToElement();
    if (window == nullptr)
        falha(no, citado(no->ValueStr()) + " não é um elemento.");

    EstadoDaWindow estado;
    estado.distancia = lerDistancia(window);
    estado.projecao = lerProjecao(window);
    const TiXmlElement* partes[3] = {nullptr, nullptr, nullptr};
    lerPartes(window, partes);
    Coordenada lidas[3];
    for (int i = 0; i < 3; ++i) {
        if (partes[i] == nullptr)
            falha(window, tag(window) + " precisa do elemento <" + partesDaWindow[i] + ">.");
        lidas[i] = lerXyz(partes[i]);
    }
    estado.centro = lidas[0];
    estado.direita = Vetor(lidas[1].x(), lidas[1].y(), lidas[1].z());
    estado.cima = Vetor(lidas[2].x(), lidas[2].y(), lidas[2].z());
    conferirRegra(window, partes, estado);
    return estado;
}

void conferirObjetos(const std::vector<Objeto*>& objetos)
{
    for (const Objeto* o : objetos) {
        if (o == nullptr)
            continue;
        if (o->tipo() == nullptr)
            throw "O objeto " + citado(o->nome()) + " é de um tipo (" + o->nomeDoTipo()
                + ") que o arquivo de cena não sabe guardar.";
        for (const Coordenada& c : o->coordenadas())
            if (!finito(c))
                throw "O objeto " + citado(o->nome())
                    + " tem uma coordenada que não é um número finito e não pode ser salvo.";
        bool naoUtf8 = false;
        if (foraDoXml(o->nome(), naoUtf8) != std::string::npos)
            throw "O objeto " + citado(o->nome())
                + " tem no nome caracteres que um arquivo XML não pode guardar e não pode ser salvo.";
    }
}

std::size_t elementosDe(const Objeto& objeto)
{
    const TipoDeObjeto* tipo = objeto.tipo();
    const std::size_t arestas = tipo != nullptr && tipo->arestas != nullptr ? tipo->arestas(objeto).size() : 0;
    return 1 + objeto.coordenadas().size() + arestas;
}

void escreverObjeto(SaidaXml& saida, const Objeto& o)
{
    const TipoDeObjeto& tipo = *o.tipo();
    saida.abrir(tipo.elemento);
    saida.atributo("nome", o.nome());
    escreverCor(saida, o.cor());
    if (tipo.preenchivel)
        saida.atributo("preenchido", o.preenchido() ? "true" : "false");
    if (tipo.grade != nullptr) {
        const Grade g = tipo.grade->de(o);
        escreverInteiro(saida, "linhas", g.linhas);
        escreverInteiro(saida, "colunas", g.colunas);
        escreverInteiro(saida, "malha", g.malha);
    }
    for (const Coordenada& c : o.coordenadas()) {
        saida.abrir("coordenada");
        escreverXyz(saida, c.x(), c.y(), c.z());
        saida.fechar();
    }
    if (tipo.arestas != nullptr) {
        for (const auto& [i, j] : tipo.arestas(o)) {
            saida.abrir("aresta");
            escreverInteiro(saida, "origem", i);
            escreverInteiro(saida, "destino", j);
            saida.fechar();
        }
    }
    saida.fechar();
}

void escreverObjetos(SaidaXml& saida, const std::vector<Objeto*>& objetos)
{
    // Everything is checked before the first element is written, so that a refused scene writes
    // nothing, and no file is written that could not be read back.
    conferirObjetos(objetos);
    for (const Objeto* o : objetos)
        if (o != nullptr)
            escreverObjeto(saida, *o);
}

void escreverObjetos(TiXmlNode* where, const std::vector<Objeto*>& objetos)
{
    SaidaEmNos saida(where);
    escreverObjetos(saida, objetos);
}

std::vector<std::unique_ptr<Objeto>> lerObjetos(const TiXmlNode* where)
{
    if (where == nullptr)
        throw std::string("Não há elemento de onde ler os objetos.");
    std::vector<std::unique_ptr<Objeto>> objetos;
    ValoresDeObjeto rascunho;
    bool temWindow = false;
    paraCadaElemento(where, [&](const TiXmlElement* e) {
        if (e->ValueStr() == "window") {
            if (temWindow)
                falha(e, tag(e) + " aparece mais de uma vez em " + onde(where) + ".");
            temWindow = true;
            return;
        }
        const TipoDeObjeto* tipo = tipoDoElemento(e->ValueStr());
        if (tipo == nullptr)
            falha(e, tag(e) + " não é um tipo de objeto conhecido.");
        objetos.push_back(lerObjeto(e, *tipo, rascunho));
    });
    return objetos;
}

const TipoDeObjeto* tipoDoElemento(const std::string& nome)
{
    for (const TipoDeObjeto* tipo : tiposDeObjeto())
        if (nome == tipo->elemento)
            return tipo;
    return nullptr;
}

std::unique_ptr<Objeto> lerObjeto(const TiXmlElement* e)
{
    const TipoDeObjeto* tipo = tipoDoElemento(e->ValueStr());
    if (tipo == nullptr)
        falha(e, tag(e) + " não é um tipo de objeto conhecido.");
    ValoresDeObjeto rascunho;
    return lerObjeto(e, *tipo, rascunho);
}

void lerFilhos(const TiXmlNode* no, const TipoDeObjeto& tipo, FilhosDeObjeto& filhos)
{
    static const char* const nomes[] = {"origem", "destino"};
    paraCadaElemento(no, [&](const TiXmlElement* filho) {
        const std::string& nome = filho->ValueStr();
        if (nome == "coordenada") {
            filhos.coordenadas.push_back(lerXyz(filho));
            return;
        }
        if (tipo.arestas == nullptr || nome != "aresta")
            falha(filho, tag(filho) + " não pode estar dentro de <" + tipo.elemento + ">.");
        const std::string* valores[2];
        atributos(filho, nomes, valores);
        long long i = 0;
        long long j = 0;
        if (!lerInteiro(filho, "origem", exigirAtributo(filho, valores[0], "origem"), i)
            || !lerInteiro(filho, "destino", exigirAtributo(filho, valores[1], "destino"), j))
            falha(filho, tag(filho) + " liga a um vértice que não existe.");
        exigirVazio(filho);
        filhos.arestas.emplace_back(i, j);
    });
}

std::unique_ptr<Objeto> lerObjeto(const TiXmlElement* e, FilhosDeObjeto& filhos)
{
    const TipoDeObjeto* tipo = tipoDoElemento(e->ValueStr());
    if (tipo == nullptr)
        falha(e, tag(e) + " não é um tipo de objeto conhecido.");
    ValoresDeObjeto rascunho;
    const std::string* grade[3];
    lerCabecalho(e, *tipo, rascunho, grade);
    rascunho.coordenadas = std::move(filhos.coordenadas);
    return terminarObjeto(e, *tipo, rascunho, grade, filhos.arestas.size(), [&](std::size_t n) {
        rascunho.arestas.reserve(filhos.arestas.size());
        for (const auto& [i, j] : filhos.arestas) {
            if (!verticeExiste(i, n) || !verticeExiste(j, n) || i == j)
                falha(e, tag(e) + " tem uma aresta entre vértices que não existem ou entre um vértice e ele mesmo.");
            rascunho.arestas.emplace_back(static_cast<int>(i), static_cast<int>(j));
        }
    });
}

namespace {

bool espacoSimples(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

// The attribute nome="valor" at i, past which i moves: false unless its name is in lower-case ASCII
// letters and its value, quoted with ", holds printable ASCII but '&' and '<'. TinyXML gives such
// an attribute that name and value, byte for byte.
bool atributoSimples(std::string_view t, std::size_t& i, std::string_view& nome, std::string_view& valor)
{
    const std::size_t inicio = i;
    while (i < t.size() && t[i] >= 'a' && t[i] <= 'z')
        ++i;
    if (i == inicio || t.substr(i, 2) != "=\"")
        return false;
    nome = t.substr(inicio, i - inicio);
    i += 2;
    const std::size_t inicioDoValor = i;
    for (; i < t.size() && t[i] != '"'; ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x20 || c >= 0x80 || c == '&' || c == '<')
            return false;
    }
    if (i == t.size())
        return false;
    valor = t.substr(inicioDoValor, i - inicioDoValor);
    ++i;
    return true;
}

// The rest of an element at i, just past its name, that closes on itself: its attributes, apart by
// white space, are those of nomes, each once; their values go to valores.
template <std::size_t N>
bool elementoSimples(std::string_view t, std::size_t& i, const char* const (&nomes)[N], std::string_view (&valores)[N])
{
    bool visto[N] = {};
    for (;;) {
        const std::size_t antes = i;
        while (i < t.size() && espacoSimples(t[i]))
            ++i;
        if (t.substr(i, 2) == "/>") {
            i += 2;
            break;
        }
        std::string_view nome;
        std::string_view valor;
        if (i == antes || !atributoSimples(t, i, nome, valor))
            return false;
        std::size_t k = 0;
        while (k < N && nome != nomes[k])
            ++k;
        if (k == N || visto[k])
            return false;
        visto[k] = true;
        valores[k] = valor;
    }
    for (const bool v : visto)
        if (!v)
            return false;
    return true;
}

// Whether the element at i is named nome, a name followed by white space; i moves past the name.
bool nomeSimples(std::string_view t, std::size_t& i, std::string_view nome)
{
    if (t[i] != '<' || t.substr(i + 1, nome.size()) != nome || i + 1 + nome.size() >= t.size()
        || !espacoSimples(t[i + 1 + nome.size()]))
        return false;
    i += 1 + nome.size();
    return true;
}

} // namespace

bool lerFilhosSimples(std::string_view texto, const TipoDeObjeto& tipo, FilhosDeObjeto& filhos)
{
    static const char* const xyz[] = {"x", "y", "z"};
    static const char* const pontas[] = {"origem", "destino"};
    const std::size_t coordenadas = filhos.coordenadas.size();
    const std::size_t arestas = filhos.arestas.size();
    const auto desistir = [&] {
        filhos.coordenadas.resize(coordenadas);
        filhos.arestas.resize(arestas);
        return false;
    };
    for (std::size_t i = 0;;) {
        while (i < texto.size() && espacoSimples(texto[i]))
            ++i;
        if (i == texto.size())
            return true;
        std::string_view v[3];
        std::string_view p[2];
        double x, y, z;
        long long origem, destino;
        if (nomeSimples(texto, i, "coordenada")) {
            if (!elementoSimples(texto, i, xyz, v) || !numero(v[0], x) || !numero(v[1], y) || !numero(v[2], z))
                return desistir();
            filhos.coordenadas.emplace_back(x, y, z);
        } else if (tipo.arestas != nullptr && nomeSimples(texto, i, "aresta")) {
            if (!elementoSimples(texto, i, pontas, p) || !inteiro(p[0], origem) || !inteiro(p[1], destino))
                return desistir();
            filhos.arestas.emplace_back(origem, destino);
        } else {
            return desistir();
        }
    }
}

} // namespace FormatoXml

#include "importacao.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string_view>
#include <utility>

#include <QFileInfo>
#include <QString>

#include <tiny_obj_loader.h>

#include "cor.h"
#include "errosdearquivo.h"
#include "coordenada.h"
#include "objeto.h"
#include "objeto3d.h"
#include "ponto.h"

namespace Importacao {
namespace {

const Cor corDosModelos(0, 0, 0);

// The distinct edges of faces and lines, each once whatever its direction.
class Arestas {
public:
    // A closed loop; two vertices make one edge, one makes none.
    void face(const int* indices, std::size_t n)
    {
        if (n == 2) {
            adicionar(indices[0], indices[1]);
        } else if (n > 2) {
            for (std::size_t i = 0; i < n; ++i)
                adicionar(indices[i], indices[(i + 1) % n]);
        }
    }
    // An open polyline.
    void linha(const int* indices, std::size_t n)
    {
        for (std::size_t i = 1; i < n; ++i)
            adicionar(indices[i - 1], indices[i]);
    }
    bool vazia() const { return _chaves.empty(); }

    // The edges in ascending order of their ends, with vertex indices passed through local.
    template <typename Indice>
    std::vector<std::pair<int, int>> distintas(Indice local)
    {
        ordenar();
        _chaves.erase(std::unique(_chaves.begin(), _chaves.end()), _chaves.end());
        std::vector<std::pair<int, int>> arestas;
        arestas.reserve(_chaves.size());
        for (const std::uint64_t chave : _chaves)
            arestas.emplace_back(local(static_cast<int>(chave >> 32)), local(static_cast<int>(chave & 0xffffffffu)));
        return arestas;
    }
    // Both ends of every edge, ascending and each once.
    std::vector<int> vertices() const
    {
        std::vector<int> usados;
        usados.reserve(_chaves.size() * 2);
        for (const std::uint64_t chave : _chaves) {
            usados.push_back(static_cast<int>(chave >> 32));
            usados.push_back(static_cast<int>(chave & 0xffffffffu));
        }
        std::sort(usados.begin(), usados.end());
        usados.erase(std::unique(usados.begin(), usados.end()), usados.end());
        return usados;
    }

private:
    void adicionar(int a, int b)
    {
        // A face that repeats a vertex has no edge there.
        if (a == b)
            return;
        if (a > b)
            std::swap(a, b);
        _chaves.push_back(static_cast<std::uint64_t>(a) << 32 | static_cast<std::uint32_t>(b));
    }

    // The keys in ascending order. A mesh's edges are grouped by their lower end first, a count and
    // one pass over them, and each group of a few is sorted after: a sort of the millions of a scan's
    // edges at once is a seventh of its import. Ends far beyond the edges' number, which would make
    // the groups' table large, are sorted at once.
    void ordenar()
    {
        std::uint64_t maior = 0;
        for (const std::uint64_t chave : _chaves)
            maior = std::max(maior, chave >> 32);
        const std::size_t grupos = static_cast<std::size_t>(maior) + 1;
        if (grupos > 4 * _chaves.size() + 1024) {
            std::sort(_chaves.begin(), _chaves.end());
            return;
        }
        std::vector<std::size_t> inicio(grupos + 1, 0);
        for (const std::uint64_t chave : _chaves)
            ++inicio[(chave >> 32) + 1];
        for (std::size_t g = 0; g < grupos; ++g)
            inicio[g + 1] += inicio[g];
        std::vector<std::uint64_t> ordenadas(_chaves.size());
        std::vector<std::size_t> proxima(inicio.begin(), inicio.end() - 1);
        for (const std::uint64_t chave : _chaves)
            ordenadas[proxima[chave >> 32]++] = chave;
        for (std::size_t g = 0; g < grupos; ++g)
            std::sort(ordenadas.begin() + static_cast<std::ptrdiff_t>(inicio[g]),
                      ordenadas.begin() + static_cast<std::ptrdiff_t>(inicio[g + 1]));
        _chaves.swap(ordenadas);
    }

    std::vector<std::uint64_t> _chaves;
};

Coordenada vertice(double x, double y, double z)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        throw std::string("um vértice tem uma coordenada que não é um número finito");
    return Coordenada(x, y, z);
}

// One point per vertex, named after the file and numbered from 1.
std::vector<std::unique_ptr<Objeto>> pontos(const std::vector<Coordenada>& vertices, const std::string& nome)
{
    std::vector<std::unique_ptr<Objeto>> objetos;
    objetos.reserve(vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i)
        objetos.push_back(std::make_unique<Ponto>(nome + " " + std::to_string(i + 1), corDosModelos, vertices[i]));
    return objetos;
}

std::unique_ptr<Objeto> objeto3D(const std::string& nome, std::vector<Coordenada> vertices,
                                 std::vector<std::pair<int, int>> arestas)
{
    return std::make_unique<Objeto3D>(nome, corDosModelos, std::move(vertices), std::move(arestas));
}

// --- OBJ ----------------------------------------------------------------------------------------

// Checks an index that tinyobjloader handed over: it resolves relative indices without checking
// their range, and never checks the range of absolute ones.
int indiceDeVertice(const tinyobj::index_t& indice, int numeroDeVertices)
{
    if (indice.vertex_index < 0 || indice.vertex_index >= numeroDeVertices)
        throw std::string("uma face, linha ou ponto cita um vértice que o arquivo não tem");
    return indice.vertex_index;
}

// The text without its vertex weights ("vw" statements): texto itself when it has none, otherwise
// limpo, a copy with each such line blanked, so that lines keep their numbers. tinyobjloader turns a
// weight's joint into an int unchecked, which is undefined for one past the range of int, and a
// wireframe has no use for weights. Statements start a line, after blanks, as tinyobjloader reads them.
std::string_view semPesosDeVertices(std::string_view texto, std::string& limpo)
{
    limpo.clear();
    // Most files have none: one search instead of a look at every line.
    if (texto.find("vw") == std::string_view::npos)
        return texto;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (i > 0 && texto[i - 1] != '\n' && texto[i - 1] != '\r')
            continue;
        std::size_t j = texto.find_first_not_of(" \t", i);
        if (j == std::string_view::npos || texto.compare(j, 2, "vw") != 0 || j + 2 >= texto.size()
            || (texto[j + 2] != ' ' && texto[j + 2] != '\t'))
            continue;
        if (limpo.empty())
            limpo = texto;
        for (; j < texto.size() && texto[j] != '\n' && texto[j] != '\r'; ++j)
            limpo[j] = ' ';
    }
    return limpo.empty() ? texto : std::string_view(limpo);
}

// A text handed to a reader in pieces, telling progresso how far it has been read (out of total)
// before each: a cancel ends the text there, and cancelado() says so.
class TextoComProgresso : public std::streambuf {
public:
    TextoComProgresso(std::string_view texto, const Progresso& progresso, std::uint64_t total)
        : _texto(texto), _progresso(progresso), _total(total)
    {
    }
    bool cancelado() const { return _cancelado; }

protected:
    int_type underflow() override
    {
        constexpr std::size_t pedaco = 1 << 20;
        if (_lido == _texto.size() || _cancelado)
            return traits_type::eof();
        if (_progresso && !_progresso(_lido, _total)) {
            _cancelado = true;
            return traits_type::eof();
        }
        // The reader only reads from it.
        char* inicio = const_cast<char*>(_texto.data()) + _lido;
        const std::size_t n = std::min(pedaco, _texto.size() - _lido);
        setg(inicio, inicio, inicio + n);
        _lido += n;
        return traits_type::to_int_type(*inicio);
    }

private:
    std::string_view _texto;
    const Progresso& _progresso;
    std::uint64_t _total;
    std::size_t _lido = 0;
    bool _cancelado = false;
};

// What tinyobjloader reads of an OBJ text.
struct Obj {
    tinyobj::attrib_t atributos;
    std::vector<tinyobj::shape_t> formas;
};

// The text parsed by tinyobjloader, from the text alone, with no material file: a wireframe has no
// use for materials, and mtllib must not make us open other files. progresso hears of the bytes read,
// out of total.
void analisarObj(Obj& obj, std::string_view texto, const Progresso& progresso, std::uint64_t total)
{
    std::string semPesos;
    TextoComProgresso pedacos(semPesosDeVertices(texto, semPesos), progresso, total);
    std::istream entrada(&pedacos);
    std::stringbuf semMateriais;
    std::istream materiais(&semMateriais);
    tinyobj::MaterialStreamReader leitorDeMateriais(materiais);
    std::vector<tinyobj::material_t> descartados;
    std::string avisos;
    std::string motivo;
    const bool lido = tinyobj::LoadObj(&obj.atributos, &obj.formas, &descartados, &avisos, &motivo, &entrada,
                                       &leitorDeMateriais, false, false);
    if (pedacos.cancelado())
        throw Cancelado{};
    if (!lido) {
        while (!motivo.empty() && (motivo.back() == '\n' || motivo.back() == ' '))
            motivo.pop_back();
        throw "o arquivo não é um OBJ válido (" + motivo + ")";
    }
}

std::vector<Coordenada> verticesDoObj(const Obj& obj)
{
    const std::vector<tinyobj::real_t>& xyz = obj.atributos.vertices;
    if (xyz.size() / 3 > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw std::string("o arquivo tem vértices demais");
    const int numeroDeVertices = static_cast<int>(xyz.size() / 3);
    if (numeroDeVertices == 0)
        throw std::string("o arquivo não tem vértices");
    std::vector<Coordenada> vertices;
    vertices.reserve(numeroDeVertices);
    for (int i = 0; i < numeroDeVertices; ++i)
        vertices.push_back(vertice(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
    return vertices;
}

// The faces (fechado) or lines of one object or group into arestas, each piece tamanhos[k] indices
// of todos long; true when there was any piece.
template <typename Tamanhos>
bool lerPedacos(const std::vector<tinyobj::index_t>& todos, const Tamanhos& tamanhos, bool fechado,
                int numeroDeVertices, Arestas& arestas)
{
    std::vector<int> indices;
    std::size_t inicio = 0;
    for (const auto tamanho : tamanhos) {
        const std::size_t n = static_cast<std::size_t>(tamanho);
        // tinyobjloader counts a face's vertices in a byte: past 255 its counts no longer match its
        // indices.
        if (n > todos.size() - inicio)
            throw std::string("uma face tem vértices demais (o máximo é 255)");
        indices.clear();
        for (std::size_t k = 0; k < n; ++k)
            indices.push_back(indiceDeVertice(todos[inicio + k], numeroDeVertices));
        if (fechado)
            arestas.face(indices.data(), n);
        else
            arestas.linha(indices.data(), n);
        inicio += n;
    }
    if (inicio != todos.size())
        throw std::string("uma face tem vértices demais (o máximo é 255)");
    return !tamanhos.empty();
}

// One 3-D object per object or group with edges, named after it, with the vertices its edges use
// in file order; nome for one without a name.
std::vector<std::unique_ptr<Objeto>> objetosDasFormas(const std::vector<tinyobj::shape_t>& formas,
                                                      std::vector<Arestas>& arestasDasFormas,
                                                      const std::vector<Coordenada>& vertices, const std::string& nome)
{
    std::vector<std::unique_ptr<Objeto>> objetos;
    std::vector<int> local(vertices.size(), -1);
    for (std::size_t f = 0; f < formas.size(); ++f) {
        if (arestasDasFormas[f].vazia())
            continue;
        const std::vector<int> usados = arestasDasFormas[f].vertices();
        std::vector<Coordenada> proprios;
        proprios.reserve(usados.size());
        for (const int i : usados) {
            local[i] = static_cast<int>(proprios.size());
            proprios.push_back(vertices[i]);
        }
        objetos.push_back(objeto3D(formas[f].name.empty() ? nome : formas[f].name, std::move(proprios),
                                   arestasDasFormas[f].distintas([&local](int i) { return local[i]; })));
    }
    if (objetos.empty())
        throw std::string("as faces e linhas do arquivo não têm nenhuma aresta");
    return objetos;
}

} // namespace

std::vector<std::unique_ptr<Objeto>> lerObj(std::string_view texto, const std::string& nome, const Progresso& progresso)
{
    // The text read counts for two thirds of the work, its edges for the rest.
    const std::uint64_t total = texto.size() + texto.size() / 2 + 1;
    Obj obj;
    analisarObj(obj, texto, progresso, total);
    if (progresso && !progresso(texto.size(), total))
        throw Cancelado{};
    std::vector<Coordenada> vertices = verticesDoObj(obj);
    const int numeroDeVertices = static_cast<int>(vertices.size());

    // The edges of each object or group, in file order.
    const std::vector<tinyobj::shape_t>& formas = obj.formas;
    std::vector<Arestas> arestasDasFormas(formas.size());
    bool temFacesOuLinhas = false;
    for (std::size_t f = 0; f < formas.size(); ++f) {
        const tinyobj::shape_t& forma = formas[f];
        for (const tinyobj::index_t& i : forma.points.indices)
            indiceDeVertice(i, numeroDeVertices);
        temFacesOuLinhas |= lerPedacos(forma.mesh.indices, forma.mesh.num_face_vertices, true, numeroDeVertices,
                                       arestasDasFormas[f]);
        temFacesOuLinhas |= lerPedacos(forma.lines.indices, forma.lines.num_line_vertices, false, numeroDeVertices,
                                       arestasDasFormas[f]);
    }
    if (!temFacesOuLinhas)
        return pontos(vertices, nome);

    // Without objects or groups the one object takes every vertex of the file, in file order.
    if (formas.size() == 1 && formas[0].name.empty()) {
        if (arestasDasFormas[0].vazia())
            throw std::string("as faces e linhas do arquivo não têm nenhuma aresta");
        std::vector<std::unique_ptr<Objeto>> objetos;
        objetos.push_back(objeto3D(nome, std::move(vertices), arestasDasFormas[0].distintas([](int i) { return i; })));
        return objetos;
    }
    return objetosDasFormas(formas, arestasDasFormas, vertices, nome);
}

// --- OFF ----------------------------------------------------------------------------------------

namespace {

// The meaningful lines of an OFF file: comments from '#' on and blank lines are passed over.
class LinhasDeOff {
public:
    explicit LinhasDeOff(std::string_view texto) : _texto(texto) {}

    // The tokens of the next meaningful line; false at the end of the text.
    bool proxima(std::vector<std::string_view>& tokens)
    {
        while (_pos < _texto.size()) {
            std::size_t fim = _texto.find('\n', _pos);
            if (fim == std::string_view::npos)
                fim = _texto.size();
            std::string_view linha = _texto.substr(_pos, fim - _pos);
            _pos = fim + 1;
            ++_numero;
            linha = linha.substr(0, linha.find('#'));
            tokens.clear();
            std::size_t i = 0;
            while (i < linha.size()) {
                while (i < linha.size() && espaco(linha[i]))
                    ++i;
                const std::size_t inicio = i;
                while (i < linha.size() && !espaco(linha[i]))
                    ++i;
                if (i > inicio)
                    tokens.push_back(linha.substr(inicio, i - inicio));
            }
            if (!tokens.empty())
                return true;
        }
        return false;
    }
    int numero() const { return _numero; }
    // What is left to read: a count larger than this many lines cannot be right.
    std::size_t restante() const { return _texto.size() - std::min(_pos, _texto.size()); }

private:
    static bool espaco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

    std::string_view _texto;
    std::size_t _pos = 0;
    int _numero = 0;
};

template <typename Numero>
bool ler(std::string_view token, Numero& valor)
{
    if (!token.empty() && token.front() == '+')
        token.remove_prefix(1);
    const char* fim = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), fim, valor);
    return ec == std::errc() && ptr == fim;
}

std::string erroNaLinha(const LinhasDeOff& linhas, const std::string& motivo)
{
    return "linha " + std::to_string(linhas.numero()) + ": " + motivo;
}

// What the first meaningful lines say: which values follow each vertex (normals, then a colour) and
// how many vertices and faces there are.
struct CabecalhoDeOff {
    bool normais = false;
    bool cores = false;
    long long vertices = 0;
    long long faces = 0;
};

CabecalhoDeOff lerCabecalho(LinhasDeOff& linhas, std::vector<std::string_view>& tokens)
{
    if (!linhas.proxima(tokens))
        throw std::string("o arquivo está vazio");
    const std::string_view chave = tokens.front();
    CabecalhoDeOff c;
    if (chave == "COFF") {
        c.cores = true;
    } else if (chave == "NOFF") {
        c.normais = true;
    } else if (chave == "CNOFF") {
        c.normais = c.cores = true;
    } else if (chave != "OFF") {
        throw erroNaLinha(linhas, "o arquivo não começa por OFF, COFF, NOFF ou CNOFF; só o OFF de texto em 3-D é lido");
    }
    // The counts may share the keyword's line.
    tokens.erase(tokens.begin());
    if (tokens.empty() && !linhas.proxima(tokens))
        throw std::string("faltam os números de vértices, faces e arestas");
    long long arestas = 0;
    if (tokens.size() != 3 || !ler(tokens[0], c.vertices) || !ler(tokens[1], c.faces) || !ler(tokens[2], arestas)
        || c.vertices < 0 || c.faces < 0 || arestas < 0)
        throw erroNaLinha(linhas, "esperados três inteiros não negativos: vértices, faces e arestas");
    if (c.vertices == 0)
        throw erroNaLinha(linhas, "o arquivo não tem vértices");
    if (c.vertices > std::numeric_limits<int>::max())
        throw erroNaLinha(linhas, "o arquivo tem vértices demais");
    // Each vertex and each face takes a line of at least two characters.
    if (static_cast<unsigned long long>(c.vertices + c.faces) > linhas.restante() / 2 + 1)
        throw erroNaLinha(linhas, "o arquivo é curto demais para " + std::to_string(c.vertices) + " vértices e "
                                      + std::to_string(c.faces) + " faces");
    return c;
}

std::vector<Coordenada> lerVertices(LinhasDeOff& linhas, std::vector<std::string_view>& tokens, const CabecalhoDeOff& c)
{
    std::vector<Coordenada> vertices;
    vertices.reserve(static_cast<std::size_t>(c.vertices));
    const std::size_t valoresMinimos = 3 + (c.normais ? 3 : 0) + (c.cores ? 3 : 0);
    const std::size_t valoresMaximos = valoresMinimos + (c.cores ? 1 : 0);
    for (long long v = 0; v < c.vertices; ++v) {
        if (!linhas.proxima(tokens))
            throw std::string("o arquivo acaba antes do vértice " + std::to_string(v));
        if (tokens.size() < valoresMinimos || tokens.size() > valoresMaximos)
            throw erroNaLinha(linhas, "o vértice " + std::to_string(v) + " deveria ter " + std::to_string(valoresMinimos)
                                          + (valoresMaximos > valoresMinimos ? " ou " + std::to_string(valoresMaximos)
                                                                             : std::string())
                                          + " números");
        double xyz[3];
        for (std::size_t k = 0; k < tokens.size(); ++k) {
            double valor = 0;
            if (!ler(tokens[k], valor))
                throw erroNaLinha(linhas, "'" + std::string(tokens[k]) + "' não é um número");
            if (k < 3)
                xyz[k] = valor;
        }
        try {
            vertices.push_back(vertice(xyz[0], xyz[1], xyz[2]));
        } catch (const std::string& motivo) {
            throw erroNaLinha(linhas, motivo);
        }
    }
    return vertices;
}

// The face f on the line of tokens, its edges into arestas.
void lerFace(const LinhasDeOff& linhas, const std::vector<std::string_view>& tokens, long long f, long long vertices,
             std::vector<int>& indices, Arestas& arestas)
{
    long long n = 0;
    if (!ler(tokens[0], n) || n < 1 || static_cast<unsigned long long>(n) > tokens.size() - 1)
        throw erroNaLinha(linhas, "a face " + std::to_string(f) + " deveria começar pelo número dos seus vértices");
    // After the vertices a face may carry a colour: an index into a colour map, or 3 or 4 values.
    const std::size_t resto = tokens.size() - 1 - static_cast<std::size_t>(n);
    if (resto != 0 && resto != 1 && resto != 3 && resto != 4)
        throw erroNaLinha(linhas, "a face " + std::to_string(f) + " tem valores a mais depois dos seus vértices");
    indices.clear();
    for (long long k = 1; k <= n; ++k) {
        long long i = 0;
        if (!ler(tokens[k], i) || i < 0 || i >= vertices)
            throw erroNaLinha(linhas, "a face " + std::to_string(f) + " cita o vértice '" + std::string(tokens[k])
                                          + "', que o arquivo não tem");
        indices.push_back(static_cast<int>(i));
    }
    for (std::size_t k = static_cast<std::size_t>(n) + 1; k < tokens.size(); ++k) {
        double valor = 0;
        if (!ler(tokens[k], valor))
            throw erroNaLinha(linhas, "'" + std::string(tokens[k]) + "' não é um número");
    }
    arestas.face(indices.data(), indices.size());
}

} // namespace

std::vector<std::unique_ptr<Objeto>> lerOff(std::string_view texto, const std::string& nome, const Progresso& progresso)
{
    LinhasDeOff linhas(texto);
    std::vector<std::string_view> tokens;
    const CabecalhoDeOff cabecalho = lerCabecalho(linhas, tokens);
    std::vector<Coordenada> vertices = lerVertices(linhas, tokens, cabecalho);
    Arestas arestas;
    std::vector<int> indices;
    for (long long f = 0; f < cabecalho.faces; ++f) {
        if (f % 65536 == 0 && progresso && !progresso(texto.size() - linhas.restante(), texto.size() + 1))
            throw Cancelado{};
        if (!linhas.proxima(tokens))
            throw std::string("o arquivo acaba antes da face " + std::to_string(f));
        lerFace(linhas, tokens, f, cabecalho.vertices, indices, arestas);
    }
    if (linhas.proxima(tokens))
        throw erroNaLinha(linhas, "há conteúdo depois da última face");

    if (cabecalho.faces == 0)
        return pontos(vertices, nome);
    if (arestas.vazia())
        throw std::string("as faces do arquivo não têm nenhuma aresta");
    std::vector<std::unique_ptr<Objeto>> objetos;
    objetos.push_back(objeto3D(nome, std::move(vertices), arestas.distintas([](int i) { return i; })));
    return objetos;
}

namespace {

std::string naoImportou(const QString& caminho, const std::string& motivo)
{
    return "Não foi possível importar '" + ErrosDeArquivo::nome(caminho) + "': " + motivo + ".";
}

// The format of the model at caminho, "obj" or "off", by its suffix; refused otherwise.
QString formatoDe(const QString& caminho)
{
    const QString sufixo = QFileInfo(caminho).suffix().toLower();
    if (sufixo != QLatin1String("obj") && sufixo != QLatin1String("off"))
        throw naoImportou(caminho, "só são lidos modelos Wavefront OBJ (.obj) e OFF (.off)");
    return sufixo;
}

} // namespace

std::vector<std::unique_ptr<Objeto>> lerModelo(const QString& caminho, const Progresso& progresso)
{
    // Read whole: a model larger than this would take more memory as objects than a desktop has.
    constexpr long long tamanhoMaximo = 2LL * 1024 * 1024 * 1024;
    formatoDe(caminho);
    QByteArray conteudo;
    try {
        conteudo = ErrosDeArquivo::lerTudo(caminho, tamanhoMaximo);
    } catch (const ErrosDeArquivo::FalhaDeLeitura& falha) {
        throw naoImportou(caminho, "o arquivo " + falha.frase);
    }
    return lerModelo(caminho, conteudo, progresso);
}

std::vector<std::unique_ptr<Objeto>> lerModelo(const QString& caminho, const QByteArray& conteudo,
                                               const Progresso& progresso)
{
    const QString formato = formatoDe(caminho);
    const std::string nome = QFileInfo(caminho).completeBaseName().toStdString();
    try {
        if (formato == QLatin1String("obj"))
            return lerObj(std::string_view(conteudo.constData(), static_cast<std::size_t>(conteudo.size())), nome,
                          progresso);
        return lerOff(std::string_view(conteudo.constData(), static_cast<std::size_t>(conteudo.size())), nome,
                      progresso);
    } catch (const std::string& motivo) {
        throw naoImportou(caminho, motivo);
    } catch (const std::invalid_argument& motivo) {
        // The objects' own checks; the readers above leave nothing for them to refuse.
        throw naoImportou(caminho, motivo.what());
    } catch (const std::bad_alloc&) {
        throw naoImportou(caminho, "não há memória para o modelo");
    }
}

} // namespace Importacao

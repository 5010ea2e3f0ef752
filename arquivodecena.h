#ifndef ARQUIVODECENA_H
#define ARQUIVODECENA_H

#include <string>

class DisplayFile;
class QByteArray;
class QString;
class TiXmlDocument;
class Viewport;
class Window;

// Scene files on disk, for the save and load commands: a file is read whole and checked before
// TinyXML parses it, and written whole or not at all. Faults are thrown as std::string, in the
// words the commands write to standard error.
namespace ArquivoDeCena {

// TinyXML parses nested elements recursively, one stack frame per level: a file nested some
// 100,000 levels deep overflows the stack. Ours are three levels deep.
constexpr int profundidadeMaxima = 64;

// TinyXML checks each new attribute against every earlier one of its element, which takes time
// quadratic in their number. Ours carry at most four.
constexpr int atributosMaximos = 64;

// TinyXML counts lines and columns in ints, and a tab moves its column to the next multiple of the
// tab size: no file of up to tamanhoMaximo bytes, nor its conversion to UTF-8 (which keeps the
// characters), can take the column past INT_MAX.
constexpr long long tamanhoMaximo = 256LL * 1024 * 1024;
constexpr int tabulacao = 4;
static_assert(tamanhoMaximo * tabulacao < 2147483647LL, "TinyXML's column counter would overflow");

// What TinyXML meets parsing texto in UTF-8 mode (the text ends at its first NUL, as it does for
// TinyXML), found by following its own reading of declarations, comments, CDATA, unknown tags,
// attribute values and multi-byte characters, so that nothing it parses as an element is passed
// over here. The scan stops at the first of these faults.
struct Estrutura {
    // The deepest element nesting, an element and its ancestors; stops growing once past the limit.
    int profundidade = 0;
    // The first element with more than atributosMaximos attributes, quoted for a message, and its
    // line (from 1); line 0 when there is none.
    std::string elementoComAtributosDemais;
    int linhaDoElemento = 0;
    // Where TinyXML stops reading without a word: at text outside every element, such as the end
    // of a DOCTYPE's internal subset (its "]>"), which it cannot read. The line (from 1) and
    // whether it is that subset; line 0 when the text was read to its end.
    int linhaDeTextoSolto = 0;
    bool subconjuntoInterno = false;
};
Estrutura estrutura(const std::string& texto, int limiteDeProfundidade = profundidadeMaxima);

int profundidadeDeElementos(const std::string& texto, int limite = profundidadeMaxima);

// The bytes as TinyXML's LoadFile hands them to its parser (up to the first NUL, with CR LF and
// lone CR made LF), followed by NULs: TinyXML steps over the whole of a multi-byte character whose
// lead byte it reads, even when the text ends inside it, and then reads where it landed.
std::string textoParaOTinyXml(const QByteArray& bytes);

// Reads the file at caminho into doc. Throws "Erro desconhecido." when the name is empty, the file
// cannot be read or TinyXML rejects it, and a message of its own when it is larger than
// tamanhoMaximo, nests too deep or holds an element with too many attributes.
void ler(const QString& caminho, TiXmlDocument& doc);
// The same checks and parse for a file's contents already in memory.
void lerConteudo(const QByteArray& bytes, TiXmlDocument& doc);

// Reads the scene file at caminho into the viewport's camera and scene, all or nothing: what the
// load command and the command line both do. Throws as ler does, and "Tag raiz 'formas' ausente."
// or the library's message.
void carregar(const QString& caminho, Viewport& viewport);
// The same, into janela (kept when the file has no camera) and cena, for a caller that puts them in
// place itself; they are half read when it throws.
void carregar(const QString& caminho, Window& janela, DisplayFile& cena);

// Writes doc to caminho through a temporary file that replaces it only once complete, so that a
// failure leaves whatever was there. Throws "Não foi possível salvar em '<caminho>': <motivo>.".
void salvar(const QString& caminho, const TiXmlDocument& doc);

} // namespace ArquivoDeCena

#endif

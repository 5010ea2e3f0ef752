#ifndef ARQUIVODECENA_H
#define ARQUIVODECENA_H

#include <string>

class QByteArray;
class QString;
class TiXmlDocument;

// Scene files on disk, for the save and load commands: a file is read whole and checked before
// TinyXML parses it, and written whole or not at all. Faults are thrown as std::string, in the
// words the commands write to standard error.
namespace ArquivoDeCena {

// TinyXML parses nested elements recursively, one stack frame per level: a file nested some
// 100,000 levels deep overflows the stack. Ours are three levels deep.
constexpr int profundidadeMaxima = 64;

// The deepest element nesting that TinyXML reaches parsing texto in UTF-8 mode (an element and its
// ancestors; the text ends at its first NUL, as it does for TinyXML). Follows TinyXML's own reading
// of declarations, comments, CDATA, unknown tags, attribute values and multi-byte characters, so that
// nothing it parses as an element is passed over here. Stops counting once past limite.
int profundidadeDeElementos(const std::string& texto, int limite = profundidadeMaxima);

// Reads the file at caminho into doc. Throws "Erro desconhecido." when the name is empty, the file
// cannot be read or TinyXML rejects it, and a message of its own when it nests too deep.
void ler(const QString& caminho, TiXmlDocument& doc);
// The same checks and parse for a file's contents already in memory.
void lerConteudo(const QByteArray& bytes, TiXmlDocument& doc);

// Writes doc to caminho through a temporary file that replaces it only once complete, so that a
// failure leaves whatever was there. Throws "Não foi possível salvar em '<caminho>': <motivo>.".
void salvar(const QString& caminho, const TiXmlDocument& doc);

} // namespace ArquivoDeCena

#endif

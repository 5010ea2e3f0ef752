#ifndef ARQUIVODECENA_H
#define ARQUIVODECENA_H

#include <cstddef>
#include <string>
#include <vector>

#include <QByteArray>

#include "leituraempedacos.h"
#include "progresso.h"
#include "varredura.h"
#include "xmldacena.h"

class DisplayFile;
class QString;
class TiXmlDocument;
class TiXmlElement;
class Viewport;
class Window;

// Scene files on disk, for the save and load commands: a file's bytes are read at once and checked
// before TinyXML parses them (in pieces when the file has the usual shape), and a file is written as
// it is made but takes its name only once whole. Faults are thrown as std::string, in the words the
// commands write to standard error.
namespace ArquivoDeCena {

// TinyXML counts lines and columns in ints, and a tab moves its column to the next multiple of the
// tab size: no file of up to tamanhoMaximo bytes, nor its conversion to UTF-8 (which keeps the
// characters), can take the column past INT_MAX.
constexpr long long tamanhoMaximo = 256LL * 1024 * 1024;
constexpr int tabulacao = 4;
static_assert(tamanhoMaximo * tabulacao < 2147483647LL, "TinyXML's column counter would overflow");

// The bytes as TinyXML's LoadFile hands them to its parser (up to the first NUL, with CR LF and
// lone CR made LF), followed by NULs: TinyXML steps over the whole of a multi-byte character whose
// lead byte it reads, even when the text ends inside it, and then reads where it landed.
std::string textoParaOTinyXml(const QByteArray& bytes);

// Reads the file at caminho into doc. Throws "Erro desconhecido." when the name is empty (a
// cancelled dialog); otherwise a message that names the file and says what is wrong (ErrosDeArquivo):
// it does not exist, is empty, cannot be read, is not well-formed XML (with the line and column), is
// larger than tamanhoMaximo, nests too deep or holds an element with too many attributes.
void ler(const QString& caminho, TiXmlDocument& doc);
// The same checks and parse for the contents of the file caminho, already in memory.
void lerConteudo(const QByteArray& bytes, TiXmlDocument& doc, const QString& caminho);

// The root <formas> of a scene file read into doc. Throws "Tag raiz 'formas' ausente.".
TiXmlElement* raiz(TiXmlDocument& doc);

// Reads the scene file at caminho into the viewport's camera and scene, all or nothing: what the
// load command and the command line both do. Throws as ler does, and "Tag raiz 'formas' ausente."
// or the library's message.
void carregar(const QString& caminho, Viewport& viewport);
// The same, into janela (kept when the file has no camera) and cena, for a caller that puts them in
// place itself; they are half read when it throws. A file of the usual shape is read in pieces
// (LeituraEmPedacos), so that no whole document is ever held, and progresso counts its bytes;
// Cancelado leaves janela and cena as they were.
void carregar(const QString& caminho, Window& janela, DisplayFile& cena, const Progresso& progresso = {});
// The same, also giving the root's attributes beside what the library reads (a recovery copy's own).
void carregar(const QString& caminho, Window& janela, DisplayFile& cena, Atributos& atributosDaRaiz);
// The same for the contents of the file caminho, already in memory, read in pieces of about
// tamanhoDoPedaco bytes.
void carregarConteudo(QByteArray bytes, const QString& caminho, Window& janela, DisplayFile& cena,
                      const Progresso& progresso = {},
                      std::size_t tamanhoDoPedaco = LeituraEmPedacos::tamanhoPadrao);

// Writes the scene file of camera and cena (XmlDaCena::escreverDocumento) to caminho as it is made,
// byte for byte what TinyXML prints of that document but without ever holding it whole, through a
// temporary file that replaces caminho only once complete and synced: a failure or a cancel
// (progresso, in elements written) leaves whatever was there. Then syncs the directory, so that the
// new file keeps the name through a power cut (when that fails the file is replaced but the save is
// reported failed). Throws "Não foi possível salvar em '<caminho>': <motivo>.", the library's
// message, or Cancelado.
void salvar(const QString& caminho, const Window& camera, const DisplayFile& cena,
            const std::vector<XmlDaCena::Atributo>& atributosDaRaiz = {}, const Progresso& progresso = {});
// The same for a whole document, as TinyXML prints it.
void salvar(const QString& caminho, const TiXmlDocument& doc);

} // namespace ArquivoDeCena

#endif

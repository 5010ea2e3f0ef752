#ifndef VARREDURA_H
#define VARREDURA_H

#include <cstddef>
#include <string>
#include <string_view>

// A scan of a scene file's text before TinyXML parses it. TinyXML has no limits of its own: it
// recurses once per level of nesting and compares every attribute with all the earlier ones of its
// element, so a hostile file could overflow the stack or take hours before TinyXML says a word.
// This scan reads the text as TinyXML will, without recursion and in linear time, so that such a
// file is refused with a message and never handed to TinyXML; it also finds where TinyXML would
// stop reading without a word, so that the user is told which line it cannot read.
namespace ArquivoDeCena {

// TinyXML parses nested elements recursively, one stack frame per level: a file nested some
// 100,000 levels deep overflows the stack. Ours are three levels deep.
constexpr int profundidadeMaxima = 64;

// TinyXML checks each new attribute against every earlier one of its element, which takes time
// quadratic in their number. Ours carry at most four.
constexpr int atributosMaximos = 64;

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
    // The innermost element still open where the scan stopped, quoted for a message: the one whose
    // end tag TinyXML finds missing when it stops there. Empty when none is open.
    std::string elementoAberto;
    // Whether the scan read the text to its end, every element closed, with none of the faults above.
    bool completa = false;
};

// What the scan meets, in the order of the text, for a reader that parses it in pieces. Levels count
// from 1 for an element outside every other; offsets are bytes of the text.
class ObservadorDaVarredura {
public:
    enum class No { declaracao, comentario, outro };

    virtual ~ObservadorDaVarredura() = default;
    // The start tag of an element named nome, read from inicio up to just past its '>'; vazio when it
    // closes itself (<e/>).
    virtual void elemento(int nivel, std::string_view nome, std::size_t inicio, std::size_t fimDaAbertura,
                          bool vazio) = 0;
    // The end tag of the element of nivel, from its '<' up to just past its '>'.
    virtual void fimDoElemento(int nivel, std::size_t inicio, std::size_t fim) = 0;
    // Any other node read inside elements of nivel (0: outside every element); text that is not white
    // space is one (outro).
    virtual void no(int nivel, No tipo) = 0;
};

// observador, when given, hears of everything the scan reads, up to where it stops.
Estrutura estrutura(const std::string& texto, int limiteDeProfundidade = profundidadeMaxima,
                    ObservadorDaVarredura* observador = nullptr);

int profundidadeDeElementos(const std::string& texto, int limite = profundidadeMaxima);

} // namespace ArquivoDeCena

#endif

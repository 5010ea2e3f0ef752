#ifndef LEITURAEMPEDACOS_H
#define LEITURAEMPEDACOS_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "progresso.h"
#include "varredura.h"

class DisplayFile;
class Objeto;
class TiXmlElement;
class Window;
struct TipoDeObjeto;

namespace ArquivoDeCena {

// An element's attributes, names and values, in their order.
using Atributos = std::vector<std::pair<std::string, std::string>>;
Atributos atributosDe(const TiXmlElement& elemento);

// A scene file's text read in pieces, each parsed by TinyXML on its own and on every core, so that no
// whole document is alive at once, even inside one huge object: the file's frame (what lies around
// the root's children), runs of objects, each <window>, and for a large object its start tag and runs
// of its children. The scan that retraces TinyXML's reading (varredura.h) says where each piece
// begins and ends, as it hears of elements here. TinyXML stays the reader of record: anything out of
// the usual (a second root, inside the root anything but elements, comments and white space, or a
// fault of any piece) makes the reading give up, and the file is read whole, which accepts or names
// the fault exactly as before.
class LeituraEmPedacos : public ObservadorDaVarredura {
public:
    // Pieces of about this many bytes; an object longer than that is read in pieces of its own.
    static constexpr std::size_t tamanhoPadrao = 512u << 10;

    explicit LeituraEmPedacos(std::size_t tamanhoDoPedaco = tamanhoPadrao) : _tamanhoDoPedaco(tamanhoDoPedaco) {}

    void elemento(int nivel, std::string_view nome, std::size_t inicio, std::size_t fimDaAbertura,
                  bool vazio) override;
    void fimDoElemento(int nivel, std::size_t inicio, std::size_t fim) override;
    void no(int nivel, No tipo) override;

    // Reads texto, scanned whole with this observer (Estrutura::completa), into camera and cena,
    // which change only when true is returned; false when the file must be read whole. progresso
    // counts bytes of texto; Cancelado, or an exception of the library's own (bad_alloc), passes.
    bool ler(const std::string& texto, Window& camera, DisplayFile& cena, const Progresso& progresso);
    // The root's attributes, in their order, once ler has returned true.
    const Atributos& atributosDaRaiz() const { return _atributosDaRaiz; }

private:
    // A child of the root.
    struct Elemento {
        std::size_t inicio;
        std::size_t fimDaAbertura;
        std::size_t inicioDoFim;
        std::size_t fim;
        bool window;
        // Its kind, null when it names none.
        const TipoDeObjeto* tipo;
        // Where each run of its children begins, a new one past every half piece.
        std::vector<std::size_t> lotes;

        // Read in pieces of its own.
        bool grande(std::size_t pedaco) const { return fim - inicio > pedaco && !lotes.empty(); }
    };
    struct Pedaco;
    struct Resultado;

    std::vector<Pedaco> pedacos() const;
    // The frame: the text but the root's children, parsed, keeping the root's attributes; false unless
    // its root is <formas>.
    bool moldura(std::string_view texto);
    // Parses and reads one piece into resultado, copia being room for its text; throws Desistir on
    // any fault.
    void lerPedaco(std::string_view texto, const Pedaco& pedaco, Resultado& resultado, std::string& copia) const;
    // The objects of the pieces, in order; throws Desistir on any fault.
    std::vector<std::unique_ptr<Objeto>> objetos(std::vector<Pedaco>& lista, std::vector<Resultado>& resultados) const;

    std::size_t _tamanhoDoPedaco;
    bool _fora = false;
    int _raizes = 0;
    std::size_t _fimDaAberturaDaRaiz = 0;
    std::size_t _inicioDoFimDaRaiz = 0;
    std::vector<Elemento> _filhos;
    Atributos _atributosDaRaiz;
};

} // namespace ArquivoDeCena

#endif

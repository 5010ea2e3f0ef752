#ifndef SAIDAEMTEXTO_H
#define SAIDAEMTEXTO_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "saidaxml.h"

// A layout written as the text TiXmlPrinter prints of the same nodes, byte for byte (four spaces of
// indent per level, a line break after each node, an element without children as <e a="v" />,
// values escaped by TinyXML's own EncodeString and quoted with ' when they hold a "), handed to
// despejar in pieces of about pedaco bytes as it grows, with the count of elements opened by then,
// so that no whole document is ever held: a file is written as it goes. terminar() hands over the
// rest.
class SaidaEmTexto : public SaidaXml {
public:
    static constexpr std::size_t pedacoPadrao = 1 << 20;

    using Despejar = std::function<void(std::string_view texto, std::size_t elementos)>;

    explicit SaidaEmTexto(Despejar despejar, std::size_t pedaco = pedacoPadrao);

    void declaracao(const char* versao) override;
    void abrir(const char* elemento) override;
    void atributo(const char* nome, std::string_view valor) override;
    void fechar() override;
    void terminar();

    // Bytes written so far, handed over or not, and elements opened so far.
    std::size_t bytes() const { return _despejados + _texto.size(); }
    std::size_t elementos() const { return _elementos; }

private:
    void recuar();
    void talvezDespejar();

    Despejar _despejar;
    std::size_t _pedaco;
    std::size_t _despejados = 0;
    std::size_t _elementos = 0;
    std::string _texto;
    std::vector<const char*> _abertos;
    // The start tag of the element opened last is not closed yet: it has no child so far.
    bool _inicioAberto = false;
    std::string _codificado;
};

#endif

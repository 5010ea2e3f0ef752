#ifndef SAIDAXML_H
#define SAIDAXML_H

#include <string_view>

// Where an XML layout is written, in document order: an element opened under the one open (or at
// the top), its attributes, its children, and the element closed. The layout is written once
// (FormatoXml) for every destination: TinyXML's nodes (SaidaEmNos), or the text TinyXML prints of
// them, written as it goes (SaidaEmTexto).
class SaidaXml {
public:
    virtual ~SaidaXml() = default;

    // An XML declaration carrying the version alone.
    virtual void declaracao(const char* versao) = 0;
    // Opens a child element of the element open, or of the top; elemento lives until it is closed.
    virtual void abrir(const char* elemento) = 0;
    // An attribute of the element open, before its first child.
    virtual void atributo(const char* nome, std::string_view valor) = 0;
    // Closes the element open.
    virtual void fechar() = 0;
};

#endif

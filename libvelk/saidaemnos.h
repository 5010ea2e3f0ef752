#ifndef SAIDAEMNOS_H
#define SAIDAEMNOS_H

#include <string_view>
#include <vector>

#include "saidaxml.h"

class TiXmlNode;

// A layout written as TinyXML nodes under a node given: its attributes, when it is an element, are
// the first written; elements opened become its children, in order. Nodes made here belong to their
// parents as soon as they are made.
class SaidaEmNos : public SaidaXml {
public:
    explicit SaidaEmNos(TiXmlNode* onde);

    void declaracao(const char* versao) override;
    void abrir(const char* elemento) override;
    void atributo(const char* nome, std::string_view valor) override;
    void fechar() override;

private:
    std::vector<TiXmlNode*> _abertos;
};

#endif

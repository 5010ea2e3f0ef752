#include "saidaemnos.h"

#include <string>

#include <tinyxml.h>

SaidaEmNos::SaidaEmNos(TiXmlNode* onde) : _abertos{onde} {}

void SaidaEmNos::declaracao(const char* versao)
{
    _abertos.back()->LinkEndChild(new TiXmlDeclaration(versao, "", ""));
}

void SaidaEmNos::abrir(const char* elemento)
{
    _abertos.push_back(_abertos.back()->LinkEndChild(new TiXmlElement(elemento)));
}

void SaidaEmNos::atributo(const char* nome, std::string_view valor)
{
    _abertos.back()->ToElement()->SetAttribute(nome, std::string(valor));
}

void SaidaEmNos::fechar()
{
    _abertos.pop_back();
}

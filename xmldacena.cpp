#include "xmldacena.h"

#include <iostream>

#include <tinyxml.h>

#include "displayfile.h"
#include "saidaemnos.h"
#include "window.h"

namespace XmlDaCena {

void escreverDocumento(SaidaXml& saida, const Window& camera, const DisplayFile& cena,
                       const std::vector<Atributo>& atributosDaRaiz)
{
    saida.declaracao("1.0");
    saida.abrir("formas");
    for (const Atributo& a : atributosDaRaiz)
        saida.atributo(a.nome, a.valor);
    saida.abrir("window");
    camera.persist(saida);
    saida.fechar();
    cena.persist(saida);
    saida.fechar();
}

std::unique_ptr<TiXmlDocument> documento(const Window& camera, const DisplayFile& cena,
                                         const std::vector<Atributo>& atributosDaRaiz)
{
    auto doc = std::make_unique<TiXmlDocument>();
    SaidaEmNos saida(doc.get());
    escreverDocumento(saida, camera, cena, atributosDaRaiz);
    return doc;
}

void escrever(TiXmlNode* formas, const Window& camera, const DisplayFile& cena)
{
    auto window = std::make_unique<TiXmlElement>("window");
    camera.persist(window.get());
    formas->LinkEndChild(window.release());
    cena.persist(formas);
}

void ler(TiXmlNode* formas, Window& camera, DisplayFile& cena)
{
    // An element: a comment that reads "window" is no camera.
    if (TiXmlElement* window = formas->FirstChildElement("window"))
        camera.restore(window);
    else
        std::cerr << "Não há window especificada no arquivo XML, mantendo a window atual." << std::endl;
    cena.restore(formas);
}

} // namespace XmlDaCena

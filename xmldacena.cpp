#include "xmldacena.h"

#include <iostream>

#include <tinyxml.h>

#include "displayfile.h"
#include "window.h"

namespace XmlDaCena {

std::unique_ptr<TiXmlDocument> documento(const Window& camera, const DisplayFile& cena)
{
    auto doc = std::make_unique<TiXmlDocument>();
    // Owned here until linked, in case the scene throws while it is written.
    auto declaracao = std::make_unique<TiXmlDeclaration>("1.0", "", "");
    auto formas = std::make_unique<TiXmlElement>("formas");
    escrever(formas.get(), camera, cena);
    doc->LinkEndChild(declaracao.release());
    doc->LinkEndChild(formas.release());
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

#include "displayfile.h"

#include <memory>
#include <utility>

#include "formatoxml.h"
#include "objeto.h"

DisplayFile::DisplayFile(const DisplayFile& outro)
{
    listaDeObjetos.reserve(outro.listaDeObjetos.size());
    try {
        for (const Objeto* o : outro.listaDeObjetos)
            listaDeObjetos.push_back(o->clone());
    } catch (...) {
        for (Objeto* o : listaDeObjetos)
            delete o;
        throw;
    }
}

DisplayFile::DisplayFile(DisplayFile&& outro) noexcept : listaDeObjetos(std::move(outro.listaDeObjetos))
{
    outro.listaDeObjetos.clear();
}

DisplayFile& DisplayFile::operator=(const DisplayFile& outro)
{
    if (this != &outro) {
        DisplayFile copia(outro);
        *this = std::move(copia);
    }
    return *this;
}

DisplayFile& DisplayFile::operator=(DisplayFile&& outro) noexcept
{
    if (this != &outro) {
        std::swap(listaDeObjetos, outro.listaDeObjetos);
        for (Objeto* o : outro.listaDeObjetos)
            delete o;
        outro.listaDeObjetos.clear();
    }
    return *this;
}

DisplayFile::~DisplayFile()
{
    for (Objeto* o : listaDeObjetos)
        delete o;
}

void DisplayFile::persist(TiXmlNode* where) const
{
    FormatoXml::escreverObjetos(where, listaDeObjetos);
}

void DisplayFile::restore(TiXmlNode* where)
{
    std::vector<std::unique_ptr<Objeto>> lidos = FormatoXml::lerObjetos(where);
    std::vector<Objeto*> novos;
    novos.reserve(lidos.size());
    // Nothing below can throw: the old objects are replaced only once the whole file has been read.
    for (std::unique_ptr<Objeto>& o : lidos)
        novos.push_back(o.release());
    std::swap(listaDeObjetos, novos);
    for (Objeto* o : novos)
        delete o;
}

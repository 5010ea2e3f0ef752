#include "displayfile.h"

#include <memory>
#include <utility>

#include "formatoxml.h"
#include "objeto.h"

namespace {

// Deletes every object of objetos. Each object and its lists lie elsewhere on the heap: the next
// ones are asked of the cache while one is freed, or freeing a large projection waits on memory at
// every object.
void apagar(const std::vector<Objeto*>& objetos) noexcept
{
    const std::size_t n = objetos.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i + 8 < n && objetos[i + 8] != nullptr)
            __builtin_prefetch(objetos[i + 8]);
        if (i + 4 < n && objetos[i + 4] != nullptr)
            __builtin_prefetch(objetos[i + 4]->coordenadas().data());
        delete objetos[i];
    }
}

} // namespace

DisplayFile::DisplayFile(const DisplayFile& outro)
{
    listaDeObjetos.reserve(outro.listaDeObjetos.size());
    try {
        for (const Objeto* o : outro.listaDeObjetos)
            listaDeObjetos.push_back(o->clone());
    } catch (...) {
        apagar(listaDeObjetos);
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
        apagar(outro.listaDeObjetos);
        outro.listaDeObjetos.clear();
    }
    return *this;
}

DisplayFile::~DisplayFile()
{
    apagar(listaDeObjetos);
}

void DisplayFile::persist(TiXmlNode* where) const
{
    FormatoXml::escreverObjetos(where, listaDeObjetos);
}

void DisplayFile::persist(SaidaXml& saida) const
{
    FormatoXml::escreverObjetos(saida, listaDeObjetos);
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
    apagar(novos);
}

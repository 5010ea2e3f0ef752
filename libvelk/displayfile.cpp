#include "displayfile.h"

#include <utility>

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

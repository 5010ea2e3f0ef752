#ifndef DISPLAYFILE_H
#define DISPLAYFILE_H

#include <vector>

class Objeto;
class SaidaXml;
class TiXmlElement;
class TiXmlNode;

// The scene: an ordered list of objects.
// Ownership: a DisplayFile owns every object in listaDeObjetos and deletes them when it is destroyed
// or when restore replaces them. Nothing else deletes them. Copying clones every object; moving
// moves the pointers.
class DisplayFile {
public:
    DisplayFile() = default;
    DisplayFile(const DisplayFile& outro);
    DisplayFile(DisplayFile&& outro) noexcept;
    DisplayFile& operator=(const DisplayFile& outro);
    DisplayFile& operator=(DisplayFile&& outro) noexcept;
    ~DisplayFile();

    // Appends one element per object under where.
    void persist(TiXmlNode* where) const;
    // The same into the element open in saida.
    void persist(SaidaXml& saida) const;
    // Reads every element child of where except <window>; builds all objects first and only then
    // replaces the old ones. Throws std::string (in Portuguese, naming the line) on any fault, and
    // then leaves the display file as it was.
    void restore(TiXmlNode* where);

    std::vector<Objeto*> listaDeObjetos;
};

#endif

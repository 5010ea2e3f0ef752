#ifndef XMLDACENA_H
#define XMLDACENA_H

#include <memory>
#include <string>
#include <vector>

class DisplayFile;
class SaidaXml;
class TiXmlDocument;
class TiXmlNode;
class Window;

// The scene file's frame, in one place: a declaration of version 1.0, the root <formas>, first the
// camera's <window> and then one element per object. The camera's and the objects' elements are the
// library's (Window::persist, DisplayFile::persist, FormatoXml); the frame is the program's.
namespace XmlDaCena {

// An attribute of the root, beside what the library writes.
struct Atributo {
    const char* nome;
    std::string valor;
};

// The whole document for camera and cena, into saida: the declaration, then <formas> with
// atributosDaRaiz, its <window> and its objects. Throws std::string as the library does, with saida
// then written in part (a file written as it goes is abandoned).
void escreverDocumento(SaidaXml& saida, const Window& camera, const DisplayFile& cena,
                       const std::vector<Atributo>& atributosDaRaiz = {});
// The same as TinyXML's nodes.
std::unique_ptr<TiXmlDocument> documento(const Window& camera, const DisplayFile& cena,
                                         const std::vector<Atributo>& atributosDaRaiz = {});
// Writes <window> and then the objects under formas.
void escrever(TiXmlNode* formas, const Window& camera, const DisplayFile& cena);
// Reads them from formas into camera (kept, with a line on standard error, when formas has no
// <window>) and cena. Throws std::string as the library does; camera and cena are then half read.
void ler(TiXmlNode* formas, Window& camera, DisplayFile& cena);

} // namespace XmlDaCena

#endif

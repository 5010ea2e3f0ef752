#ifndef XMLDACENA_H
#define XMLDACENA_H

#include <memory>

class DisplayFile;
class TiXmlDocument;
class TiXmlNode;
class Window;

// The scene file's frame, in one place: a declaration of version 1.0, the root <formas>, first the
// camera's <window> and then one element per object. The camera's and the objects' elements are the
// library's (Window::persist, DisplayFile::persist, FormatoXml); the frame is the program's.
namespace XmlDaCena {

// The whole document for camera and cena. Throws std::string as the library does.
std::unique_ptr<TiXmlDocument> documento(const Window& camera, const DisplayFile& cena);
// Writes <window> and then the objects under formas.
void escrever(TiXmlNode* formas, const Window& camera, const DisplayFile& cena);
// Reads them from formas into camera (kept, with a line on standard error, when formas has no
// <window>) and cena. Throws std::string as the library does; camera and cena are then half read.
void ler(TiXmlNode* formas, Window& camera, DisplayFile& cena);

} // namespace XmlDaCena

#endif

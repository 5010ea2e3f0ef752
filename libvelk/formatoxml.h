#ifndef FORMATOXML_H
#define FORMATOXML_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "coordenada.h"
#include "projecao.h"
#include "vetor.h"

class Objeto;
class SaidaXml;
struct TipoDeObjeto;
class TiXmlElement;
class TiXmlNode;

// The scene file's layout of the camera and of every kind of object, kept in one place.
// Numbers are written in their shortest round-trip form and read with std::from_chars over the whole
// attribute, so that neither the user's locale nor TinyXML's six digits touch them. Reading is strict:
// any fault is thrown as a std::string in Portuguese that names the line, the element and the fault.
namespace FormatoXml {

// File text as a message quotes it: control characters, and bytes that are not UTF-8, are shown
// escaped (\n, \x1B, \u009B, \xE0, and a backslash as \\), so that no file can drive the
// user's terminal; past limite bytes of the original the rest is cut, on a character, with "…".
std::string textoVisivel(const std::string& texto, std::size_t limite = 40);

// Whether an XML 1.0 document can hold the character c: tab, line feed, carriage return and every
// character from U+0020 on, except the surrogates, U+FFFE and U+FFFF.
bool caractereXml(char32_t c);

struct EstadoDaWindow {
    Coordenada centro;
    Vetor direita;
    Vetor cima;
    double distancia = 0.0;
    // Written as projecao="ortogonal" or "obliqua"; perspective writes no attribute, so that its
    // files stay as they always were, and a file without one reads as perspective.
    Projecao projecao = Projecao::perspectiva;
};

// Both refuse a camera that breaks Window::defeito's rule: writing throws, reading names the line.
// The camera's attributes and children, into the element open in saida, or into window.
void escreverWindow(SaidaXml& saida, const EstadoDaWindow& estado);
void escreverWindow(TiXmlElement* window, const EstadoDaWindow& estado);
EstadoDaWindow lerWindow(const TiXmlNode* window);

// One element per object, into saida or appended under where. Every object is checked first
// (conferirObjetos): a scene that cannot be saved writes nothing.
void escreverObjetos(SaidaXml& saida, const std::vector<Objeto*>& objetos);
void escreverObjetos(TiXmlNode* where, const std::vector<Objeto*>& objetos);
// Throws, as escreverObjetos does, for a scene that a file cannot hold.
void conferirObjetos(const std::vector<Objeto*>& objetos);
// The element of one object, unchecked.
void escreverObjeto(SaidaXml& saida, const Objeto& objeto);
// How many elements escreverObjeto writes for objeto: its own and its children.
std::size_t elementosDe(const Objeto& objeto);
// Every element child of where except <window>, in order; nothing is kept if any fault is found.
std::vector<std::unique_ptr<Objeto>> lerObjetos(const TiXmlNode* where);

// The kind whose element is named nome, or null.
const TipoDeObjeto* tipoDoElemento(const std::string& nome);
// The object of element e, children and all, as lerObjetos reads each.
std::unique_ptr<Objeto> lerObjeto(const TiXmlElement* e);

// An object too large to parse at once, read in pieces (ArquivoDeCena): its element apart from its
// children, which come in runs from documents of their own. What is accepted is what lerObjetos
// accepts, but a fault is not always named as lerObjetos names it: a file refused here is read again
// whole, which says what is wrong.
struct FilhosDeObjeto {
    std::vector<Coordenada> coordenadas;
    std::vector<std::pair<long long, long long>> arestas;
};
// Appends the element children of no, children of an object of kind tipo, to filhos.
void lerFilhos(const TiXmlNode* no, const TipoDeObjeto& tipo, FilhosDeObjeto& filhos);
// The same straight from the text of a run of children, for the shape the program writes: elements
// <coordenada x="…" y="…" z="…" /> and <aresta origem="…" destino="…" /> (those attributes, in any
// order, each once, quoted with ", their values printable ASCII but '&' and '<'), apart by white
// space. TinyXML makes of such a text those elements with those values, byte for byte. True when the
// whole text has that shape and every value reads as lerFilhos reads it; false otherwise, filhos as
// it was, and TinyXML must read the text.
bool lerFilhosSimples(std::string_view texto, const TipoDeObjeto& tipo, FilhosDeObjeto& filhos);
// The object of element e (whose own children are passed over) with the children filhos, which it
// takes.
std::unique_ptr<Objeto> lerObjeto(const TiXmlElement* e, FilhosDeObjeto& filhos);

} // namespace FormatoXml

#endif

#ifndef WINDOW_H
#define WINDOW_H

#include <cstddef>
#include <functional>
#include <vector>

#include "coordenada.h"
#include "regradawindow.h"
#include "projecao.h"
#include "recorte.h"
#include "vetor.h"

class DisplayFile;
class Objeto;
class Projetor;
class SaidaXml;
struct SegmentoNoPlano;
class TiXmlElement;
class TiXmlNode;

// The camera: a rectangle in space seen from a centre of projection behind it, in perspective or by
// a parallel projection. Its state is its centre C, right vector u and up vector v (perpendicular;
// their lengths are the window's width and height), the focal distance d > 0 and the projection.
// The view direction n = û × v̂ and the centre of projection COP = C − d·n are derived, never stored.
// Camera coordinates, projection-plane coordinates and the near plane: projecao.h.
// The line clipper is a setting of the view, not of the camera: it changes no picture, and is
// neither saved nor compared.
class Window {
public:
    // a and b are opposite corners of the window, cop the centre of projection. Throws
    // std::invalid_argument when cop is the window's centre, the width or height is 0, or the
    // camera they make breaks the rule of defeito.
    Window(Coordenada a, Coordenada b, Coordenada cop);
    virtual ~Window() = default;
    Window(const Window&) = default;
    Window& operator=(const Window&) = default;

    // The rule every camera the program holds keeps, so that it can always be projected and saved:
    // the constructor, the controls below, reading and writing all ask it. A distance whose near
    // plane d/100 is a normal double; û and v̂ of lengths whose squares are normal doubles,
    // perpendicular (|û·v̂| ≤ 1e-9); a finite centre and COP.
    static DefeitoDaWindow defeito(const Coordenada& centro, const Vetor& direita, const Vetor& cima,
                                   double distancia) noexcept
    {
        return defeitoDaWindow(centro, direita, cima, distancia);
    }
    // The part of that rule about the distance alone.
    static DefeitoDaWindow defeitoDaDistancia(double distancia) noexcept { return ::defeitoDaDistancia(distancia); }

    // The controls. Each changes nothing and returns false when its amounts are not finite, or when
    // the camera it would make breaks the rule of defeito.
    // Moves the centre (and so the COP) by dx·|u| along û, dy·|v| along v̂ and dz·|u| along n.
    bool mover(double dx, double dy, double dz);
    // Multiplies u and v by f (d unchanged); f must be positive.
    bool escala(double f);
    // As escala(f), about the point (x, y) of the projection plane (window coordinates, the centre
    // being the origin) instead of the centre: that point keeps its place in the window, so that a
    // zoom follows the cursor.
    bool escala(double f, double x, double y);
    // Turns the window about its centre by ax about û, then ay about v̂, then az about n (degrees),
    // each about the axes as they stand then: about n turns û toward v̂, about û turns v̂ toward n,
    // about v̂ turns n toward û.
    bool rodar(double ax, double ay, double az);
    // Frames the points: keeps û, v̂, n, d and the window's aspect, and moves the centre and scales
    // the window so that every point lies in front of the eye and projects inside the window, whose
    // extent is then the points' projected extent plus margem of it on each side (a fraction).
    // Returns false and changes nothing when there is no point, a point is not finite, or the result
    // would not be a usable camera. Points that all project onto one spot keep the window's size.
    bool enquadrar(const std::vector<Coordenada>& pontos, double margem);

    // Makes df the scene this window projects. df must outlive the window's use of it.
    void atualizarCPP(const DisplayFile& df);
    // One projected copy per object of that scene, in its order, with the camera as it is now: a new
    // list made by atualizarProjecao, so shared out among the cores in the same way.
    DisplayFile coordenadasDePlanoDeProjecao() const;
    // Makes projecao what coordenadasDePlanoDeProjecao() returns, keeping each copy it already holds
    // of an object whose version is unchanged (and so its memory), and sharing the objects out among
    // the processor's cores. projecao must be a list this function or that one made.
    // prontos, when given, is called on this thread while the other cores still project, each time
    // the run of finished copies at the head of the list grows, with its length, up to all of them:
    // a canvas draws them meanwhile. Should it throw, the projection stops and the exception passes.
    void atualizarProjecao(DisplayFile& projecao, const std::function<void(std::size_t)>& prontos = {}) const;
    // The scene atualizarCPP gave, or null.
    const DisplayFile* cena() const { return _cena; }

    Vetor viewRightVector() const { return _direita; }
    Vetor viewUpVector() const { return _cima; }
    Coordenada centro() const { return _centro; }
    double distanciaFocal() const { return _distancia; }
    // n, the unit view direction.
    Vetor direcaoDeVisao() const;
    Coordenada centroDeProjecao() const;

    Projecao projecao() const { return _projecao; }
    void definirProjecao(Projecao projecao) { _projecao = projecao; }
    AlgoritmoDeRecorte recorte() const { return _recorte; }
    void definirRecorte(AlgoritmoDeRecorte recorte) { _recorte = recorte; }

    // The projection pipeline with this camera as it is now.
    Projetor projetor() const;
    // Every segment of objeto (lines, edges, the pieces of flattened curves) as this camera's line
    // clipper is handed it, in drawing order.
    std::vector<SegmentoNoPlano> segmentosNoPlano(const Objeto& objeto) const;

    // Writes the camera into element (attribute distancia, children centro, direita, cima).
    virtual void persist(TiXmlElement* element) const;
    // The same into the element open in saida.
    void persist(SaidaXml& saida) const;
    // Reads the camera from a <window> element; checks everything before changing anything.
    // Throws std::string (in Portuguese, naming the line) on any fault.
    virtual void restore(TiXmlNode* node);

private:
    // Writes into copia, a copy of original, the projection of original.
    void projetar(const Objeto& original, Objeto& copia, Projetor& projetor) const;
    // Projects originais[inicio, fim) into the copies at the same places, made anew for an object
    // whose version changed, asking the cache for the next objects and lists while it works.
    void projetarBloco(Projetor& p, const std::vector<const Objeto*>& originais, std::vector<Objeto*>& copias,
                       std::size_t inicio, std::size_t fim) const;
    // The scene's objects, without its null entries, in order.
    std::vector<const Objeto*> objetosDaCena() const;
    // Takes the state when it keeps the rule; false otherwise, with nothing changed.
    bool tornarSe(const Coordenada& centro, const Vetor& direita, const Vetor& cima);

    Coordenada _centro;
    Vetor _direita;
    Vetor _cima;
    double _distancia;
    Projecao _projecao = Projecao::perspectiva;
    AlgoritmoDeRecorte _recorte = AlgoritmoDeRecorte::cohenSutherland;
    const DisplayFile* _cena = nullptr;
};

#endif

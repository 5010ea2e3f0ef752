#ifndef VIEWPORT_H
#define VIEWPORT_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "coordenada.h"
#include "projecao.h"
#include "recorte.h"
#include "vetor.h"

class DisplayFile;
class Objeto;
class TiXmlNode;
class Window;

// What a projection was made from: a camera, the scene it projects and each object's version, so
// that a projection is made again only when one of them changed.
class OrigemDaProjecao {
public:
    // Whether janela and its scene are as they were when registered.
    bool igual(const Window& janela) const;
    void registrar(const Window& janela);
    // Nothing is registered: igual is false until the next registrar.
    void esquecer() { _registrada = false; }

private:
    bool _registrada = false;
    const DisplayFile* _cena = nullptr;
    std::vector<std::pair<const Objeto*, std::uint64_t>> _objetos;
    Coordenada _centro;
    Vetor _direita;
    Vetor _cima;
    double _distancia = 0.0;
    Projecao _projecao = Projecao::perspectiva;
    AlgoritmoDeRecorte _recorte = AlgoritmoDeRecorte::cohenSutherland;
};

// The toolkit-independent half of the canvas: shows a scene through a camera (its own, until it is
// given a document's), runs the repaint loop over the camera's projected copy of the scene and maps
// projection-plane coordinates to pixels inside a 20-pixel margin. A concrete canvas implements the
// drawing hooks.
class Viewport {
public:
    Viewport();
    virtual ~Viewport();
    Viewport(const Viewport&) = delete;
    Viewport& operator=(const Viewport&) = delete;

    // Size of the drawing surface in pixels.
    virtual int largura() const = 0;
    virtual int altura() const = 0;
    virtual void repintar();

    DisplayFile* displayFile() const { return _displayFile; }
    Window* janela() const { return _janela; }
    // From now on shows cena through camera, both kept elsewhere for as long as this viewport lives;
    // the scene and camera it owned are freed.
    void mostrar(DisplayFile& cena, Window& camera);
    // From now on shows cena, kept elsewhere for as long as this viewport lives, through this
    // viewport's own camera.
    void mostrarCena(DisplayFile& cena);
    void showCoordinates(bool enable) { _debugInformation = enable; }
    bool showingCoordinates() const { return _debugInformation; }

    // Moves and zooms the camera, keeping its orientation, so that every object fits in the window
    // with a margin of 5 % on each side. False, and the camera unchanged, when there is nothing to
    // frame or it cannot be framed.
    bool enquadrarTudo();

    // The object drawn highlighted (one of the display file's, or null). The caller keeps it in step
    // with the scene: a removed object must be deselected first.
    virtual void selecionar(const Objeto* objeto) { _selecionado = objeto; }
    const Objeto* selecionado() const { return _selecionado; }
    // The object of the display file drawn nearest the pixel position (x, y), within raio pixels:
    // a marker, a line or curve, or a filled polygon that contains the position (distance 0; so is
    // a pixel of a drawn line). On a tie the one drawn last, which lies on top, wins. Null when none
    // is that near.
    Objeto* objetoEm(double x, double y, double raio) const;
    // The vertex of an object of the display file that projects inside the window nearest the pixel
    // position (x, y), within raio pixels: its object and index. On a tie the object drawn last wins.
    // False when none is that near.
    bool verticeEm(double x, double y, double raio, Objeto*& objeto, int& indice) const;

    // The window-to-viewport mapping as it stands now: x = −R/2 goes to column 20 and +R/2 to
    // largura() − 20, y = +U/2 to row 20 and −U/2 to altura() − 20 (R, U: the window's width and
    // height), each rounded to a whole pixel with halves away from zero; z passes unchanged.
    // A window of zero or non-finite width or height has no mapping: its results are not finite.
    struct Mapeamento {
        double aX;
        double bX;
        double aY;
        double bY;

        Coordenada aplicar(const Coordenada& coordenada) const
        {
            return Coordenada(arredondar(coordenada.x() * aX + bX), arredondar(coordenada.y() * aY + bY), coordenada.z());
        }

        // std::round, halves away from zero as pixel positions must, the sign of zero kept; inline,
        // where the library's is a call on processors without SSE4.1 (a paint maps every point).
        static double arredondar(double v)
        {
            // Whole already, or not finite.
            if (!(std::fabs(v) < 0x1p52))
                return v;
            // Both exact below 2^52.
            const double inteira = static_cast<double>(static_cast<std::int64_t>(v));
            const double resto = v - inteira;
            // Without branches: the fractions of pixel positions fall either way at random.
            return std::copysign(inteira + static_cast<double>(resto >= 0.5) - static_cast<double>(resto <= -0.5), v);
        }
    };
    // Reads the surface size and the camera afresh; a hook that maps many points takes it once.
    Mapeamento mapeamento() const;
    Coordenada windowToViewport(const Coordenada& coordenada) const { return mapeamento().aplicar(coordenada); }
    // The inverse, unrounded: the projection-plane point (z = 0) that the pixel position (x, y) shows.
    Coordenada viewportToWindow(double x, double y) const;

    // Writes <window> and then the objects under where.
    void persist(TiXmlNode* where) const;
    // Reads the camera and the objects from where and reprojects; all or nothing.
    void restore(TiXmlNode* where);
    // What restore reads, into janela (kept when where has no camera) and cena, leaving the canvas
    // alone. Throws std::string as the library does; janela and cena are then half read.
    static void ler(TiXmlNode* where, Window& janela, DisplayFile& cena);
    // The camera every canvas starts with.
    static Window cameraInicial();

protected:
    // Brings the camera's projected copy of the scene up to date, unless neither the scene (its
    // list, or any object's version) nor the camera changed since it was made; true when it did.
    // prontos is handed on to Window::atualizarProjecao.
    bool atualizarProjecao(const std::function<void(std::size_t)>& prontos = {});

    virtual void iniciarPintura() {}
    virtual void repintar0(Objeto* atual) = 0;
    virtual void repintar1(Objeto* atual) = 0;
    virtual void repintar2(Objeto* atual) = 0;
    virtual void pintarInformacoes(Objeto* atual) { (void)atual; }
    // Draws the selected object's projected copy once more, highlighted, over the whole scene.
    virtual void pintarSelecao(Objeto* atual) { (void)atual; }
    virtual void finalizarPintura() {}

private:
    // What this viewport owns, while it shows its own; what it shows, handed out as raw pointers that
    // callers never delete or replace.
    std::unique_ptr<DisplayFile> _cenaPropria;
    std::unique_ptr<Window> _janelaPropria;
    DisplayFile* _displayFile;
    Window* _janela;
    bool _debugInformation = false;
    const Objeto* _selecionado = nullptr;

    // One object's projected copy, through the hook of its fill level (and the labels' hooks).
    void desenhar(Objeto* atual);

    std::unique_ptr<DisplayFile> _projecao;
    OrigemDaProjecao _origem;
};

#endif

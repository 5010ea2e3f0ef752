#ifndef OBJETO_H
#define OBJETO_H

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "arestasprojetadas.h"
#include "cor.h"
#include "coordenada.h"

class Geometria;
class Transformacao;
class Window;
struct TipoDeObjeto;

// The base of every kind of scene object (tiposDeObjeto()). An object has a name, a colour, a fill
// level and its own coordinates in world space. A copy that a Window projected also carries its drawing list:
// projection-plane coordinates clipped to that window, with null coordinates between pieces.
class Objeto {
public:
    using Iterador = std::vector<Coordenada>::const_iterator;

    virtual ~Objeto();
    // A deep copy of the same kind (drawing list included).
    virtual Objeto* clone() const = 0;
    // Hands the object's world-space geometry to g.
    virtual void descreverGeometria(Geometria& g) const = 0;

    // Multiplies every own coordinate by t, in place.
    virtual void transformar(const Transformacao& t);
    // Puts back coordinates this object had before (an undone transformation), bit for bit. Throws
    // std::invalid_argument when the count differs from the object's own.
    void restaurarCoordenadas(const std::vector<Coordenada>& coordenadas);

    virtual Iterador inicioDasCoordenadas() const;
    virtual int numeroDeCoordenadas() const;
    virtual Iterador fimDasCoordenadas() const;
    // The drawing list that window w made; empty for any other window, or when no window made one.
    virtual Iterador inicioDoDesenho(const Window* w) const;
    virtual int tamanhoDoDesenho(const Window* w) const;
    virtual Iterador fimDoDesenho(const Window* w) const;
    // When window w made this copy's drawing by its vertices (a wireframe), that drawing, whose edges
    // are the kind's (TipoDeObjeto::arestas) and whose PPC are the own coordinates; null otherwise.
    // The drawing list above is then made from it when first asked for, on any thread.
    const ArestasProjetadas* arestasProjetadas(const Window* w) const
    {
        return w != nullptr && w == _autorDoDesenho && _porVertices ? _arestasProjetadas.get() : nullptr;
    }

    // The mean of the own coordinates.
    virtual Coordenada centro() const;
    // Its kind's name (empty for an object of no kind).
    virtual std::string nomeDoTipo() const;
    // The description of its kind; null for an object made without one, which no file can hold.
    const TipoDeObjeto* tipo() const { return _tipo; }

    const std::string& nome() const { return *_nome; }
    Cor cor() const { return _cor; }
    // 0: points, 1: lines, 2: filled polygon.
    char nivelDePreenchimento() const { return _nivel; }
    bool preenchido() const { return _nivel == 2; }

    const std::vector<Coordenada>& coordenadas() const { return _coordenadas; }

    // Taken afresh, from one counter for the whole program, by every object made (copies too) and
    // every change of its coordinates, so no two states of any two objects share one: what was
    // worked out from an object holds for as long as its version is the same.
    std::uint64_t versao() const { return _versao; }

protected:
    // An object of the kind tipo, whose rules it checks (std::invalid_argument); filled when the kind
    // can be and preenchido says so.
    Objeto(const TipoDeObjeto& tipo, std::string nome, Cor cor, std::vector<Coordenada> coordenadas,
           bool preenchido = false);
    // An object of no kind, on trust.
    Objeto(std::string nome, Cor cor, std::vector<Coordenada> coordenadas, char nivel);
    Objeto(const Objeto& outro);
    Objeto& operator=(const Objeto&) = delete;

    std::vector<Coordenada> _coordenadas;

private:
    // The projection writes a projected copy's coordinates and drawing list.
    friend class Window;

    // Shared by the copies, which the projection makes on every repaint: a name can be megabytes.
    std::shared_ptr<const std::string> _nome;
    const TipoDeObjeto* _tipo = nullptr;
    Cor _cor;
    char _nivel;
    // Listed from _arestasProjetadas, when _porVertices, once _listado says so.
    mutable std::vector<Coordenada> _desenho;
    std::unique_ptr<ArestasProjetadas> _arestasProjetadas;
    bool _porVertices = false;
    mutable std::atomic<bool> _listado{false};
    const Window* _autorDoDesenho = nullptr;
    std::uint64_t _versao;
    // For a projected copy: the version of the object it was projected from.
    std::uint64_t _versaoDoOriginal = 0;
    // For a projected copy: the sphere round the original's own coordinates that culls it (centre,
    // squared radius), as it was at that version.
    Coordenada _centroDaEsfera;
    double _raioDaEsfera2 = 0.0;

    const std::vector<Coordenada>& desenho() const;
};

#endif

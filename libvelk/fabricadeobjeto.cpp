#include "fabricadeobjeto.h"

#include <cmath>
#include <cstddef>
#include <exception>
#include <memory>

#include "bezier.h"
#include "bspline.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"

namespace {

using Coordenadas = std::vector<Coordenada>;
using Arestas = std::vector<std::pair<int, int>>;

// A point the objects accept: not the null coordinate (a break marker) and finite, so that whatever
// the editors hand over can also be saved and read back.
bool pontoAceitavel(const Coordenada& c)
{
    return !c.isNull() && std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z());
}

// A coordinate-list rule from the counts a kind takes.
FabricaDeObjeto::TypeCoordenadas::Regra regraDeContagem(bool (*contagemAceita)(std::size_t))
{
    return [contagemAceita](const Coordenadas& lista) {
        if (!contagemAceita(lista.size()))
            return false;
        for (const Coordenada& c : lista)
            if (!pontoAceitavel(c))
                return false;
        return true;
    };
}

FabricaDeObjeto::TypeCoordenadas::Suficiencia limiteDeContagem(std::size_t maximo)
{
    return [maximo](const Coordenadas& lista) { return lista.size() >= maximo ? 1 : 0; };
}

// What every factory shares: the name and colour descriptors, the reset on parametros(), and a
// criar() that checks every descriptor and turns a refusal by a constructor into null.
class FabricaBase : public FabricaDeObjeto {
public:
    explicit FabricaBase(std::string nomeDaFabrica)
        : _nomeDaFabrica(std::move(nomeDaFabrica)),
          _nome("Nome", std::string(), [](const std::string& s) { return !s.empty(); }),
          _cor("Cor", Cor(), {})
    {
    }
    FabricaBase(const FabricaBase&) = delete;
    FabricaBase& operator=(const FabricaBase&) = delete;

    std::string nome() const override { return _nomeDaFabrica; }

    std::vector<Type*> parametros() override
    {
        for (Type* t : _tipos)
            t->reiniciar();
        return _tipos;
    }

    Objeto* criar() const override
    {
        _motivo.clear();
        for (const Type* t : _tipos) {
            if (!t->valido()) {
                _motivo = "Valor inválido em '" + t->nome + "'.";
                return nullptr;
            }
        }
        try {
            return construir().release();
        } catch (const std::exception& e) {
            _motivo = e.what();
            return nullptr;
        }
    }

    std::string motivo() const override { return _motivo; }

protected:
    // Called only when every descriptor is valid; the constructors throw what they refuse (Objeto3D's
    // edges), and what they say is the reason criar() gives.
    virtual std::unique_ptr<Objeto> construir() const = 0;

    std::string _nomeDaFabrica;
    TypeString _nome;
    TypeCor _cor;
    // The descriptors in display order (pointers to members of this factory); set by each kind.
    std::vector<Type*> _tipos;
    mutable std::string _motivo;
};

bool exatamenteUm(std::size_t n) { return n == 1; }
bool exatamenteDois(std::size_t n) { return n == 2; }
bool tresOuMais(std::size_t n) { return n >= 3; }
bool tresKMaisUm(std::size_t n) { return n >= 4 && (n - 1) % 3 == 0; }
bool quatroOuMais(std::size_t n) { return n >= 4; }
bool doisOuMais(std::size_t n) { return n >= 2; }

class FabricaDePonto : public FabricaBase {
public:
    FabricaDePonto()
        : FabricaBase("Ponto"), _coordenada("Coordenada", {}, regraDeContagem(exatamenteUm), limiteDeContagem(1))
    {
        _tipos = {&_nome, &_cor, &_coordenada};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        return std::make_unique<Ponto>(_nome.valor, _cor.valor, _coordenada.valor[0]);
    }

private:
    TypeCoordenadas _coordenada;
};

class FabricaDeReta : public FabricaBase {
public:
    FabricaDeReta()
        : FabricaBase("Reta"), _extremos("Extremos", {}, regraDeContagem(exatamenteDois), limiteDeContagem(2))
    {
        _tipos = {&_nome, &_cor, &_extremos};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        return std::make_unique<Reta>(_nome.valor, _cor.valor, _extremos.valor[0], _extremos.valor[1]);
    }

private:
    TypeCoordenadas _extremos;
};

class FabricaDePoligono : public FabricaBase {
public:
    FabricaDePoligono()
        : FabricaBase("Polígono"), _vertices("Vértices", {}, regraDeContagem(tresOuMais)),
          _preenchido("Preenchido", false, {})
    {
        _tipos = {&_nome, &_cor, &_vertices, &_preenchido};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        return std::make_unique<Poligono>(_nome.valor, _cor.valor, _vertices.valor, _preenchido.valor);
    }

private:
    TypeCoordenadas _vertices;
    TypeBool _preenchido;
};

class FabricaDeBezier : public FabricaBase {
public:
    FabricaDeBezier()
        : FabricaBase("Curva de Bézier"), _controles("Pontos de controle", {}, regraDeContagem(tresKMaisUm))
    {
        _tipos = {&_nome, &_cor, &_controles};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        return std::make_unique<Bezier>(_nome.valor, _cor.valor, _controles.valor);
    }

private:
    TypeCoordenadas _controles;
};

class FabricaDeBSpline : public FabricaBase {
public:
    FabricaDeBSpline()
        : FabricaBase("B-Spline"), _controles("Pontos de controle", {}, regraDeContagem(quatroOuMais))
    {
        _tipos = {&_nome, &_cor, &_controles};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        return std::make_unique<BSpline>(_nome.valor, _cor.valor, _controles.valor);
    }

private:
    TypeCoordenadas _controles;
};

class FabricaDeObjeto3D : public FabricaBase {
public:
    FabricaDeObjeto3D()
        : FabricaBase("Objeto 3D"), _vertices("Vértices", {}, regraDeContagem(doisOuMais)),
          _arestas("Arestas", {}, [](const Arestas& a) { return !a.empty(); })
    {
        _tipos = {&_nome, &_cor, &_vertices, &_arestas};
    }

protected:
    std::unique_ptr<Objeto> construir() const override
    {
        // The edge list alone cannot know the vertex count: the constructor checks the indices.
        return std::make_unique<Objeto3D>(_nome.valor, _cor.valor, _vertices.valor, _arestas.valor);
    }

private:
    TypeCoordenadas _vertices;
    TypeIntInts _arestas;
};

} // namespace

// Function-local statics: built on first use, alive until the program ends.
FabricaDeObjeto* obterFabricaDePonto()
{
    static FabricaDePonto fabrica;
    return &fabrica;
}

FabricaDeObjeto* obterFabricaDeReta()
{
    static FabricaDeReta fabrica;
    return &fabrica;
}

FabricaDeObjeto* obterFabricaDePoligono()
{
    static FabricaDePoligono fabrica;
    return &fabrica;
}

FabricaDeObjeto* obterFabricaDeBezier()
{
    static FabricaDeBezier fabrica;
    return &fabrica;
}

FabricaDeObjeto* obterFabricaDeBSpline()
{
    static FabricaDeBSpline fabrica;
    return &fabrica;
}

FabricaDeObjeto* obterFabricaDeObjeto3D()
{
    static FabricaDeObjeto3D fabrica;
    return &fabrica;
}

#ifndef FABRICADEOBJETO_H
#define FABRICADEOBJETO_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "coordenada.h"
#include "cor.h"
#include "tipodeobjeto.h"

class Objeto;

// Builds one kind of object from parameter descriptors that an editor fills in.
// Factories and their descriptors belong to the library and live as long as the program.
class FabricaDeObjeto {
public:
    // What a descriptor holds, as its tipoDoValor() says (the numbers are those of libvelk.so.1).
    enum TipoDoValor : int {
        valorCoordenadas = 0,
        valorCor = 1,
        valorTexto = 2,
        valorBooleano = 3,
        valorArestas = 5,
        valorGrade = 6,
    };

    // The control points of a grid kind, row by row, with the grid's shape and mesh density.
    struct GradeDeCoordenadas {
        Grade grade;
        std::vector<Coordenada> coordenadas;
    };

    // One parameter: its label, its kind and (in TypeDe) its value.
    class Type {
    public:
        explicit Type(std::string nome) : nome(std::move(nome)) {}

        // These three come first among the virtual operations, in this order: programs built against
        // libvelk.so.1 call them by their place in the virtual table.
        // A TipoDoValor.
        virtual int tipoDoValor() const = 0;
        virtual bool valido() const = 0;
        // Coordinate lists: nonzero once the list holds the most the object can take.
        virtual int quantidadeSuficiente() const = 0;
        // Back to the default value.
        virtual void reiniciar() = 0;
        virtual ~Type() = default;
        // Why the value is not valid, in Portuguese for the user, where the descriptor can say;
        // empty otherwise.
        virtual std::string motivo() const { return {}; }

        std::string nome;
    };

    template <typename T, int Kind>
    class TypeDe : public Type {
    public:
        using Regra = std::function<bool(const T&)>;
        using Suficiencia = std::function<int(const T&)>;
        // What is wrong with a value, empty when nothing is.
        using Explicacao = std::function<std::string(const T&)>;

        TypeDe(std::string nome, T padrao, Regra regra, Suficiencia suficiente = {}, Explicacao explicacao = {})
            : Type(std::move(nome)), valor(padrao), _padrao(std::move(padrao)), _regra(std::move(regra)),
              _suficiente(std::move(suficiente)), _explicacao(std::move(explicacao))
        {
        }

        int tipoDoValor() const override { return Kind; }
        bool valido() const override { return !_regra || _regra(valor); }
        int quantidadeSuficiente() const override { return _suficiente ? _suficiente(valor) : 0; }
        void reiniciar() override { valor = _padrao; }
        std::string motivo() const override { return _explicacao && !valido() ? _explicacao(valor) : std::string(); }

        T valor;

    private:
        T _padrao;
        Regra _regra;
        Suficiencia _suficiente;
        Explicacao _explicacao;
    };

    using TypeCoordenadas = TypeDe<std::vector<Coordenada>, valorCoordenadas>;
    using TypeCor = TypeDe<Cor, valorCor>;
    using TypeString = TypeDe<std::string, valorTexto>;
    using TypeBool = TypeDe<bool, valorBooleano>;
    using TypeIntInts = TypeDe<std::vector<std::pair<int, int>>, valorArestas>;
    using TypeGrade = TypeDe<GradeDeCoordenadas, valorGrade>;

    // The display name, fixed and distinct between factories.
    virtual std::string nome() const = 0;
    // The descriptors in display order, reset to their defaults: the same ones on every call.
    virtual std::vector<Type*> parametros() = 0;
    // Between parametros() and criar(), for the same reason: that slot of libvelk.so.1's virtual
    // table holds an operation no caller uses.
    virtual ~FabricaDeObjeto() = default;
    // A new object from the current values, or null when any value is invalid.
    virtual Objeto* criar() const = 0;
    // Why the last criar() gave null, in Portuguese for the user; empty after one that built.
    virtual std::string motivo() const { return {}; }
};

// The factory of a kind in tiposDeObjeto(), or null for any other.
FabricaDeObjeto* obterFabrica(const TipoDeObjeto& tipo);

FabricaDeObjeto* obterFabricaDePonto();
FabricaDeObjeto* obterFabricaDeReta();
FabricaDeObjeto* obterFabricaDePoligono();
FabricaDeObjeto* obterFabricaDeBezier();
FabricaDeObjeto* obterFabricaDeBSpline();
FabricaDeObjeto* obterFabricaDeObjeto3D();

#endif

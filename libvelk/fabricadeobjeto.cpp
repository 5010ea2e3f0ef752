#include "fabricadeobjeto.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

#include "bezier.h"
#include "bspline.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "tipodeobjeto.h"

namespace {

using Coordenadas = std::vector<Coordenada>;
using Arestas = std::vector<std::pair<int, int>>;

// A point the objects accept: not the null coordinate (a break marker) and finite, so that whatever
// the editors hand over can also be saved and read back.
bool pontoAceitavel(const Coordenada& c)
{
    return !c.isNull() && std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z());
}

// The grid a grid kind shows first: its smallest, every point at the origin.
FabricaDeObjeto::GradeDeCoordenadas menorGrade(const TipoDeObjeto& tipo)
{
    if (tipo.grade == nullptr)
        return {};
    const std::size_t lado = tipo.grade->lados.minimo;
    return {{lado, lado, malhaPadrao}, Coordenadas(lado * lado, Coordenada(0, 0, 0))};
}

// The factory of one kind: the name and colour, the coordinate list its description labels and counts
// (a grid of them, for a grid kind), and "Preenchido" or "Arestas" when the kind has them.
class FabricaDoTipo : public FabricaDeObjeto {
public:
    explicit FabricaDoTipo(const TipoDeObjeto& tipo)
        : _tipo(tipo),
          _nome("Nome", std::string(), [](const std::string& s) { return defeitoDoNome(s).empty(); }, {}, defeitoDoNome),
          _cor("Cor", Cor(), {}),
          _coordenadas(tipo.rotuloDasCoordenadas, {},
                       [&tipo](const Coordenadas& lista) { return defeitoDasCoordenadas(tipo, lista).empty(); },
                       suficiencia(tipo.coordenadas),
                       [&tipo](const Coordenadas& lista) { return defeitoDasCoordenadas(tipo, lista); }),
          _preenchido("Preenchido", false, {}),
          _arestas("Arestas", {}, [](const Arestas& a) { return defeitoDasArestas(a).empty(); }, {}, defeitoDasArestas),
          _grade(tipo.rotuloDasCoordenadas, menorGrade(tipo),
                 [&tipo](const GradeDeCoordenadas& g) { return defeito(tipo, g).empty(); }, {},
                 [&tipo](const GradeDeCoordenadas& g) { return defeito(tipo, g); })
    {
        _tipos = {&_nome, &_cor, tipo.grade != nullptr ? static_cast<Type*>(&_grade) : &_coordenadas};
        if (tipo.preenchivel)
            _tipos.push_back(&_preenchido);
        if (tipo.arestas != nullptr)
            _tipos.push_back(&_arestas);
    }
    FabricaDoTipo(const FabricaDoTipo&) = delete;
    FabricaDoTipo& operator=(const FabricaDoTipo&) = delete;

    const TipoDeObjeto& tipo() const { return _tipo; }

    std::string nome() const override { return _tipo.nome; }

    std::vector<Type*> parametros() override
    {
        for (Type* t : _tipos)
            t->reiniciar();
        return _tipos;
    }

    // Checks every descriptor, and turns a refusal by the constructor (an edge to a vertex that does
    // not exist, which the edge list alone cannot know) into null and its reason.
    Objeto* criar() const override
    {
        _motivo.clear();
        for (const Type* t : _tipos) {
            if (!t->valido()) {
                const std::string porque = t->motivo();
                _motivo = porque.empty() ? "Valor inválido em '" + t->nome + "'." : t->nome + ": " + porque + ".";
                return nullptr;
            }
        }
        try {
            if (_tipo.grade != nullptr)
                return _tipo.construir({_nome.valor, _cor.valor, _grade.valor.coordenadas, false, {}, _grade.valor.grade})
                    .release();
            return _tipo.construir({_nome.valor, _cor.valor, _coordenadas.valor, _preenchido.valor, _arestas.valor})
                .release();
        } catch (const std::exception& e) {
            _motivo = e.what();
            return nullptr;
        }
    }

    std::string motivo() const override { return _motivo; }

private:
    // A list with an upper bound is enough once it holds that many.
    static TypeCoordenadas::Suficiencia suficiencia(const Contagem& contagem)
    {
        if (contagem.maximo == Contagem::semLimite)
            return {};
        return [maximo = contagem.maximo](const Coordenadas& lista) { return lista.size() >= maximo ? 1 : 0; };
    }

    // What is wrong with each value, empty when nothing is. A name of blanks alone names nothing a
    // list could show.
    static std::string defeitoDoNome(const std::string& nome)
    {
        return nome.find_first_not_of(" \t\n\r\v\f") == std::string::npos ? "está vazio ou só tem espaços" : "";
    }

    static std::string defeitoDasCoordenadas(const TipoDeObjeto& tipo, const Coordenadas& lista)
    {
        if (!tipo.coordenadas.aceita(lista.size()))
            return "precisa de " + tipo.coordenadas.texto("coordenada", "coordenadas") + " (há "
                   + std::to_string(lista.size()) + ")";
        if (!std::all_of(lista.begin(), lista.end(), pontoAceitavel))
            return "um ponto não é um número finito";
        return {};
    }

    static std::string defeitoDasArestas(const Arestas& arestas)
    {
        if (contagemDeArestas.aceita(arestas.size()))
            return {};
        return "precisa de " + contagemDeArestas.texto("aresta", "arestas") + " (há " + std::to_string(arestas.size()) + ")";
    }

    // What is wrong with a grid of this kind, empty when nothing is.
    static std::string defeito(const TipoDeObjeto& tipo, const GradeDeCoordenadas& g)
    {
        const std::string daGrade = tipo.defeitoDaGrade(g.grade, g.coordenadas.size());
        if (!daGrade.empty() || std::all_of(g.coordenadas.begin(), g.coordenadas.end(), pontoAceitavel))
            return daGrade;
        return "um ponto não é um número finito";
    }

    const TipoDeObjeto& _tipo;
    TypeString _nome;
    TypeCor _cor;
    TypeCoordenadas _coordenadas;
    TypeBool _preenchido;
    TypeIntInts _arestas;
    TypeGrade _grade;
    // The descriptors this kind shows, in display order (pointers to the members above).
    std::vector<Type*> _tipos;
    mutable std::string _motivo;
};

} // namespace

FabricaDeObjeto* obterFabrica(const TipoDeObjeto& tipo)
{
    // One for every kind, built on first use and alive until the program ends.
    static const std::vector<std::unique_ptr<FabricaDoTipo>> fabricas = [] {
        std::vector<std::unique_ptr<FabricaDoTipo>> todas;
        for (const TipoDeObjeto* t : tiposDeObjeto())
            todas.push_back(std::make_unique<FabricaDoTipo>(*t));
        return todas;
    }();
    for (const auto& fabrica : fabricas)
        if (&fabrica->tipo() == &tipo)
            return fabrica.get();
    return nullptr;
}

FabricaDeObjeto* obterFabricaDePonto()
{
    return obterFabrica(Ponto::descricao);
}

FabricaDeObjeto* obterFabricaDeReta()
{
    return obterFabrica(Reta::descricao);
}

FabricaDeObjeto* obterFabricaDePoligono()
{
    return obterFabrica(Poligono::descricao);
}

FabricaDeObjeto* obterFabricaDeBezier()
{
    return obterFabrica(Bezier::descricao);
}

FabricaDeObjeto* obterFabricaDeBSpline()
{
    return obterFabrica(BSpline::descricao);
}

FabricaDeObjeto* obterFabricaDeObjeto3D()
{
    return obterFabrica(Objeto3D::descricao);
}

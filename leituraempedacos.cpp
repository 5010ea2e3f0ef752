#include "leituraempedacos.h"

#include <atomic>
#include <cstdint>
#include <iostream>
#include <utility>

#include <tinyxml.h>

#include "displayfile.h"
#include "formatoxml.h"
#include "objeto.h"
#include "paralelo.h"
#include "tipodeobjeto.h"
#include "window.h"

namespace ArquivoDeCena {
namespace {

// The reading in pieces gives up: the file is read whole.
struct Desistir {};

// Parses the text a + b as a whole file is parsed (lerConteudo); throws Desistir on a fault.
// texto is room for the copy TinyXML reads, kept from one piece to the next: a fresh one each time
// would send the allocator sorting out every node the last piece freed.
void analisar(std::string_view a, std::string_view b, TiXmlDocument& doc, std::string& texto)
{
    texto.clear();
    texto.append(a);
    texto.append(b);
    // As textoParaOTinyXml ends the whole text.
    texto.append(4, '\0');
    // No lines or columns are counted: a fault here is named by the whole file's reading, and
    // counting them is a sixth of TinyXML's work.
    doc.SetTabSize(0);
    doc.Parse(texto.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error())
        throw Desistir{};
}

} // namespace

Atributos atributosDe(const TiXmlElement& elemento)
{
    Atributos atributos;
    for (const TiXmlAttribute* a = elemento.FirstAttribute(); a != nullptr; a = a->Next())
        atributos.emplace_back(a->Name(), a->Value());
    return atributos;
}

struct LeituraEmPedacos::Pedaco {
    // A run of the root's children (objects), one <window>, a large object's start tag (closed on
    // itself), a run of a large object's children.
    enum class Tipo { objetos, window, abertura, filhos };
    Tipo tipo;
    std::size_t inicio;
    std::size_t fim;
    // The large object's kind, for its children.
    const TipoDeObjeto* tipoDoObjeto = nullptr;
};

struct LeituraEmPedacos::Resultado {
    std::vector<std::unique_ptr<Objeto>> objetos;
    FormatoXml::FilhosDeObjeto filhos;
    // A start tag's document, whose element is read once its children are.
    std::unique_ptr<TiXmlDocument> abertura;
};

void LeituraEmPedacos::elemento(int nivel, std::string_view nome, std::size_t inicio, std::size_t fimDaAbertura,
                                bool vazio)
{
    (void)vazio;
    if (nivel == 1) {
        ++_raizes;
        // Until its end tag is read: a root closed on itself has no children.
        _fimDaAberturaDaRaiz = _inicioDoFimDaRaiz = fimDaAbertura;
    } else if (nivel == 2) {
        const TipoDeObjeto* tipo = nullptr;
        for (const TipoDeObjeto* t : tiposDeObjeto())
            if (nome == t->elemento)
                tipo = t;
        _filhos.push_back({inicio, fimDaAbertura, fimDaAbertura, fimDaAbertura, nome == "window", tipo, {}});
    } else if (nivel == 3) {
        std::vector<std::size_t>& lotes = _filhos.back().lotes;
        if (lotes.empty() || inicio - lotes.back() >= _tamanhoDoPedaco / 2)
            lotes.push_back(inicio);
    }
}

void LeituraEmPedacos::fimDoElemento(int nivel, std::size_t inicio, std::size_t fim)
{
    if (nivel == 1) {
        _inicioDoFimDaRaiz = inicio;
    } else if (nivel == 2) {
        _filhos.back().inicioDoFim = inicio;
        _filhos.back().fim = fim;
    }
}

void LeituraEmPedacos::no(int nivel, No tipo)
{
    // Declarations and comments beside the root, comments inside it: nothing else is usual.
    if (!(tipo == No::comentario || (nivel == 0 && tipo == No::declaracao)))
        _fora = true;
}

std::vector<LeituraEmPedacos::Pedaco> LeituraEmPedacos::pedacos() const
{
    using Tipo = Pedaco::Tipo;
    std::vector<Pedaco> lista;
    for (std::size_t k = 0; k < _filhos.size();) {
        const Elemento& e = _filhos[k];
        if (e.window) {
            lista.push_back({Tipo::window, e.inicio, e.fim});
            ++k;
        } else if (e.grande(_tamanhoDoPedaco)) {
            lista.push_back({Tipo::abertura, e.inicio, e.fimDaAbertura});
            for (std::size_t j = 0; j < e.lotes.size(); ++j)
                lista.push_back(
                    {Tipo::filhos, e.lotes[j], j + 1 < e.lotes.size() ? e.lotes[j + 1] : e.inicioDoFim, e.tipo});
            ++k;
        } else {
            std::size_t ultimo = k;
            while (ultimo + 1 < _filhos.size() && !_filhos[ultimo + 1].window
                   && !_filhos[ultimo + 1].grande(_tamanhoDoPedaco) && _filhos[ultimo + 1].fim - e.inicio <= _tamanhoDoPedaco)
                ++ultimo;
            lista.push_back({Tipo::objetos, e.inicio, _filhos[ultimo].fim});
            k = ultimo + 1;
        }
    }
    return lista;
}

bool LeituraEmPedacos::moldura(std::string_view texto)
{
    TiXmlDocument doc;
    try {
        std::string copia;
        analisar(texto.substr(0, _fimDaAberturaDaRaiz), texto.substr(_inicioDoFimDaRaiz), doc, copia);
    } catch (const Desistir&) {
        return false;
    }
    const TiXmlElement* formas = doc.FirstChildElement("formas");
    if (formas == nullptr)
        return false;
    _atributosDaRaiz = atributosDe(*formas);
    return true;
}

void LeituraEmPedacos::lerPedaco(std::string_view texto, const Pedaco& pedaco, Resultado& resultado,
                                 std::string& copia) const
{
    const std::string_view trecho = texto.substr(pedaco.inicio, pedaco.fim - pedaco.inicio);
    try {
        switch (pedaco.tipo) {
        case Pedaco::Tipo::window:
            // Read at the end, as the camera is.
            break;
        case Pedaco::Tipo::objetos: {
            TiXmlDocument doc;
            analisar(trecho, {}, doc, copia);
            for (const TiXmlElement* e = doc.FirstChildElement(); e != nullptr; e = e->NextSiblingElement())
                resultado.objetos.push_back(FormatoXml::lerObjeto(e));
            break;
        }
        case Pedaco::Tipo::abertura:
            // The start tag's '>' closes it: its children are read apart.
            resultado.abertura = std::make_unique<TiXmlDocument>();
            analisar(trecho.substr(0, trecho.size() - 1), "/>", *resultado.abertura, copia);
            break;
        case Pedaco::Tipo::filhos: {
            if (pedaco.tipoDoObjeto == nullptr)
                throw Desistir{};
            // The shape the program writes is read straight from the text, anything else by TinyXML.
            if (FormatoXml::lerFilhosSimples(trecho, *pedaco.tipoDoObjeto, resultado.filhos))
                break;
            TiXmlDocument doc;
            analisar(trecho, {}, doc, copia);
            FormatoXml::lerFilhos(&doc, *pedaco.tipoDoObjeto, resultado.filhos);
            break;
        }
        }
    } catch (const std::string&) {
        throw Desistir{};
    }
}

std::vector<std::unique_ptr<Objeto>> LeituraEmPedacos::objetos(std::vector<Pedaco>& lista,
                                                               std::vector<Resultado>& resultados) const
{
    std::vector<std::unique_ptr<Objeto>> objetos;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        Resultado& r = resultados[i];
        if (lista[i].tipo == Pedaco::Tipo::objetos) {
            for (std::unique_ptr<Objeto>& o : r.objetos)
                objetos.push_back(std::move(o));
        } else if (lista[i].tipo == Pedaco::Tipo::abertura) {
            // Its runs of children follow it.
            FormatoXml::FilhosDeObjeto filhos;
            std::size_t fim = i + 1;
            for (; fim < lista.size() && lista[fim].tipo == Pedaco::Tipo::filhos; ++fim) {
                FormatoXml::FilhosDeObjeto& lote = resultados[fim].filhos;
                filhos.coordenadas.insert(filhos.coordenadas.end(), lote.coordenadas.begin(), lote.coordenadas.end());
                filhos.arestas.insert(filhos.arestas.end(), lote.arestas.begin(), lote.arestas.end());
                lote = {};
            }
            try {
                objetos.push_back(FormatoXml::lerObjeto(r.abertura->FirstChildElement(), filhos));
            } catch (const std::string&) {
                throw Desistir{};
            }
            r.abertura.reset();
            i = fim - 1;
        }
    }
    return objetos;
}

bool LeituraEmPedacos::ler(const std::string& texto, Window& camera, DisplayFile& cena, const Progresso& progresso)
{
    const std::string_view t(texto.c_str());
    if (_fora || _raizes != 1 || !moldura(t))
        return false;
    std::vector<Pedaco> lista = pedacos();
    std::vector<Resultado> resultados(lista.size());
    std::atomic<std::uint64_t> lidos{0};
    std::vector<std::string> copias(trabalhadoresPara(lista.size(), 1));
    std::vector<std::unique_ptr<Objeto>> lidas;
    Window novaCamera = camera;
    try {
        // A piece to a block; the pieces are read on every core, and this thread tells how far.
        repartirEmBlocos(lista.size(), Divisao{1, 1}, [&](std::size_t trabalhador, std::size_t inicio, std::size_t fim) {
            for (std::size_t i = inicio; i < fim; ++i) {
                lerPedaco(t, lista[i], resultados[i], copias[trabalhador]);
                lidos += lista[i].fim - lista[i].inicio;
                if (trabalhador == 0 && progresso && !progresso(lidos, t.size()))
                    throw Cancelado{};
            }
        });
        if (progresso && !progresso(t.size(), t.size()))
            throw Cancelado{};
        lidas = objetos(lista, resultados);
        std::size_t windows = 0;
        for (const Pedaco& p : lista) {
            if (p.tipo != Pedaco::Tipo::window || ++windows > 1)
                continue;
            TiXmlDocument doc;
            std::string copia;
            analisar(t.substr(p.inicio, p.fim - p.inicio), {}, doc, copia);
            novaCamera.restore(doc.FirstChildElement());
        }
        if (windows > 1)
            return false;
        if (windows == 0)
            std::cerr << "Não há window especificada no arquivo XML, mantendo a window atual." << std::endl;
    } catch (const Desistir&) {
        return false;
    } catch (const std::string&) {
        return false;
    }
    DisplayFile nova;
    nova.listaDeObjetos.reserve(lidas.size());
    for (std::unique_ptr<Objeto>& o : lidas)
        nova.listaDeObjetos.push_back(o.release());
    camera = novaCamera;
    cena = std::move(nova);
    return true;
}

} // namespace ArquivoDeCena

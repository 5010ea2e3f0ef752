#include "objeto.h"

#include <atomic>
#include <mutex>
#include <stdexcept>

#include "tipodeobjeto.h"
#include "transformacao.h"

namespace {

const std::vector<Coordenada> semDesenho;

// Projections run on several threads at once and copy objects there. Starts at 1: 0 is no version.
std::atomic<std::uint64_t> ultimaVersao{0};

std::uint64_t novaVersao() noexcept
{
    return ultimaVersao.fetch_add(1, std::memory_order_relaxed) + 1;
}

// Held while a drawing kept by its vertices is listed: rarely, and by one thread for all objects.
std::mutex listagem;

} // namespace

Objeto::Objeto(std::string nome, Cor cor, std::vector<Coordenada> coordenadas, char nivel)
    : _coordenadas(std::move(coordenadas)), _nome(std::make_shared<const std::string>(std::move(nome))), _cor(cor),
      _nivel(nivel), _versao(novaVersao())
{
}

Objeto::Objeto(const TipoDeObjeto& tipo, std::string nome, Cor cor, std::vector<Coordenada> coordenadas,
               bool preenchido)
    : Objeto(std::move(nome), cor, std::move(coordenadas), tipo.preenchivel && preenchido ? 2 : tipo.nivel)
{
    _tipo = &tipo;
    tipo.exigirCoordenadas(_coordenadas);
}

Objeto::Objeto(const Objeto& outro)
    : _coordenadas(outro._coordenadas), _nome(outro._nome), _tipo(outro._tipo), _cor(outro._cor), _nivel(outro._nivel),
      _desenho(outro._desenho),
      _arestasProjetadas(outro._arestasProjetadas ? std::make_unique<ArestasProjetadas>(*outro._arestasProjetadas)
                                                  : nullptr),
      _porVertices(outro._porVertices), _listado(outro._listado.load()), _autorDoDesenho(outro._autorDoDesenho),
      _versao(novaVersao()),
      _versaoDoOriginal(outro._versaoDoOriginal), _centroDaEsfera(outro._centroDaEsfera),
      _raioDaEsfera2(outro._raioDaEsfera2)
{
}

Objeto::~Objeto() = default;

std::string Objeto::nomeDoTipo() const
{
    return _tipo != nullptr ? _tipo->nome : std::string();
}

void Objeto::transformar(const Transformacao& t)
{
    for (Coordenada& c : _coordenadas)
        c = c * t;
    _versao = novaVersao();
}

void Objeto::restaurarCoordenadas(const std::vector<Coordenada>& coordenadas)
{
    if (coordenadas.size() != _coordenadas.size())
        throw std::invalid_argument(nomeDoTipo() + ": outro número de coordenadas");
    _coordenadas = coordenadas;
    _versao = novaVersao();
}

Objeto::Iterador Objeto::inicioDasCoordenadas() const
{
    return _coordenadas.begin();
}

int Objeto::numeroDeCoordenadas() const
{
    return static_cast<int>(_coordenadas.size());
}

Objeto::Iterador Objeto::fimDasCoordenadas() const
{
    return _coordenadas.end();
}

const std::vector<Coordenada>& Objeto::desenho() const
{
    if (_porVertices && !_listado.load(std::memory_order_acquire)) {
        const std::lock_guard<std::mutex> trava(listagem);
        if (!_listado.load(std::memory_order_relaxed)) {
            _arestasProjetadas->listar(_coordenadas, _tipo->arestas(*this), _desenho);
            _listado.store(true, std::memory_order_release);
        }
    }
    return _desenho;
}

Objeto::Iterador Objeto::inicioDoDesenho(const Window* w) const
{
    return w != nullptr && w == _autorDoDesenho ? desenho().begin() : semDesenho.begin();
}

int Objeto::tamanhoDoDesenho(const Window* w) const
{
    return w != nullptr && w == _autorDoDesenho ? static_cast<int>(desenho().size()) : 0;
}

Objeto::Iterador Objeto::fimDoDesenho(const Window* w) const
{
    return w != nullptr && w == _autorDoDesenho ? desenho().end() : semDesenho.end();
}

Coordenada Objeto::centro() const
{
    if (_coordenadas.empty())
        return Coordenada(0, 0, 0);
    double x = 0, y = 0, z = 0;
    for (const Coordenada& c : _coordenadas) {
        x += c.x();
        y += c.y();
        z += c.z();
    }
    const double n = static_cast<double>(_coordenadas.size());
    return Coordenada(x / n, y / n, z / n);
}

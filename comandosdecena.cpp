#include "comandosdecena.h"

#include <iterator>
#include <utility>

#include "mainwindow.h"
#include "objeto.h"
#include "viewport.h"

namespace {

std::vector<Objeto*>& objetosDe(MainWindow& janela)
{
    return janela.viewport().displayFile()->listaDeObjetos;
}

std::vector<Objeto*>::iterator em(std::vector<Objeto*>& lista, std::size_t posicao)
{
    return lista.begin() + static_cast<std::ptrdiff_t>(posicao);
}

} // namespace

ComandoAdicionar::ComandoAdicionar(MainWindow& janela, std::size_t posicao,
                                   std::vector<std::unique_ptr<Objeto>> objetos, const QString& texto)
    : QUndoCommand(texto), _janela(janela), _posicao(posicao), _fora(std::move(objetos))
{
}

ComandoAdicionar::~ComandoAdicionar() = default;

void ComandoAdicionar::redo()
{
    auto& lista = objetosDe(_janela);
    // Reserved first, so that nothing can throw once the first pointer left _fora.
    lista.reserve(lista.size() + _fora.size());
    std::vector<Objeto*> entrando;
    entrando.reserve(_fora.size());
    for (auto& o : _fora)
        entrando.push_back(o.release());
    lista.insert(em(lista, _posicao), entrando.begin(), entrando.end());
    const std::size_t quantos = entrando.size();
    _fora.clear();
    _fora.resize(quantos);
    _janela.cenaAlterada(-1);
}

void ComandoAdicionar::undo()
{
    auto& lista = objetosDe(_janela);
    for (std::size_t i = 0; i < _fora.size(); ++i)
        _fora[i].reset(lista[_posicao + i]);
    lista.erase(em(lista, _posicao), em(lista, _posicao + _fora.size()));
    _janela.cenaAlterada(-1);
}

ComandoRemover::ComandoRemover(MainWindow& janela, std::size_t posicao, const QString& texto)
    : QUndoCommand(texto), _janela(janela), _posicao(posicao)
{
}

ComandoRemover::~ComandoRemover() = default;

void ComandoRemover::redo()
{
    auto& lista = objetosDe(_janela);
    _fora.reset(lista[_posicao]);
    lista.erase(em(lista, _posicao));
    _janela.cenaAlterada(-1);
}

void ComandoRemover::undo()
{
    auto& lista = objetosDe(_janela);
    lista.insert(em(lista, _posicao), _fora.get());
    _fora.release();
    _janela.cenaAlterada(static_cast<int>(_posicao));
}

ComandoSubstituir::ComandoSubstituir(MainWindow& janela, std::size_t posicao, std::unique_ptr<Objeto> outro,
                                     const QString& texto)
    : QUndoCommand(texto), _janela(janela), _posicao(posicao), _outro(std::move(outro))
{
}

ComandoSubstituir::~ComandoSubstituir() = default;

void ComandoSubstituir::redo()
{
    Objeto*& lugar = objetosDe(_janela)[_posicao];
    Objeto* saindo = lugar;
    lugar = _outro.release();
    _outro.reset(saindo);
    _janela.cenaAlterada(static_cast<int>(_posicao));
}

ComandoTransformar::ComandoTransformar(MainWindow& janela, std::size_t posicao, std::vector<Coordenada> antes,
                                       std::vector<Coordenada> depois, const QString& texto)
    : QUndoCommand(texto), _janela(janela), _posicao(posicao), _antes(std::move(antes)), _depois(std::move(depois))
{
}

void ComandoTransformar::redo()
{
    objetosDe(_janela)[_posicao]->restaurarCoordenadas(_depois);
    _janela.cenaAlterada(static_cast<int>(_posicao));
}

void ComandoTransformar::undo()
{
    objetosDe(_janela)[_posicao]->restaurarCoordenadas(_antes);
    _janela.cenaAlterada(static_cast<int>(_posicao));
}

ComandoTrocarCena::ComandoTrocarCena(MainWindow& janela, DisplayFile cena, const Window& camera,
                                     const QString& arquivo, const QString& texto)
    : QUndoCommand(texto), _janela(janela), _cena(std::move(cena)), _camera(camera), _arquivo(arquivo)
{
}

void ComandoTrocarCena::redo()
{
    Viewport& v = _janela.viewport();
    std::swap(*v.displayFile(), _cena);
    std::swap(*v.janela(), _camera);
    const QString arquivo = _janela.arquivoDaCena();
    _janela.definirArquivoDaCena(_arquivo);
    _arquivo = arquivo;
    _janela.cenaAlterada(-1);
}

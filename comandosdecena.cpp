#include "comandosdecena.h"

#include <utility>

#include "documentodecena.h"
#include "objeto.h"

ComandoAdicionar::ComandoAdicionar(DocumentoDeCena& documento, std::size_t posicao,
                                   std::vector<std::unique_ptr<Objeto>> objetos, const QString& texto)
    : QUndoCommand(texto), _documento(documento), _posicao(posicao), _fora(std::move(objetos))
{
}

ComandoAdicionar::~ComandoAdicionar() = default;

void ComandoAdicionar::redo()
{
    _documento.inserir(_posicao, _fora);
}

void ComandoAdicionar::undo()
{
    _fora = _documento.retirar(_posicao, _fora.size());
}

ComandoRemover::ComandoRemover(DocumentoDeCena& documento, std::size_t posicao, const QString& texto)
    : QUndoCommand(texto), _documento(documento), _posicao(posicao)
{
}

ComandoRemover::~ComandoRemover() = default;

void ComandoRemover::redo()
{
    _fora = std::move(_documento.retirar(_posicao, 1).front());
}

void ComandoRemover::undo()
{
    std::vector<std::unique_ptr<Objeto>> volta;
    volta.push_back(std::move(_fora));
    _documento.inserir(_posicao, volta);
    _documento.pedirEscolha(static_cast<int>(_posicao));
}

ComandoSubstituir::ComandoSubstituir(DocumentoDeCena& documento, std::size_t posicao, std::unique_ptr<Objeto> outro,
                                     const QString& texto)
    : QUndoCommand(texto), _documento(documento), _posicao(posicao), _outro(std::move(outro))
{
}

ComandoSubstituir::~ComandoSubstituir() = default;

void ComandoSubstituir::redo()
{
    _outro = _documento.substituir(_posicao, std::move(_outro));
    _documento.pedirEscolha(static_cast<int>(_posicao));
}

ComandoTransformar::ComandoTransformar(DocumentoDeCena& documento, std::size_t posicao,
                                       std::vector<Coordenada> antes, std::vector<Coordenada> depois,
                                       const QString& texto)
    : QUndoCommand(texto), _documento(documento), _posicao(posicao), _antes(std::move(antes)),
      _depois(std::move(depois))
{
}

void ComandoTransformar::redo()
{
    _documento.restaurarCoordenadas(_posicao, _depois);
    _documento.pedirEscolha(static_cast<int>(_posicao));
}

void ComandoTransformar::undo()
{
    _documento.restaurarCoordenadas(_posicao, _antes);
    _documento.pedirEscolha(static_cast<int>(_posicao));
}

ComandoTrocarCena::ComandoTrocarCena(DocumentoDeCena& documento, DisplayFile cena, const Window& camera,
                                     const QString& arquivo, const QString& texto)
    : QUndoCommand(texto), _documento(documento), _cena(std::move(cena)), _camera(camera), _cameraDeAbertura(camera),
      _arquivo(arquivo)
{
}

void ComandoTrocarCena::redo()
{
    _documento.trocar(_cena, _camera, _cameraDeAbertura, _arquivo);
}

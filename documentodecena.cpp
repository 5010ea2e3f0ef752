#include "documentodecena.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <QUndoStack>

#include "objeto.h"
#include "viewport.h"

namespace {

std::vector<Objeto*>::iterator em(std::vector<Objeto*>& lista, std::size_t posicao)
{
    return lista.begin() + static_cast<std::ptrdiff_t>(posicao);
}

} // namespace

DocumentoDeCena::DocumentoDeCena(QObject* parent)
    : QObject(parent), _camera(Viewport::cameraInicial()), _cameraDeAbertura(_camera), _pilha(new QUndoStack(this))
{
    _camera.atualizarCPP(_cena);
    connect(_pilha, &QUndoStack::cleanChanged, this, [this](bool limpo) { emit modificacaoAlterada(!limpo); });
}

DocumentoDeCena::~DocumentoDeCena()
{
    // The stack's commands go first, while the scene they point into still stands; a dying stack
    // still says that it became clean, which no view must hear half destroyed.
    disconnect(_pilha, nullptr, this, nullptr);
    delete _pilha;
}

int DocumentoDeCena::posicaoDe(const Objeto* objeto) const
{
    const auto& lista = _cena.listaDeObjetos;
    const auto onde = std::find(lista.begin(), lista.end(), objeto);
    return objeto == nullptr || onde == lista.end() ? -1 : static_cast<int>(onde - lista.begin());
}

void DocumentoDeCena::definirArquivo(const QString& arquivo)
{
    _arquivo = arquivo;
    emit arquivoAlterado(arquivo);
}

bool DocumentoDeCena::modificado() const
{
    return !_pilha->isClean();
}

void DocumentoDeCena::marcarSalvo()
{
    _pilha->setClean();
}

void DocumentoDeCena::marcarNaoSalvo()
{
    _pilha->clear();
    // No index of the stack is the file's any more.
    _pilha->resetClean();
}

void DocumentoDeCena::inserir(std::size_t posicao, std::vector<std::unique_ptr<Objeto>>& objetos)
{
    auto& lista = _cena.listaDeObjetos;
    // Reserved first, so that nothing can throw once the first pointer left objetos.
    lista.reserve(lista.size() + objetos.size());
    std::vector<Objeto*> entrando;
    entrando.reserve(objetos.size());
    for (auto& o : objetos)
        entrando.push_back(o.release());
    lista.insert(em(lista, posicao), entrando.begin(), entrando.end());
    ++_revisao;
    emit objetosInseridos(static_cast<int>(posicao), static_cast<int>(entrando.size()));
    emit alterado();
}

std::vector<std::unique_ptr<Objeto>> DocumentoDeCena::retirar(std::size_t posicao, std::size_t quantos)
{
    auto& lista = _cena.listaDeObjetos;
    std::vector<std::unique_ptr<Objeto>> saindo(quantos);
    for (std::size_t i = 0; i < quantos; ++i)
        saindo[i].reset(lista[posicao + i]);
    lista.erase(em(lista, posicao), em(lista, posicao + quantos));
    ++_revisao;
    emit objetosRemovidos(static_cast<int>(posicao), static_cast<int>(quantos));
    emit alterado();
    return saindo;
}

std::unique_ptr<Objeto> DocumentoDeCena::substituir(std::size_t posicao, std::unique_ptr<Objeto> outro)
{
    Objeto*& lugar = _cena.listaDeObjetos[posicao];
    std::unique_ptr<Objeto> saindo(lugar);
    lugar = outro.release();
    ++_revisao;
    emit objetoAlterado(static_cast<int>(posicao));
    emit alterado();
    return saindo;
}

void DocumentoDeCena::restaurarCoordenadas(std::size_t posicao, const std::vector<Coordenada>& coordenadas)
{
    _cena.listaDeObjetos[posicao]->restaurarCoordenadas(coordenadas);
    ++_revisao;
    emit objetoAlterado(static_cast<int>(posicao));
    emit alterado();
}

void DocumentoDeCena::trocar(DisplayFile& cena, Window& camera, QString& arquivo)
{
    Window abertura = camera;
    trocar(cena, camera, abertura, arquivo);
}

void DocumentoDeCena::trocar(DisplayFile& cena, Window& camera, Window& cameraDeAbertura, QString& arquivo)
{
    std::swap(_cameraDeAbertura, cameraDeAbertura);
    const AlgoritmoDeRecorte recorte = _camera.recorte();
    std::swap(_cena, cena);
    std::swap(_camera, camera);
    _camera.definirRecorte(recorte);
    // The camera handed in may project another scene, or none.
    _camera.atualizarCPP(_cena);
    std::swap(_arquivo, arquivo);
    ++_revisao;
    emit arquivoAlterado(_arquivo);
    emit cenaTrocada();
    emit cameraAlterada();
    emit alterado();
}

void DocumentoDeCena::avisarCameraMovida()
{
    ++_revisao;
    emit cameraAlterada();
    emit alterado();
}

bool DocumentoDeCena::mover(double dx, double dy, double dz)
{
    const bool feito = _camera.mover(dx, dy, dz);
    if (feito)
        avisarCameraMovida();
    return feito;
}

bool DocumentoDeCena::escala(double f)
{
    const bool feito = _camera.escala(f);
    if (feito)
        avisarCameraMovida();
    return feito;
}

bool DocumentoDeCena::escala(double f, double x, double y)
{
    const bool feito = _camera.escala(f, x, y);
    if (feito)
        avisarCameraMovida();
    return feito;
}

bool DocumentoDeCena::rodar(double ax, double ay, double az)
{
    const bool feito = _camera.rodar(ax, ay, az);
    if (feito)
        avisarCameraMovida();
    return feito;
}

void DocumentoDeCena::definirCamera(const Window& camera)
{
    const AlgoritmoDeRecorte recorte = _camera.recorte();
    _camera = camera;
    _camera.definirRecorte(recorte);
    _camera.atualizarCPP(_cena);
    avisarCameraMovida();
}

void DocumentoDeCena::voltarACameraDeAbertura()
{
    // The way of projecting is the user's choice, not a place to go back to; nor is the clipper,
    // which definirCamera keeps.
    Window camera = _cameraDeAbertura;
    camera.definirProjecao(_camera.projecao());
    definirCamera(camera);
}

void DocumentoDeCena::definirProjecao(Projecao projecao)
{
    if (projecao == _camera.projecao())
        return;
    _camera.definirProjecao(projecao);
    avisarCameraMovida();
}

void DocumentoDeCena::definirRecorte(AlgoritmoDeRecorte recorte)
{
    if (recorte == _camera.recorte())
        return;
    _camera.definirRecorte(recorte);
    avisarCameraMovida();
}

void DocumentoDeCena::avisarAlteracao()
{
    _camera.atualizarCPP(_cena);
    ++_revisao;
    emit alteradoPorFora();
    emit alterado();
}

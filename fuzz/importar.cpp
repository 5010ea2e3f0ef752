// Model import on arbitrary bytes, as the window runs it: the contents read as an OBJ file (through
// tinyobjloader) and as an OFF file (Importacao::lerModelo, by the file's suffix), then the objects
// added to the scene document by the add command. A refused file gives a message and adds nothing;
// an accepted one adds only objects of finite coordinates and valid edges, which project within the
// window, and undoing the import takes them all away again. The contents go in from memory, under a
// fixed name: a file in a temporary folder would bring its random name into the comparisons that
// libFuzzer learns from, and the same seed would take another path.

#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QUndoStack>

#include "comandosdecena.h"
#include "desenho.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "geometria.h"
#include "importacao.h"
#include "objeto.h"
#include "objeto3d.h"
#include "ponto.h"
#include "reta.h"
#include "window.h"

namespace {

// What an imported object may be: a point or a wireframe, of finite coordinates, whose every edge
// joins two of its own vertices.
void verificarObjeto(const Objeto& o)
{
    for (const Coordenada& c : o.coordenadas())
        if (!(std::isfinite(c.x()) && std::isfinite(c.y()) && std::isfinite(c.z())) || c.isNull())
            Prova::falha("an imported object has a coordinate that is not a finite point");
    if (dynamic_cast<const Ponto*>(&o) != nullptr)
        return;
    const auto* wireframe = dynamic_cast<const Objeto3D*>(&o);
    if (wireframe == nullptr)
        Prova::falha("an import made an object that is neither a point nor a 3-D object");
    if (wireframe->arestas().empty())
        Prova::falha("an imported 3-D object has no edge");
    for (const auto& [i, j] : wireframe->arestas())
        if (!arestaValida(i, j, o.coordenadas().size()))
            Prova::falha("an imported 3-D object has the edge (" + std::to_string(i) + ", " + std::to_string(j) + ")");
}

// The window's import command on a file named caminho that holds conteudo, over a scene that
// already holds an object.
void importar(const QString& caminho, const QByteArray& conteudo)
{
    DocumentoDeCena documento;
    std::vector<std::unique_ptr<Objeto>> inicial;
    inicial.push_back(std::make_unique<Reta>("r", Cor(), Coordenada(-4, 6, 0), Coordenada(40, 8, 2)));
    documento.inserir(0, inicial);

    std::vector<std::unique_ptr<Objeto>> novos;
    try {
        novos = Importacao::lerModelo(caminho, conteudo);
    } catch (const std::string& erro) {
        if (erro.rfind("Não foi possível importar '" + caminho.toStdString() + "': ", 0) != 0)
            Prova::falha("a refusal that does not say which file and why: " + erro);
        if (documento.quantidade() != 1)
            Prova::falha("a refused file changed the scene");
        return;
    }
    if (novos.empty())
        Prova::falha("a model accepted without any object");
    const std::size_t quantos = novos.size();
    for (const auto& o : novos)
        verificarObjeto(*o);
    documento.pilhaDeDesfazer()->push(new ComandoAdicionar(documento, 1, std::move(novos), QString()));
    if (documento.quantidade() != 1 + quantos)
        Prova::falha("the scene did not take every imported object");

    const Window& camera = *documento.janela();
    const DisplayFile projecao = camera.coordenadasDePlanoDeProjecao();
    if (projecao.listaDeObjetos.size() != documento.quantidade())
        Prova::falha("one projected copy per object");
    for (std::size_t i = 0; i < projecao.listaDeObjetos.size(); ++i)
        Prova::verificarDesenho(*documento.objeto(i), *projecao.listaDeObjetos[i], camera);

    documento.pilhaDeDesfazer()->undo();
    if (documento.quantidade() != 1)
        Prova::falha("undoing the import left objects behind");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The user's locale, as the program takes it on start-up.
    std::setlocale(LC_ALL, "");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho)
{
    const QByteArray conteudo(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    importar(QStringLiteral("modelo.obj"), conteudo);
    importar(QStringLiteral("modelo.off"), conteudo);
    return 0;
}

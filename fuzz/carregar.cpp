// The load command on arbitrary bytes, as the window runs it: the nesting guard and TinyXML
// (ArquivoDeCena::lerConteudo), the root element, the camera and objects (Viewport::restore), then
// the repaint. A refused file leaves the scene as it was; an accepted one paints within the
// window's rectangle, and saving it and loading the result gives back the same scene bit for bit.
// The reading in pieces, in pieces small enough to cut every object, gives what the whole reading
// gives: the same scene or the same fault, and the same lines on standard error; and the file
// written as it goes is what TinyXML prints of the same document.

#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include <QByteArray>
#include <QString>

#include <tinyxml.h>

#include "arquivodecena.h"
#include "desenho.h"
#include "displayfile.h"
#include "objeto.h"
#include "objeto3d.h"
#include "saidaemtexto.h"
#include "tipodeobjeto.h"
#include "viewport.h"
#include "window.h"
#include "xml.h"
#include "xmldacena.h"

namespace {

// The canvas without a surface: its paint hooks check every object's drawing list.
class Tela : public Viewport {
public:
    int largura() const override { return 800; }
    int altura() const override { return 600; }

protected:
    void iniciarPintura() override { _indice = 0; }
    void repintar0(Objeto* atual) override { verificar(*atual); }
    void repintar1(Objeto* atual) override { verificar(*atual); }
    void repintar2(Objeto* atual) override { verificar(*atual); }

private:
    // The projection keeps the scene's order, one copy per object.
    void verificar(const Objeto& copia)
    {
        const auto& originais = displayFile()->listaDeObjetos;
        if (_indice >= originais.size())
            Prova::falha("more projected copies than objects");
        Prova::verificarDesenho(*originais[_indice++], copia, *janela());
    }

    std::size_t _indice = 0;
};

// A scene that every input is loaded over, so that a refused file has something to leave alone.
const char* const cenaInicial = R"(<?xml version="1.0" ?>
<formas>
    <window distancia="7.5">
        <centro x="1" y="-2" z="3"/>
        <direita x="24" y="0" z="0"/>
        <cima x="0" y="0" z="18"/>
    </window>
    <ponto nome="p" cor="#102030"><coordenada x="1" y="5" z="3"/></ponto>
    <reta nome="r" cor="#ff0000"><coordenada x="-4" y="6" z="0"/><coordenada x="40" y="8" z="2"/></reta>
    <poligono nome="t" cor="#00ff00" preenchido="true">
        <coordenada x="0" y="4" z="0"/><coordenada x="5" y="4" z="0"/><coordenada x="0" y="4" z="5"/>
    </poligono>
    <bspline nome="s" cor="#0000ff">
        <coordenada x="0" y="3" z="0"/><coordenada x="2" y="6" z="4"/>
        <coordenada x="4" y="3" z="0"/><coordenada x="6" y="9" z="4"/>
    </bspline>
</formas>
)";

// The file the save command writes for v.
std::string salvo(const Viewport& v)
{
    TiXmlDocument doc;
    auto versao = std::make_unique<TiXmlDeclaration>("1.0", "", "");
    auto formas = std::make_unique<TiXmlElement>("formas");
    v.persist(formas.get());
    doc.LinkEndChild(versao.release());
    doc.LinkEndChild(formas.release());
    TiXmlPrinter impressora;
    doc.Accept(&impressora);
    return impressora.Str();
}

// The load command's steps after the file is read; throws what the command reports.
void carregar(Viewport& v, const QByteArray& bytes)
{
    TiXmlDocument doc;
    ArquivoDeCena::lerConteudo(bytes, doc, QStringLiteral("entrada.xml"));
    TiXmlElement* formas = doc.FirstChildElement("formas");
    if (!formas)
        throw std::string("Tag raiz 'formas' ausente.");
    v.restore(formas);
}

// Standard error while a file is loaded.
std::ostringstream avisos;

// What a load gives: the scene as TinyXML prints it, or the fault; and what it said on standard error.
struct Lido {
    std::string cenaOuFalha;
    std::string avisos;
};

Lido lerCom(const std::function<void(Window&, DisplayFile&)>& ler)
{
    avisos.str(std::string());
    Lido l;
    try {
        Window camera = Viewport::cameraInicial();
        DisplayFile cena;
        ler(camera, cena);
        TiXmlPrinter impressora;
        XmlDaCena::documento(camera, cena)->Accept(&impressora);
        l.cenaOuFalha = impressora.Str();
    } catch (const std::string& falha) {
        l.cenaOuFalha = "falha: " + falha;
    }
    l.avisos = avisos.str();
    return l;
}

void compararLeituras(const QByteArray& bytes)
{
    const QString caminho = QStringLiteral("entrada.xml");
    const Lido inteiro = lerCom([&](Window& camera, DisplayFile& cena) {
        TiXmlDocument doc;
        ArquivoDeCena::lerConteudo(bytes, doc, caminho);
        XmlDaCena::ler(ArquivoDeCena::raiz(doc), camera, cena);
    });
    const Lido emPedacos = lerCom([&](Window& camera, DisplayFile& cena) {
        ArquivoDeCena::carregarConteudo(bytes, caminho, camera, cena, {}, 64);
    });
    if (emPedacos.cenaOuFalha != inteiro.cenaOuFalha)
        Prova::falha("read in pieces: " + emPedacos.cenaOuFalha.substr(0, 300) + "\nread whole: "
                     + inteiro.cenaOuFalha.substr(0, 300));
    if (emPedacos.avisos != inteiro.avisos)
        Prova::falha("read in pieces, standard error says " + emPedacos.avisos + "; read whole, " + inteiro.avisos);
}

// The file of v written as it goes, in pieces of a few bytes.
std::string escritoAosPoucos(const Viewport& v)
{
    std::string texto;
    SaidaEmTexto saida([&texto](std::string_view pedaco, std::size_t) { texto += pedaco; }, 16);
    XmlDaCena::escreverDocumento(saida, *v.janela(), *v.displayFile());
    saida.terminar();
    return texto;
}

bool mesmosBits(const Matriz<1, 4>& a, const Matriz<1, 4>& b)
{
    for (std::size_t i = 0; i < 4; ++i) {
        const double x = a(0, i);
        const double y = b(0, i);
        if (std::memcmp(&x, &y, sizeof x) != 0)
            return false;
    }
    return true;
}

void compararCenas(const Viewport& a, const Viewport& b)
{
    const Window& ja = *a.janela();
    const Window& jb = *b.janela();
    const double da = ja.distanciaFocal();
    const double db = jb.distanciaFocal();
    if (!mesmosBits(ja.centro(), jb.centro()) || !mesmosBits(ja.viewRightVector(), jb.viewRightVector())
        || !mesmosBits(ja.viewUpVector(), jb.viewUpVector()) || std::memcmp(&da, &db, sizeof da) != 0 || ja.projecao() != jb.projecao())
        Prova::falha("the camera read back differs from the one saved");
    const auto& oa = a.displayFile()->listaDeObjetos;
    const auto& ob = b.displayFile()->listaDeObjetos;
    if (oa.size() != ob.size())
        Prova::falha("the scene read back has another number of objects");
    for (std::size_t i = 0; i < oa.size(); ++i) {
        const Objeto& x = *oa[i];
        const Objeto& y = *ob[i];
        const std::string quem = "object " + std::to_string(i) + " read back: ";
        if (x.nomeDoTipo() != y.nomeDoTipo() || x.nivelDePreenchimento() != y.nivelDePreenchimento())
            Prova::falha(quem + "another kind");
        if (x.nome() != y.nome())
            Prova::falha(quem + "another name");
        if (x.cor() != y.cor())
            Prova::falha(quem + "another colour");
        if (x.coordenadas().size() != y.coordenadas().size())
            Prova::falha(quem + "another number of coordinates");
        for (std::size_t k = 0; k < x.coordenadas().size(); ++k)
            if (!mesmosBits(x.coordenadas()[k], y.coordenadas()[k]))
                Prova::falha(quem + "coordinate " + std::to_string(k) + " differs");
        const auto* wx = dynamic_cast<const Objeto3D*>(&x);
        const auto* wy = dynamic_cast<const Objeto3D*>(&y);
        if (wx && wy && wx->arestas() != wy->arestas())
            Prova::falha(quem + "other edges");
        if (const TipoDeObjeto* tipo = x.tipo(); tipo != nullptr && tipo->grade != nullptr) {
            const Grade gx = tipo->grade->de(x);
            const Grade gy = tipo->grade->de(y);
            if (gx.linhas != gy.linhas || gx.colunas != gy.colunas || gx.malha != gy.malha)
                Prova::falha(quem + "another grid");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The user's locale, as the program takes it on start-up: under pt_BR "0.5" must not read as 0.
    std::setlocale(LC_ALL, "");
    // The load command's messages; libFuzzer's own go to stderr directly.
    std::cerr.rdbuf(avisos.rdbuf());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho)
{
    Tela tela;
    try {
        carregar(tela, QByteArray(cenaInicial));
    } catch (const std::string& erro) {
        Prova::falha("the initial scene is refused: " + erro);
    }
    const std::string antes = salvo(tela);

    const QByteArray bytes(reinterpret_cast<const char*>(dados), static_cast<qsizetype>(tamanho));
    compararLeituras(bytes);
    try {
        carregar(tela, bytes);
    } catch (const std::string&) {
        if (salvo(tela) != antes)
            Prova::falha("a refused file changed the scene");
        return 0;
    }
    tela.repintar();

    std::string primeiro;
    try {
        primeiro = salvo(tela);
    } catch (const std::string& erro) {
        Prova::falha("a scene that was read cannot be saved: " + erro);
    }
    if (!Prova::arquivoXml(primeiro))
        Prova::falha("the saved file holds characters that XML cannot carry");
    if (escritoAosPoucos(tela) != primeiro)
        Prova::falha("the file written as it goes is not what TinyXML prints");
    Tela outra;
    try {
        carregar(outra, QByteArray::fromStdString(primeiro));
    } catch (const std::string& erro) {
        Prova::falha("a saved file is refused: " + erro);
    }
    compararCenas(tela, outra);
    if (salvo(outra) != primeiro)
        Prova::falha("saving the scene read back writes another file");
    return 0;
}

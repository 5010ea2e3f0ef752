#include <algorithm>
#include <cstdint>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "arquivodecena.h"
#include "displayfile.h"
#include "lencol.h"
#include "leituraempedacos.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

namespace {

// A scene of the usual shape, large enough to be read in many pieces: small objects before and after
// a wireframe much longer than a piece.
std::string textoDeCena()
{
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("cena.xml");
    DisplayFile cena;
    for (int i = 0; i < 3000; ++i)
        cena.listaDeObjetos.push_back(new Ponto("p" + std::to_string(i), Cor(i % 256, 0, 0), Coordenada(i, -i, 0.5)));
    cena.listaDeObjetos.push_back(lencol(Cor(0, 90, 0), 80));
    for (int i = 0; i < 500; ++i)
        cena.listaDeObjetos.push_back(new Poligono("q" + std::to_string(i), Cor(0, 0, i % 256),
                                                   {Coordenada(0, 0, i), Coordenada(1, 0, i), Coordenada(0, 1, i)}, i % 2 == 0));
    Window camera = Viewport::cameraInicial();
    camera.rodar(10, 20, 30);
    ArquivoDeCena::salvar(caminho, camera, cena);
    QFile arquivo(caminho);
    arquivo.open(QIODevice::ReadOnly);
    return arquivo.readAll().toStdString();
}

// What a load gives: the scene as its file would be written again, or the fault; and what it says on
// standard error.
struct Leitura {
    std::string cenaOuFalha;
    std::string avisos;
};

Leitura lerCom(const std::function<void(Window&, DisplayFile&)>& ler)
{
    std::ostringstream avisos;
    std::streambuf* antes = std::cerr.rdbuf(avisos.rdbuf());
    Leitura l;
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
    std::cerr.rdbuf(antes);
    l.avisos = avisos.str();
    return l;
}

// The text read whole by TinyXML, as every file was read before there were pieces.
Leitura lerInteiro(const QString& caminho)
{
    return lerCom([&](Window& camera, DisplayFile& cena) {
        TiXmlDocument doc;
        ArquivoDeCena::ler(caminho, doc);
        XmlDaCena::ler(ArquivoDeCena::raiz(doc), camera, cena);
    });
}

// Replaces the n-th occurrence (from 0) of de in texto by para.
std::string trocar(std::string texto, const std::string& de, const std::string& para, int n = 0)
{
    std::size_t i = texto.find(de);
    for (int k = 0; k < n && i != std::string::npos; ++k)
        i = texto.find(de, i + 1);
    if (i != std::string::npos)
        texto.replace(i, de.size(), para);
    return texto;
}

} // namespace

// A file read in pieces gives what TinyXML's reading of the whole file gives: the same scene bit for
// bit, or the same fault in the same words, and the same lines on standard error. A usual file is
// read in pieces, not whole.
// Mutations caught: a run of a large object's children lost or read twice at a piece's edge, a
// start tag read as closed on itself when it is not, text or CDATA inside the root passed over, a
// second <window> or a missing one read as one, a fault deep inside a large object missed, the
// camera not read from the file; read straight from the text, an attribute the shape does not take
// passed over, a repeated or missing one taken, a value read other than TinyXML reads it.
TEST(LeituraEmPedacos, DaOQueALeituraInteiraDa)
{
    const std::string texto = textoDeCena();
    ASSERT_GT(texto.size(), 3 * ArquivoDeCena::LeituraEmPedacos::tamanhoPadrao);
    const std::string comentario = "<!-- um comentário -->";
    const std::vector<std::pair<const char*, std::string>> casos = {
        {"inteira", texto},
        {"comentários por toda parte", trocar(trocar(texto, "<aresta ", comentario + "<aresta ", 12000), "<ponto ",
                                                comentario + "<ponto ", 7)},
        {"número ruim no fundo de um objeto grande", trocar(texto, "x=\"", "x=\"abc", 8000)},
        {"texto dentro de um objeto grande", trocar(texto, "<aresta ", "solto <aresta ", 15000)},
        {"CDATA dentro da raiz", trocar(texto, "<ponto ", "<![CDATA[x]]><ponto ", 100)},
        {"elemento desconhecido num objeto grande", trocar(texto, "<aresta ", "<foo /><aresta ", 9000)},
        {"aresta para um vértice que não existe", trocar(texto, "origem=\"", "origem=\"9", 17000)},
        {"aresta de um vértice a ele mesmo", trocar(texto, "origem=\"1\" destino=\"0\"", "origem=\"1\" destino=\"1\"")},
        {"segunda window", trocar(texto, "</formas>", "<window distancia=\"1\"><centro x=\"0\" y=\"0\" z=\"0\" />"
                                                        "<direita x=\"1\" y=\"0\" z=\"0\" /><cima x=\"0\" y=\"1\" z=\"0\" />"
                                                        "</window></formas>")},
        {"sem window", trocar(texto, "<window ", "<janela ")},
        {"sem o fim da raiz", trocar(texto, "</formas>", "")},
        {"objeto grande sem fim", trocar(texto, "</objeto3d>", "")},
        {"segunda raiz", texto + "<formas />\n"},
        // What the plain shape does not take, read by TinyXML, right or wrong.
        {"atributo desconhecido", trocar(texto, "<coordenada x=\"", "<coordenada w=\"1\" x=\"", 7000)},
        {"quebras de linha numa marca", trocar(texto, "\" y=\"", "\"\n\t y=\"", 7100)},
        {"referência a caractere", trocar(texto, " x=\"", " x=\"&#48;", 7200)},
        {"atributo repetido", trocar(texto, " y=\"", " x=\"1\" y=\"", 7300)},
        {"atributo que falta", trocar(texto, " z=\"", " w=\"", 7400)},
        {"espaço antes do número", trocar(texto, "destino=\"", "destino=\" ", 16000)},
        {"aspas simples", trocar(trocar(texto, "origem=\"", "origem='", 16100), "\" destino", "' destino", 16100)},
    };
    QTemporaryDir pasta;
    for (const auto& [nome, conteudo] : casos) {
        const QString caminho = pasta.filePath(QString::fromUtf8(nome) + ".xml");
        {
            QFile arquivo(caminho);
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
            arquivo.write(QByteArray::fromStdString(conteudo));
        }
        const Leitura esperada = lerInteiro(caminho);
        const Leitura obtida = lerCom([&](Window& camera, DisplayFile& cena) { ArquivoDeCena::carregar(caminho, camera, cena); });
        EXPECT_EQ(obtida.cenaOuFalha.substr(0, 400), esperada.cenaOuFalha.substr(0, 400)) << nome;
        EXPECT_TRUE(obtida.cenaOuFalha == esperada.cenaOuFalha) << nome;
        EXPECT_EQ(obtida.avisos, esperada.avisos) << nome;
    }
    // The usual files were read in pieces.
    for (const std::string& usual : {casos[0].second, casos[1].second}) {
        const std::string t = ArquivoDeCena::textoParaOTinyXml(QByteArray::fromStdString(usual));
        ArquivoDeCena::LeituraEmPedacos pedacos;
        ASSERT_TRUE(ArquivoDeCena::estrutura(t, ArquivoDeCena::profundidadeMaxima, &pedacos).completa);
        Window camera = Viewport::cameraInicial();
        DisplayFile cena;
        EXPECT_TRUE(pedacos.ler(t, camera, cena, {}));
        EXPECT_EQ(cena.listaDeObjetos.size(), 3501u);
    }
}

// A load tells how far it has read, up to the whole text, and cancelled half-way it leaves the camera
// and the scene as they were.
// Mutations caught: a cancel not heeded, or heeded after the scene or camera changed; progress told
// only at the end, or short of the whole.
TEST(LeituraEmPedacos, ProgressoAteOFimECancelamentoSemMudanca)
{
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("cena.xml");
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(QByteArray::fromStdString(textoDeCena()));
    }
    const std::uint64_t tamanho = static_cast<std::uint64_t>(QFile(caminho).size());
    std::uint64_t feitos = 0;
    int chamadas = 0;
    Window camera = Viewport::cameraInicial();
    DisplayFile cena;
    ArquivoDeCena::carregar(caminho, camera, cena, [&](std::uint64_t feito, std::uint64_t total) {
        EXPECT_LE(feito, total);
        feitos = std::max(feitos, feito);
        ++chamadas;
        return true;
    });
    EXPECT_EQ(feitos, tamanho);
    EXPECT_GT(chamadas, 1);

    Window antes = Viewport::cameraInicial();
    antes.mover(1, 2, 3);
    Window outra = antes;
    DisplayFile vazia;
    vazia.listaDeObjetos.push_back(new Ponto("fica", Cor(), Coordenada(1, 2, 3)));
    EXPECT_THROW(ArquivoDeCena::carregar(caminho, outra, vazia,
                                         [&](std::uint64_t feito, std::uint64_t) { return feito < tamanho / 2; }),
                 Cancelado);
    EXPECT_EQ(outra.centro(), antes.centro());
    ASSERT_EQ(vazia.listaDeObjetos.size(), 1u);
    EXPECT_EQ(vazia.listaDeObjetos[0]->nome(), "fica");
}

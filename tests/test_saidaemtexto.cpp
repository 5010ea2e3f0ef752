#include <string>
#include <utility>
#include <vector>

#include <QString>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "arquivodecena.h"
#include "displayfile.h"
#include "objeto3d.h"
#include "ponto.h"
#include "reta.h"
#include "saidaemtexto.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

namespace {

// Every kind (the sample scenes hold the surfaces), and names that TinyXML escapes or quotes in
// every way it has.
DisplayFile cenaDeTodosOsJeitos(Window& camera)
{
    DisplayFile cena;
    for (const char* exemplo : {"/bule.xml", "/desenho.xml"}) {
        DisplayFile lida;
        ArquivoDeCena::carregar(QString::fromUtf8(VELK_EXEMPLOS) + exemplo, camera, lida);
        for (Objeto*& o : lida.listaDeObjetos)
            cena.listaDeObjetos.push_back(std::exchange(o, nullptr));
    }
    const char* const nomes[] = {"aspas \" duplas", "aspas ' simples", "as duas \" e '", "&amp; já escrito",
                                 "&#x41; passa", "&#x sem fim", "tab\taqui", "<b>&c</b>", "ção 🦊", "fim &"};
    for (const char* nome : nomes)
        cena.listaDeObjetos.push_back(new Ponto(nome, Cor(1, 2, 3), Coordenada(0.1, -2e-300, 1e21)));
    cena.listaDeObjetos.push_back(new Objeto3D("arestas", Cor(255, 255, 255),
                                               {Coordenada(0, 0, 0), Coordenada(1, 1, 1), Coordenada(2, 0, 1)},
                                               {{0, 1}, {2, 1}, {0, 2}}));
    camera.definirProjecao(Projecao::obliqua);
    return cena;
}

} // namespace

// A scene file written as it goes must be, byte for byte, what TinyXML prints of the scene's
// document, however small the pieces it is handed over in.
// Mutations caught: a value quoted with " although it holds one, an escape TinyXML makes left out
// (any of & < > " ' or a control character), " />" or the indent or a line break written otherwise,
// a piece lost or repeated at a boundary or at the end, the root's attributes out of order.
TEST(SaidaEmTexto, EscreveOQueOTinyXmlImprime)
{
    Window camera = Viewport::cameraInicial();
    const DisplayFile cena = cenaDeTodosOsJeitos(camera);
    const std::vector<XmlDaCena::Atributo> raiz = {{"arquivo", "/tmp/a \"b\".xml"}, {"hora", "agora"}};
    TiXmlPrinter impressora;
    XmlDaCena::documento(camera, cena, raiz)->Accept(&impressora);
    const std::string esperado = impressora.Str();
    ASSERT_GT(esperado.size(), 10000u);

    for (const std::size_t pedaco : {std::size_t{1}, std::size_t{7}, SaidaEmTexto::pedacoPadrao}) {
        std::string escrito;
        std::size_t pedacos = 0;
        std::size_t ultimosElementos = 0;
        SaidaEmTexto saida(
            [&](std::string_view texto, std::size_t elementos) {
                escrito += texto;
                ++pedacos;
                EXPECT_GE(elementos, ultimosElementos);
                ultimosElementos = elementos;
            },
            pedaco);
        XmlDaCena::escreverDocumento(saida, camera, cena, raiz);
        saida.terminar();
        EXPECT_EQ(escrito, esperado) << "em pedaços de " << pedaco << " bytes";
        EXPECT_EQ(saida.bytes(), esperado.size());
        if (pedaco < 10) {
            EXPECT_GT(pedacos, 500u);
        }
    }
}

#include <vector>

#include <gtest/gtest.h>

#include "displayfile.h"
#include "lencol.h"
#include "projetor.h"
#include "window.h"

namespace {

std::vector<Coordenada> desenho(const Objeto& o, const Window& w)
{
    return std::vector<Coordenada>(o.inicioDoDesenho(&w), o.fimDoDesenho(&w));
}

} // namespace

// A wireframe is drawn by its vertices, each projected once: its drawing list, made from that when
// asked for, and its own coordinates must be, bit for bit, what the plain pipeline gives when every
// edge is clipped on its own, from a new projection and from one kept as the camera moves.
// Mutations caught: a projection or clipper other than the camera's, the PPC of a vertex taken from
// the wrong place once vertices behind the eye are dropped, the cut edges' pieces left in the order
// the threads made them, an edge with one end outside drawn whole, the pieces skipped when all looks
// inside, a kept copy's pieces or places left over from the last camera.
TEST(ArestasProjetadas, DesenhoPelosVerticesEhODeCadaArestaRecortadaSozinha)
{
    DisplayFile cena;
    cena.listaDeObjetos.push_back(lencol(Cor(10, 20, 30)));
    const Objeto& original = *cena.listaDeObjetos[0];
    Window janela(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    janela.atualizarCPP(cena);
    DisplayFile mantida;
    // pedacos: whether the camera cuts some edges.
    const auto conferir = [&](const char* camera, bool pedacos) {
        Projetor projetor = janela.projetor();
        projetor.iniciar();
        original.descreverGeometria(projetor);
        std::vector<Coordenada> proprias;
        projetor.projetarCoordenadas(original.coordenadas(), proprias);
        ASSERT_GT(projetor.desenho().size(), 300u) << camera;

        janela.atualizarProjecao(mantida);
        const DisplayFile nova = janela.coordenadasDePlanoDeProjecao();
        for (const DisplayFile* projecao : {&nova, static_cast<const DisplayFile*>(&mantida)}) {
            const Objeto& copia = *projecao->listaDeObjetos[0];
            ASSERT_NE(copia.arestasProjetadas(&janela), nullptr) << camera;
            EXPECT_EQ(copia.arestasProjetadas(&janela)->pedacos().empty(), !pedacos) << camera;
            EXPECT_EQ(desenho(copia, janela), projetor.desenho()) << camera;
            EXPECT_EQ(copia.coordenadas(), proprias) << camera;
        }
    };
    conferir("inicial", true);
    janela.rodar(10, -25, 5);
    conferir("girada", true);
    janela.escala(0.05);
    conferir("aproximada", true);
    janela = Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    janela.atualizarCPP(cena);
    janela.definirProjecao(Projecao::obliqua);
    janela.definirRecorte(AlgoritmoDeRecorte::liangBarsky);
    conferir("oblíqua, Liang–Barsky", true);
    janela.definirProjecao(Projecao::perspectiva);
    janela.mover(0, 0, -4);
    conferir("de longe, tudo dentro", false);
}

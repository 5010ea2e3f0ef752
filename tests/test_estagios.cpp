#include <cmath>

#include <gtest/gtest.h>

#include "estagios.h"
#include "pertode.h"
#include "window.h"

// A vertex under a turned, moved and zoomed camera, against the stages worked independently from
// the camera's centre and frame: catches camera coordinates measured from the eye, the normalised
// coordinates scaled by the whole window, either projection's formula, and a wrong situation.
TEST(EstagiosDoVertice, CameraGiradaContraContaIndependente)
{
    for (const Projecao projecao : {Projecao::perspectiva, Projecao::ortogonal, Projecao::obliqua}) {
        Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
        ASSERT_TRUE(w.rodar(25, -40, 15));
        ASSERT_TRUE(w.mover(0.1, -0.2, 0.3));
        ASSERT_TRUE(w.escala(0.8));
        w.definirProjecao(projecao);
        const Vetor u = w.viewRightVector().normalizado();
        const Vetor v = w.viewUpVector().normalizado();
        const Vetor n = w.direcaoDeVisao();
        const double d = w.distanciaFocal();
        const double meiaL = w.viewRightVector().modulo() / 2;
        const double meiaA = w.viewUpVector().modulo() / 2;
        for (const Coordenada p : {Coordenada(1, 2, 3), Coordenada(-30, 4, 12), Coordenada(0, 0, -40)}) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(projecao) << " (" << p.x() << ", " << p.y() << ", "
                                              << p.z() << ")");
            const Vetor r(w.centro(), p);
            const double cu = r.escalar(u), cv = r.escalar(v), cn = r.escalar(n);
            const EstagiosDoVertice e = estagiosDoVertice(w, p);
            EXPECT_EQ(e.mundo, p);
            EXPECT_TRUE(pertoDe(e.camera.x, cu) && pertoDe(e.camera.y, cv) && pertoDe(e.camera.z, cn));
            if (cn + d < d / 100) {
                EXPECT_EQ(e.situacao, SituacaoDoVertice::atrasDoPlanoProximo);
                EXPECT_FALSE(e.projetado);
                continue;
            }
            ASSERT_TRUE(e.projetado);
            double x = cu * d / (cn + d), y = cv * d / (cn + d);
            if (projecao != Projecao::perspectiva) {
                const double desvio = projecao == Projecao::obliqua ? 0.5 * std::cos(M_PI / 4) * cn : 0.0;
                x = cu + desvio;
                y = cv + desvio;
            }
            EXPECT_TRUE(pertoDe(e.xPlano, x) && pertoDe(e.yPlano, y)) << e.xPlano << ", " << e.yPlano;
            EXPECT_TRUE(pertoDe(e.xNormalizado, x / meiaL) && pertoDe(e.yNormalizado, y / meiaA));
            const bool dentro = std::fabs(x) <= meiaL && std::fabs(y) <= meiaA;
            EXPECT_EQ(e.situacao, dentro ? SituacaoDoVertice::dentro : SituacaoDoVertice::fora);
        }
    }
}

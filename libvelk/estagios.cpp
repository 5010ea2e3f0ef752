#include "estagios.h"

#include "projetor.h"
#include "window.h"

EstagiosDoVertice estagiosDoVertice(const Window& janela, const Coordenada& p)
{
    EstagiosDoVertice e;
    e.mundo = p;
    const Projetor projetor = janela.projetor();
    const Vista& vista = projetor.vista();
    const PontoDeCamera c = projetor.paraCamera(p);
    e.camera = {c.x, c.y, c.z - vista.distancia};
    if (!(c.z >= vista.perto))
        return e;
    vista.projetar(c, e.xPlano, e.yPlano);
    e.projetado = true;
    e.xNormalizado = e.xPlano / vista.retangulo.xMax;
    e.yNormalizado = e.yPlano / vista.retangulo.yMax;
    e.situacao = vista.retangulo.contem(e.xPlano, e.yPlano) ? SituacaoDoVertice::dentro : SituacaoDoVertice::fora;
    return e;
}

#include "desenho.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "bezier.h"
#include "bspline.h"
#include "curvas.h"
#include "objeto.h"
#include "objeto3d.h"
#include "superficiebezier.h"
#include "window.h"

namespace Prova {

void falha(const std::string& motivo)
{
    std::fprintf(stderr, "\n*** %s\n", motivo.c_str());
    std::abort();
}

std::size_t limiteDoDesenho(const Objeto& original)
{
    const std::size_t n = static_cast<std::size_t>(original.numeroDeCoordenadas());
    // A run adds at most a null and two ends per segment it draws.
    const auto polilinha = [](std::size_t segmentos) { return 3 * segmentos; };
    std::size_t segmentosDeCurva = 0;
    if (dynamic_cast<const Bezier*>(&original))
        segmentosDeCurva = (n - 1) / 3;
    else if (dynamic_cast<const BSpline*>(&original))
        segmentosDeCurva = n - 3;
    else if (const auto* superficie = dynamic_cast<const Superficie*>(&original)) {
        // i × j patches, each way malha curves per patch and one more, each curve one segment per
        // patch it crosses.
        const Grade g = superficie->grade();
        const bool bezier = dynamic_cast<const SuperficieBezier*>(superficie) != nullptr;
        const std::size_t i = bezier ? (g.linhas - 1) / 3 : g.linhas - 3;
        const std::size_t j = bezier ? (g.colunas - 1) / 3 : g.colunas - 3;
        const auto k = static_cast<std::size_t>(g.malha);
        segmentosDeCurva = (i * k + 1) * j + (j * k + 1) * i;
    }
    if (segmentosDeCurva > 0) {
        // A segment is one chord and each subdivision adds one; all the chains share one budget.
        const std::size_t cordas = segmentosDeCurva * (static_cast<std::size_t>(subdivisoesMediasPorSegmento) + 1)
                                   + static_cast<std::size_t>(subdivisoesMaximasPorSegmento);
        return polilinha(cordas);
    }
    if (const auto* wireframe = dynamic_cast<const Objeto3D*>(&original))
        return polilinha(wireframe->arestas().size());
    switch (original.nivelDePreenchimento()) {
    case 0:
        return n;
    case 2:
        // Sutherland–Hodgman: each of the five planes (near plane, four edges) at most doubles it.
        return 32 * n;
    default:
        // An outline, closed.
        return polilinha(n);
    }
}

namespace {

// Shortest round-trip form, whatever the locale: a case copied from here reads back the same.
std::string texto(double x)
{
    char s[32];
    return std::string(s, std::to_chars(s, s + sizeof s, x).ptr);
}

std::string texto(const Matriz<1, 4>& m)
{
    return "(" + texto(m(0, 0)) + ", " + texto(m(0, 1)) + ", " + texto(m(0, 2)) + ")";
}

// The camera, the object and its drawing list, to rebuild the case in a test.
std::string caso(const Objeto& original, const Objeto& copia, const Window& janela)
{
    std::string s = "\n    camera: centre " + texto(janela.centro()) + ", right " + texto(janela.viewRightVector())
                    + ", up " + texto(janela.viewUpVector()) + ", distance " + texto(janela.distanciaFocal())
                    + "\n    coordinates:";
    int n = 0;
    for (auto c = original.inicioDasCoordenadas(); c != original.fimDasCoordenadas() && n < 64; ++c, ++n)
        s += " " + texto(*c);
    s += "\n    drawing list:";
    n = 0;
    for (auto c = copia.inicioDoDesenho(&janela); c != copia.fimDoDesenho(&janela) && n < 64; ++c, ++n)
        s += c->isNull() ? std::string(" null") : " " + texto(*c);
    return s;
}

} // namespace

void verificarDesenho(const Objeto& original, const Objeto& copia, const Window& janela)
{
    // The case is written out only on a failure: every input checks thousands of entries.
    const auto quem = [&] {
        return caso(original, copia, janela) + "\n    '" + original.nome().substr(0, 40) + "' (" + original.nomeDoTipo()
               + "): ";
    };
    const auto inicio = copia.inicioDoDesenho(&janela);
    const auto fim = copia.fimDoDesenho(&janela);
    const std::size_t tamanho = static_cast<std::size_t>(fim - inicio);
    if (tamanho != static_cast<std::size_t>(copia.tamanhoDoDesenho(&janela)))
        falha(quem() + "tamanhoDoDesenho differs from the list's length");
    if (tamanho > limiteDoDesenho(original))
        falha(quem() + "drawing list of " + std::to_string(tamanho) + " entries from "
              + std::to_string(original.numeroDeCoordenadas()) + " coordinates");

    // The rectangle exactly as the camera works it out.
    const double meiaLargura = janela.viewRightVector().modulo() / 2.0;
    const double meiaAltura = janela.viewUpVector().modulo() / 2.0;
    bool anteriorNulo = true;
    for (auto c = inicio; c != fim; ++c) {
        const auto onde = [&] {
            return quem() + "entry " + std::to_string(c - inicio) + " of " + std::to_string(tamanho) + ": ";
        };
        const auto ponto = [&] {
            return "(" + texto(c->x()) + ", " + texto(c->y()) + ", " + texto(c->z()) + ", " + texto(c->w()) + ")";
        };
        if (c->isNull()) {
            if (copia.nivelDePreenchimento() == 2)
                falha(onde() + "null in a filled polygon");
            if (anteriorNulo)
                falha(onde() + "null first or after another null");
            anteriorNulo = true;
            continue;
        }
        anteriorNulo = false;
        if (!(std::isfinite(c->x()) && std::isfinite(c->y()) && std::isfinite(c->z())) || c->w() != 1.0)
            falha(onde() + "not a finite point " + ponto());
        if (!(std::fabs(c->x()) <= meiaLargura && std::fabs(c->y()) <= meiaAltura))
            falha(onde() + ponto() + " outside ±" + texto(meiaLargura) + " × ±" + texto(meiaAltura));
    }
    if (tamanho > 0 && anteriorNulo)
        falha(quem() + "drawing list ends in a null");
}

} // namespace Prova

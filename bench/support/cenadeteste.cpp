#include "cenadeteste.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bezier.h"
#include "bspline.h"
#include "objeto3d.h"
#include "poligono.h"
#include "transformacao.h"

namespace {

constexpr int objetos = 10000;
constexpr double pi = 3.14159265358979323846;

class Gerador {
public:
    double uniforme(double a, double b) { return std::uniform_real_distribution<double>(a, b)(_motor); }
    int inteiro(int a, int b) { return std::uniform_int_distribution<int>(a, b)(_motor); }
    Cor cor() { return Cor(inteiro(0, 200), inteiro(0, 200), inteiro(0, 200)); }

    // Where an object goes: mostly around the window (x and y a little past its ±10, so that some
    // objects are cut at its edges), in front of the window plane or behind it; one in twelve near
    // the eye at z = −10, so that it crosses the near plane or lies wholly behind the eye.
    Coordenada lugar()
    {
        if (inteiro(0, 11) == 0)
            return Coordenada(uniforme(-3, 3), uniforme(-3, 3), uniforme(-13, -8));
        return Coordenada(uniforme(-12.5, 12.5), uniforme(-12.5, 12.5), uniforme(-4, 12));
    }

    Transformacao pose(const Coordenada& centro)
    {
        return Transformacao::rotacao(uniforme(0, 360), uniforme(0, 360), uniforme(0, 360), Coordenada(0, 0, 0))
               * Transformacao::translacao(centro.x(), centro.y(), centro.z());
    }

private:
    std::mt19937 _motor{20240613};
};

Objeto* cubo(Gerador& g, int i)
{
    const double a = g.uniforme(0.2, 0.9) / 2;
    const Transformacao t = g.pose(g.lugar());
    std::vector<Coordenada> v;
    for (int k = 0; k < 8; ++k)
        v.push_back(Coordenada(k & 1 ? a : -a, k & 2 ? a : -a, k & 4 ? a : -a) * t);
    std::vector<std::pair<int, int>> arestas;
    for (int k = 0; k < 8; ++k)
        for (int bit : {1, 2, 4})
            if ((k & bit) == 0)
                arestas.emplace_back(k, k | bit);
    return new Objeto3D("cubo " + std::to_string(i), g.cor(), std::move(v), std::move(arestas));
}

// A star of 2·pontas vertices (concave), flat but turned in space; half of them filled.
Objeto* estrela(Gerador& g, int i, int pontas = 12)
{
    const double r = g.uniforme(0.25, 0.8);
    const Transformacao t = g.pose(g.lugar());
    std::vector<Coordenada> v;
    for (int k = 0; k < 2 * pontas; ++k) {
        const double raio = k % 2 == 0 ? r : r * g.uniforme(0.35, 0.6);
        const double angulo = pi * k / pontas;
        v.push_back(Coordenada(raio * std::cos(angulo), raio * std::sin(angulo), 0) * t);
    }
    return new Poligono("estrela " + std::to_string(i), g.cor(), std::move(v), i % 2 == 0);
}

// A wandering curve: control points a random walk in space around the object's place.
std::vector<Coordenada> passeio(Gerador& g, int n, double passo)
{
    const Coordenada inicio = g.lugar();
    std::vector<Coordenada> v{inicio};
    double x = inicio.x(), y = inicio.y(), z = inicio.z();
    for (int k = 1; k < n; ++k) {
        x += g.uniforme(-passo, passo);
        y += g.uniforme(-passo, passo);
        z += g.uniforme(-passo, passo) / 2;
        v.emplace_back(x, y, z);
    }
    return v;
}

} // namespace

DisplayFile criarCenaDeTeste()
{
    Gerador g;
    DisplayFile cena;
    cena.listaDeObjetos.reserve(objetos);
    for (int i = 0; i < objetos; ++i) {
        switch (i % 4) {
        case 0:
            cena.listaDeObjetos.push_back(cubo(g, i));
            break;
        case 1:
            cena.listaDeObjetos.push_back(estrela(g, i));
            break;
        case 2:
            cena.listaDeObjetos.push_back(new Bezier("Bézier " + std::to_string(i), g.cor(), passeio(g, 22, 0.8)));
            break;
        default:
            cena.listaDeObjetos.push_back(new BSpline("B-spline " + std::to_string(i), g.cor(), passeio(g, 17, 0.8)));
        }
    }
    return cena;
}

DisplayFile criarCenaDeCubosCurvasEPoligonos(int quantos)
{
    Gerador g;
    DisplayFile cena;
    cena.listaDeObjetos.reserve(static_cast<std::size_t>(std::max(0, quantos)));
    for (int i = 0; i < quantos; ++i) {
        switch (i % 4) {
        case 0:
        case 2:
            cena.listaDeObjetos.push_back(cubo(g, i));
            break;
        case 1:
            cena.listaDeObjetos.push_back(estrela(g, (i - 1) / 4, 10));
            break;
        default:
            if (i % 8 == 3)
                cena.listaDeObjetos.push_back(new Bezier("Bézier " + std::to_string(i), g.cor(), passeio(g, 13, 0.5)));
            else
                cena.listaDeObjetos.push_back(new BSpline("B-spline " + std::to_string(i), g.cor(), passeio(g, 10, 0.5)));
        }
    }
    return cena;
}

// The camera's projection of arbitrary objects under arbitrary cameras: those a scene file can hold,
// and those the camera controls reach from them. Coordinates range over every finite double, with
// a bias towards what breaks projections: the eye, the near plane, the window's edges, huge and
// subnormal numbers. Every drawing list must keep what the canvas relies on (desenho.h); the
// projection the canvas keeps up to date across changes of the camera and the objects must equal a
// new one; and no object is skipped that the pipeline would draw.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <tinyxml.h>

#include "bezier.h"
#include "bspline.h"
#include "desenho.h"
#include "displayfile.h"
#include "formatoxml.h"
#include "objeto3d.h"
#include "poligono.h"
#include "projetor.h"
#include "ponto.h"
#include "reta.h"
#include "superficiebezier.h"
#include "superficiebspline.h"
#include "transformacao.h"
#include "window.h"

namespace {

constexpr double especiais[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, -0.5, 2.0, 10.0, -10.0, 11.0, -11.0, 9.9, -9.9, 0.1, -0.1, 0.01, 0.99, 1.01,
    1e-9, 1e9, 1e15, -1e15, 1e18, -1e18, 1e154, -1e154, 1e-154, 1e300, -1e300, 1e-300, 1e308, -1e308,
    DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, 4e-323, -4e-323, 5e-324, DBL_EPSILON, 1.0 - DBL_EPSILON / 2,
    1.0 + DBL_EPSILON,
};

double numero(FuzzedDataProvider& d)
{
    switch (d.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return d.PickValueInArray(especiais);
    case 1:
        return d.ConsumeIntegralInRange<int>(-64, 64) / 4.0;
    case 2:
        return d.ConsumeFloatingPointInRange<double>(-1e6, 1e6);
    default: {
        // Any bit pattern that is a finite number.
        const std::uint64_t bits = d.ConsumeIntegral<std::uint64_t>();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        return std::isfinite(x) ? x : 0.0;
    }
    }
}

Coordenada coordenadaAbsoluta(FuzzedDataProvider& d)
{
    const double x = numero(d);
    const double y = numero(d);
    return Coordenada(x, y, numero(d));
}

// A point placed against the camera: C + a·u/2 + b·v/2 + c·d·n, where a = ±1 is on an edge of the
// window, c = −1 the eye and c = −0.99 the near plane.
Coordenada coordenadaNaCamera(FuzzedDataProvider& d, const Window& janela)
{
    constexpr double lados[] = {-1.0, 1.0, 0.0, 0.5};
    constexpr double profundidades[] = {-1.0, -0.99, 0.0, 1.0, -0.98999999999999999, -1.01};
    const auto escolher = [&d](const auto& tabela) {
        return d.ConsumeBool() ? d.PickValueInArray(tabela) : numero(d);
    };
    const double a = escolher(lados);
    const double b = escolher(lados);
    const double c = escolher(profundidades);
    const Vetor n = janela.direcaoDeVisao();
    const Coordenada p = janela.centro() + janela.viewRightVector() * (a / 2) + janela.viewUpVector() * (b / 2)
                         + n * (c * janela.distanciaFocal());
    // Only what a scene can hold: finite coordinates.
    if (std::isfinite(p.x()) && std::isfinite(p.y()) && std::isfinite(p.z()))
        return p;
    return janela.centro();
}

Coordenada coordenada(FuzzedDataProvider& d, const Window& janela)
{
    return d.ConsumeBool() ? coordenadaNaCamera(d, janela) : coordenadaAbsoluta(d);
}

Vetor vetor(FuzzedDataProvider& d)
{
    const double x = numero(d);
    const double y = numero(d);
    return Vetor(x, y, numero(d));
}

// A camera a scene file can hold, read the way the load command reads it; null when it would be
// refused.
std::unique_ptr<Window> cameraDeArquivo(FuzzedDataProvider& d)
{
    FormatoXml::EstadoDaWindow estado;
    estado.centro = coordenadaAbsoluta(d);
    const Vetor direita = vetor(d);
    // Up is made perpendicular to right, as every saved camera has it.
    const Vetor auxiliar = vetor(d);
    const Vetor cimaUnitario = direita.normalizado().vetorial(auxiliar.normalizado()).normalizado();
    estado.direita = direita;
    estado.cima = cimaUnitario * std::fabs(numero(d));
    estado.distancia = std::fabs(numero(d));
    auto janela = std::make_unique<Window>(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    try {
        TiXmlElement elemento("window");
        FormatoXml::escreverWindow(&elemento, estado);
        janela->restore(&elemento);
    } catch (const std::string&) {
        return nullptr;
    }
    return janela;
}

std::unique_ptr<Window> camera(FuzzedDataProvider& d)
{
    try {
        switch (d.ConsumeIntegralInRange<int>(0, 2)) {
        case 0:
            return std::make_unique<Window>(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
        case 1: {
            const Coordenada a = coordenadaAbsoluta(d);
            const Coordenada b = coordenadaAbsoluta(d);
            return std::make_unique<Window>(a, b, coordenadaAbsoluta(d));
        }
        default:
            return cameraDeArquivo(d);
        }
    } catch (const std::invalid_argument&) {
        return nullptr;
    }
}

// What the camera controls do: steps, zooms and turns, the steps and factors the window's buttons
// use or anything else.
void controlar(FuzzedDataProvider& d, Window& janela)
{
    const int vezes = d.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < vezes; ++i) {
        const int repeticoes = d.ConsumeIntegralInRange<int>(1, 2000);
        const int acao = d.ConsumeIntegralInRange<int>(0, 2);
        const double a = d.ConsumeBool() ? 0.1 : numero(d);
        const double b = d.ConsumeBool() ? 0.0 : numero(d);
        const double c = d.ConsumeBool() ? 0.0 : numero(d);
        for (int k = 0; k < repeticoes; ++k) {
            if (acao == 0)
                janela.mover(a, b, c);
            else if (acao == 1)
                janela.escala(d.ConsumeBool() ? 1.1 : 1 / 1.1);
            else
                janela.rodar(a, b, c);
        }
    }
    janela.definirProjecao(d.PickValueInArray({Projecao::perspectiva, Projecao::ortogonal, Projecao::obliqua}));
    janela.definirRecorte(d.PickValueInArray({AlgoritmoDeRecorte::cohenSutherland, AlgoritmoDeRecorte::liangBarsky}));
}

Objeto* objeto(FuzzedDataProvider& d, const Window& janela)
{
    const int tipo = d.ConsumeIntegralInRange<int>(0, 8);
    const Cor cor(0, 0, 0);
    std::vector<Coordenada> pontos;
    const auto encher = [&](std::size_t minimo, std::size_t passo) {
        const std::size_t n = minimo + passo * d.ConsumeIntegralInRange<std::size_t>(0, 20);
        for (std::size_t i = 0; i < n; ++i)
            pontos.push_back(coordenada(d, janela));
    };
    switch (tipo) {
    case 0:
        return new Ponto("ponto", cor, coordenada(d, janela));
    case 1: {
        const Coordenada a = coordenada(d, janela);
        return new Reta("reta", cor, a, coordenada(d, janela));
    }
    case 2:
    case 3:
        encher(3, 1);
        return new Poligono("poligono", cor, pontos, tipo == 3);
    case 4:
        encher(4, 3);
        return new Bezier("bezier", cor, pontos);
    case 5:
        encher(4, 1);
        return new BSpline("bspline", cor, pontos);
    case 7:
    case 8: {
        // Small grids: every point of one is already a curve's worth of work.
        const std::size_t passo = tipo == 7 ? 3 : 1;
        const std::size_t linhas = 4 + passo * d.ConsumeIntegralInRange<std::size_t>(0, 2);
        const std::size_t colunas = 4 + passo * d.ConsumeIntegralInRange<std::size_t>(0, 2);
        const Grade grade{linhas, colunas, d.ConsumeIntegralInRange<int>(malhaMinima, malhaMaxima)};
        for (std::size_t i = 0; i < linhas * colunas; ++i)
            pontos.push_back(coordenada(d, janela));
        if (tipo == 7)
            return new SuperficieBezier("superficiebezier", cor, pontos, grade);
        return new SuperficieBSpline("superficiebspline", cor, pontos, grade);
    }
    default: {
        encher(2, 1);
        const int n = static_cast<int>(pontos.size());
        std::vector<std::pair<int, int>> arestas;
        const int quantas = d.ConsumeIntegralInRange<int>(1, 2 * n);
        for (int i = 0; i < quantas; ++i) {
            const int a = d.ConsumeIntegralInRange<int>(0, n - 1);
            const int b = d.ConsumeIntegralInRange<int>(0, n - 1);
            arestas.emplace_back(a, a == b ? (a + 1) % n : b);
        }
        return new Objeto3D("objeto3d", cor, pontos, arestas);
    }
    }
}

// What the object dialogs apply: a move, a turn about the object's centre or a scale about it.
Transformacao transformacao(FuzzedDataProvider& d, const Objeto& o)
{
    constexpr double passos[] = {1.0, -1.0, 10.0, 0.5, 90.0, 45.0, 2.0, 1e-3, 1e3};
    const double a = d.PickValueInArray(passos);
    const Coordenada c = o.centro();
    switch (d.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        return Transformacao::translacao(a, d.PickValueInArray(passos), d.PickValueInArray(passos));
    case 1:
        return Transformacao::rotacao(a, d.PickValueInArray(passos), d.PickValueInArray(passos), c);
    default:
        return Transformacao::escala(a, a, a, c.x(), c.y(), c.z());
    }
}

bool mesmaLista(const Objeto& a, const Objeto& b, const Window& janela)
{
    const auto n = static_cast<std::size_t>(a.tamanhoDoDesenho(&janela));
    if (n != static_cast<std::size_t>(b.tamanhoDoDesenho(&janela)))
        return false;
    return n == 0 || std::memcmp(&*a.inicioDoDesenho(&janela), &*b.inicioDoDesenho(&janela), n * sizeof(Coordenada)) == 0;
}

// The camera's whole pipeline for one object, as the window sets it up.
bool desenhariaAlgo(const Objeto& original, const Window& janela)
{
    Projetor projetor = janela.projetor();
    projetor.iniciar();
    original.descreverGeometria(projetor);
    return !projetor.desenho().empty();
}

// mantida is the projection the window keeps up to date for cena.
void verificarProjecao(const DisplayFile& cena, const DisplayFile& mantida, const Window& janela)
{
    const std::size_t n = cena.listaDeObjetos.size();
    if (mantida.listaDeObjetos.size() != n)
        Prova::falha("one projected copy per object");
    // Kept or made afresh, the copies are the same.
    const DisplayFile nova = janela.coordenadasDePlanoDeProjecao();
    for (std::size_t i = 0; i < n; ++i) {
        const Objeto& original = *cena.listaDeObjetos[i];
        const Objeto& copia = *mantida.listaDeObjetos[i];
        Prova::verificarDesenho(original, copia, janela);
        const std::string quem = "object " + std::to_string(i) + " (" + original.nomeDoTipo() + "): ";
        if (!mesmaLista(copia, *nova.listaDeObjetos[i], janela))
            Prova::falha(quem + "the kept projection and a new one draw it differently");
        // Skipping an object as out of view must not lose anything the pipeline would draw.
        if (copia.tamanhoDoDesenho(&janela) == 0 && desenhariaAlgo(original, janela))
            Prova::falha(quem + "skipped, though the pipeline draws part of it");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho)
{
    FuzzedDataProvider d(dados, tamanho);
    std::unique_ptr<Window> janela = camera(d);
    if (!janela)
        return 0;
    controlar(d, *janela);

    DisplayFile cena;
    const std::size_t quantos = d.ConsumeIntegralInRange<std::size_t>(1, 32);
    while (d.remaining_bytes() > 0 && cena.listaDeObjetos.size() < quantos)
        cena.listaDeObjetos.push_back(objeto(d, *janela));
    janela->atualizarCPP(cena);

    // As the canvas paints: one projection kept and brought up to date, then the camera and some
    // objects change and it is brought up to date again.
    DisplayFile mantida;
    janela->atualizarProjecao(mantida);
    verificarProjecao(cena, mantida, *janela);
    controlar(d, *janela);
    for (Objeto* o : cena.listaDeObjetos)
        if (d.ConsumeBool())
            o->transformar(transformacao(d, *o));
    janela->atualizarProjecao(mantida);
    verificarProjecao(cena, mantida, *janela);
    return 0;
}

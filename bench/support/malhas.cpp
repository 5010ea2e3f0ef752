#include "malhas.h"

#include <charconv>
#include <cmath>
#include <random>
#include <utility>

#include "cor.h"
#include "objeto3d.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// The index of the vertex of ring a (from 0) at sector s, taken round.
int indice(int setores, int a, int s)
{
    return 1 + a * setores + (s % setores);
}

} // namespace

Malha esferaRuidosa(int aneis, int setores)
{
    std::mt19937 motor(20250107);
    std::uniform_real_distribution<double> ruido(0.98, 1.02);
    Malha m{aneis, setores, {}, {}};
    m.vertices.reserve(static_cast<std::size_t>(aneis) * setores + 2);
    const auto ponto = [&](double teta, double fi) {
        const double r = 10 * ruido(motor);
        m.vertices.emplace_back(r * std::sin(teta) * std::cos(fi), r * std::cos(teta), 4 + r * std::sin(teta) * std::sin(fi));
    };
    ponto(0, 0);
    for (int a = 0; a < aneis; ++a)
        for (int s = 0; s < setores; ++s)
            ponto(pi * (a + 1) / (aneis + 1), 2 * pi * s / setores);
    ponto(pi, 0);
    const int sul = aneis * setores + 1;
    for (int s = 0; s < setores; ++s) {
        m.triangulos.push_back({0, indice(setores, 0, s + 1), indice(setores, 0, s)});
        m.triangulos.push_back({sul, indice(setores, aneis - 1, s), indice(setores, aneis - 1, s + 1)});
    }
    for (int a = 0; a + 1 < aneis; ++a)
        for (int s = 0; s < setores; ++s) {
            m.triangulos.push_back({indice(setores, a, s), indice(setores, a, s + 1), indice(setores, a + 1, s + 1)});
            m.triangulos.push_back({indice(setores, a, s), indice(setores, a + 1, s + 1), indice(setores, a + 1, s)});
        }
    return m;
}

DisplayFile comoCena(const Malha& malha)
{
    const int aneis = malha.aneis;
    const int setores = malha.setores;
    const int sul = aneis * setores + 1;
    std::vector<std::pair<int, int>> arestas;
    arestas.reserve(3 * static_cast<std::size_t>(aneis) * setores);
    for (int a = 0; a < aneis; ++a) {
        for (int s = 0; s < setores; ++s) {
            arestas.emplace_back(indice(setores, a, s), indice(setores, a, s + 1));
            if (a == 0)
                arestas.emplace_back(0, indice(setores, a, s));
            if (a + 1 < aneis) {
                arestas.emplace_back(indice(setores, a, s), indice(setores, a + 1, s));
                arestas.emplace_back(indice(setores, a, s), indice(setores, a + 1, s + 1));
            } else {
                arestas.emplace_back(indice(setores, a, s), sul);
            }
        }
    }
    DisplayFile cena;
    cena.listaDeObjetos.push_back(new Objeto3D("esfera", Cor(40, 40, 40), malha.vertices, std::move(arestas)));
    return cena;
}

std::string comoObj(const Malha& malha)
{
    std::string texto;
    texto.reserve(malha.vertices.size() * 32 + malha.triangulos.size() * 24);
    char numero[32];
    const auto escrever = [&](double v) {
        texto += ' ';
        texto.append(numero, std::to_chars(numero, numero + sizeof numero, v, std::chars_format::fixed, 6).ptr);
    };
    for (const Coordenada& v : malha.vertices) {
        texto += 'v';
        escrever(v.x());
        escrever(v.y());
        escrever(v.z());
        texto += '\n';
    }
    for (const std::array<int, 3>& t : malha.triangulos) {
        texto += 'f';
        for (const int i : t) {
            texto += ' ';
            // OBJ counts vertices from 1.
            texto.append(numero, std::to_chars(numero, numero + sizeof numero, i + 1).ptr);
        }
        texto += '\n';
    }
    return texto;
}

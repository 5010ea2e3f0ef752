#include "window.h"

#include <cfloat>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>

#include "displayfile.h"
#include "formatoxml.h"
#include "objeto.h"
#include "projetor.h"
#include "transformacao.h"

namespace {

bool finita(const Matriz<1, 4>& m) noexcept
{
    return std::isfinite(m(0, 0)) && std::isfinite(m(0, 1)) && std::isfinite(m(0, 2));
}

// A length the camera can work with: the rectangle and the curve tolerance are fractions of it.
bool comprimentoUtil(double l) noexcept
{
    return std::isfinite(l) && l >= DBL_MIN;
}

Vetor linha(const Matriz<4, 4>& m, std::size_t i) noexcept
{
    return Vetor(m(i, 0), m(i, 1), m(i, 2));
}

} // namespace

Window::Window(Coordenada a, Coordenada b, Coordenada cop)
{
    if (!(finita(a) && finita(b) && finita(cop)))
        throw std::invalid_argument("Window: coordenadas que não são números finitos");
    _centro = Coordenada(0.5 * a.x() + 0.5 * b.x(), 0.5 * a.y() + 0.5 * b.y(), 0.5 * a.z() + 0.5 * b.z());
    const Vetor paraOCentro(cop, _centro);
    _distancia = paraOCentro.modulo();
    if (!(_distancia > 0.0) || !std::isfinite(_distancia))
        throw std::invalid_argument("Window: o centro de projeção não pode ser o centro da window");
    const double largura = std::fabs(b.x() - a.x());
    const double altura = std::fabs(b.y() - a.y());
    if (!comprimentoUtil(largura) || !comprimentoUtil(altura))
        throw std::invalid_argument("Window: largura e altura precisam ser positivas");

    const Vetor n = paraOCentro * (1.0 / _distancia);
    const Vetor x(1, 0, 0);
    Vetor direita = x - n * x.escalar(n);
    if (direita.modulo() > 1e-9) {
        direita = direita.normalizado();
    } else {
        // Looking along x: right is taken from up instead, so that ŷ stays up on screen.
        const Vetor y(0, 1, 0);
        direita = (y - n * y.escalar(n)).normalizado().vetorial(n);
    }
    const Vetor cima = n.vetorial(direita);
    _direita = direita * largura;
    _cima = cima * altura;
}

Window::Window(Coordenada centro, Vetor direita, Vetor cima, double distancia)
    : _centro(centro), _direita(direita), _cima(cima), _distancia(distancia)
{
}

Vetor Window::direcaoDeVisao() const
{
    // From the unit vectors: |u|·|v| overflows or underflows long before |u| and |v| do.
    return _direita.normalizado().vetorial(_cima.normalizado()).normalizado();
}

Coordenada Window::centroDeProjecao() const
{
    return _centro - direcaoDeVisao() * _distancia;
}

void Window::mover(double dx, double dy, double dz)
{
    const Coordenada centro =
        _centro + _direita * dx + _cima * dy + direcaoDeVisao() * (dz * _direita.modulo());
    // Amounts that are not numbers, or a move past the range of doubles, would lose the camera.
    if (finita(centro))
        _centro = centro;
}

void Window::escala(double f)
{
    if (!std::isfinite(f) || !(f > 0.0))
        return;
    const Vetor direita = _direita * f;
    const Vetor cima = _cima * f;
    if (comprimentoUtil(direita.modulo()) && comprimentoUtil(cima.modulo())) {
        _direita = direita;
        _cima = cima;
    }
}

void Window::escala(double f, double x, double y)
{
    const Window antes = *this;
    escala(f);
    if (_direita == antes._direita)
        return;
    // A point of the plane at (x, y) sits at (f·x, f·y) of the scaled window's extent; the centre
    // moves by the difference so that it sits at (x, y) again.
    const double resto = 1.0 - f;
    const Coordenada centro = _centro + _direita.normalizado() * (resto * x) + _cima.normalizado() * (resto * y);
    if (finita(centro))
        _centro = centro;
    else
        *this = antes;
}

void Window::rodar(double ax, double ay, double az)
{
    if (!(std::isfinite(ax) && std::isfinite(ay) && std::isfinite(az)))
        return;
    const double largura = _direita.modulo();
    const double altura = _cima.modulo();

    // The frame as the rows of a matrix: û, v̂, n. An object rotation's matrix R read in this frame
    // turns it into R × frame, so each turn, about the axes as they stand, multiplies on the left.
    Matriz<4, 4> frame = Matriz<4, 4>::identidade();
    const Vetor eixos[3] = {_direita.normalizado(), _cima.normalizado(), direcaoDeVisao()};
    for (std::size_t i = 0; i < 3; ++i) {
        frame(i, 0) = eixos[i].x();
        frame(i, 1) = eixos[i].y();
        frame(i, 2) = eixos[i].z();
    }
    const Coordenada origem(0, 0, 0);
    const auto girar = [&frame](const Matriz<4, 4>& rotacao) { frame = rotacao * frame; };
    girar(Transformacao::rotacao(ax, 0, 0, origem));
    girar(Transformacao::rotacao(0, ay, 0, origem));
    girar(Transformacao::rotacao(0, 0, az, origem));

    // Gram–Schmidt, so that rounding never lets û and v̂ drift apart from square or unit length
    // however many turns are made.
    const Vetor direita = linha(frame, 0).normalizado();
    const Vetor cimaBruto = linha(frame, 1);
    const Vetor cima = (cimaBruto - direita * cimaBruto.escalar(direita)).normalizado();
    _direita = direita * largura;
    _cima = cima * altura;
}

void Window::atualizarCPP(const DisplayFile& df)
{
    _cena = &df;
}

DisplayFile Window::coordenadasDePlanoDeProjecao() const
{
    DisplayFile projecao;
    if (_cena == nullptr)
        return projecao;
    const std::vector<Objeto*>& originais = _cena->listaDeObjetos;
    projecao.listaDeObjetos.reserve(originais.size());

    Projetor projetor(centroDeProjecao(), _direita.normalizado(), _cima.normalizado(), direcaoDeVisao(), _distancia,
                      _direita.modulo(), _cima.modulo());
    for (const Objeto* original : originais) {
        if (original == nullptr)
            continue;
        std::unique_ptr<Objeto> copia(original->clone());
        projetor.iniciar();
        original->descreverGeometria(projetor);
        if (projetor.temVerticesRecortados())
            copia->_coordenadas = projetor.verticesRecortados();
        else
            projetor.projetarCoordenadas(original->coordenadas(), copia->_coordenadas);
        copia->_desenho = projetor.desenho();
        copia->_autorDoDesenho = this;
        // Cannot throw: the room was reserved above.
        projecao.listaDeObjetos.push_back(copia.release());
    }
    return projecao;
}

void Window::persist(TiXmlElement* element) const
{
    FormatoXml::EstadoDaWindow estado;
    estado.centro = _centro;
    estado.direita = _direita;
    estado.cima = _cima;
    estado.distancia = _distancia;
    FormatoXml::escreverWindow(element, estado);
}

void Window::restore(TiXmlNode* node)
{
    if (node == nullptr)
        throw std::string("Não há elemento <window> para ler.");
    // lerWindow checks everything and throws before anything here changes.
    const FormatoXml::EstadoDaWindow estado = FormatoXml::lerWindow(node);
    _centro = estado.centro;
    _direita = estado.direita;
    _cima = estado.cima;
    _distancia = estado.distancia;
}

#include "saidaemtexto.h"

#include <utility>

#include <tinyxml.h>

SaidaEmTexto::SaidaEmTexto(Despejar despejar, std::size_t pedaco)
    : _despejar(std::move(despejar)), _pedaco(pedaco)
{
    _texto.reserve(pedaco + 4096);
}

void SaidaEmTexto::recuar()
{
    _texto.append(4 * _abertos.size(), ' ');
}

void SaidaEmTexto::talvezDespejar()
{
    if (_texto.size() < _pedaco)
        return;
    _despejar(_texto, _elementos);
    _despejados += _texto.size();
    _texto.clear();
}

void SaidaEmTexto::declaracao(const char* versao)
{
    recuar();
    _texto += "<?xml version=\"";
    _texto += versao;
    _texto += "\" ?>\n";
}

void SaidaEmTexto::abrir(const char* elemento)
{
    if (_inicioAberto)
        _texto += ">\n";
    talvezDespejar();
    recuar();
    _texto += '<';
    _texto += elemento;
    _abertos.push_back(elemento);
    _inicioAberto = true;
    ++_elementos;
}

void SaidaEmTexto::atributo(const char* nome, std::string_view valor)
{
    // What TinyXML's EncodeString changes: markup characters, and control characters.
    bool simples = true;
    for (const char c : valor)
        simples = simples && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'' && static_cast<unsigned char>(c) >= 32;
    _texto += ' ';
    _texto += nome;
    if (simples) {
        _texto += "=\"";
        _texto += valor;
        _texto += '"';
        return;
    }
    _codificado.clear();
    TiXmlBase::EncodeString(std::string(valor), &_codificado);
    // TinyXML quotes with ' a value that holds a ".
    const char aspa = valor.find('"') == std::string_view::npos ? '"' : '\'';
    _texto += '=';
    _texto += aspa;
    _texto += _codificado;
    _texto += aspa;
}

void SaidaEmTexto::fechar()
{
    const char* elemento = _abertos.back();
    _abertos.pop_back();
    if (std::exchange(_inicioAberto, false)) {
        _texto += " />\n";
        return;
    }
    recuar();
    _texto += "</";
    _texto += elemento;
    _texto += ">\n";
}

void SaidaEmTexto::terminar()
{
    if (!_texto.empty())
        _despejar(_texto, _elementos);
    _despejados += _texto.size();
    _texto.clear();
}

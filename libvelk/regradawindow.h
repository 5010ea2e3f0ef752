#ifndef REGRADAWINDOW_H
#define REGRADAWINDOW_H

#include "coordenada.h"
#include "vetor.h"

// The rule every camera the program holds keeps, so that it can always be projected and saved: the
// camera (Window) and the file format (FormatoXml) both ask it, and neither asks the other.

// What keeps a camera state from being one that can be projected and saved, if anything.
enum class DefeitoDaWindow {
    nenhum,
    distanciaNaoPositiva,
    distanciaPequena,
    direitaNula,
    direitaCurta,
    direitaLonga,
    cimaNula,
    cimaCurta,
    cimaLonga,
    paralelos,
    naoPerpendiculares,
    foraDoIntervalo,
};

// What breaks the rule in the camera state (C, u, v, d), if anything: a distance whose near plane
// d/100 is a normal double; û and v̂ of lengths whose squares are normal doubles, perpendicular
// (|û·v̂| ≤ 1e-9); a finite centre and COP.
DefeitoDaWindow defeitoDaWindow(const Coordenada& centro, const Vetor& direita, const Vetor& cima,
                                double distancia) noexcept;
// The part of that rule about the distance alone.
DefeitoDaWindow defeitoDaDistancia(double distancia) noexcept;
// n = û × v̂, from the unit vectors: |u|·|v| overflows or underflows long before |u| and |v| do.
Vetor direcaoDeVisao(const Vetor& direita, const Vetor& cima) noexcept;

#endif

#ifndef FUZZ_DESENHO_H
#define FUZZ_DESENHO_H

#include <cstddef>
#include <string>

class Objeto;
class Window;

// What the canvas relies on in what the camera hands it. Any breach aborts with its reason, so that
// libFuzzer keeps the input that caused it.
namespace Prova {

[[noreturn]] void falha(const std::string& motivo);

// The longest drawing list the projection may make of original: work on an object stays bounded
// by a constant times its own coordinates, whatever the camera.
std::size_t limiteDoDesenho(const Objeto& original);

// copia is the copy of original that janela projected. Its drawing list holds only finite
// coordinates inside the window's rectangle (edges included); nulls only between runs, never first,
// last or two in a row, and none at all for a filled polygon; and no more than limiteDoDesenho.
void verificarDesenho(const Objeto& original, const Objeto& copia, const Window& janela);

} // namespace Prova

#endif

#ifndef PROGRESSO_H
#define PROGRESSO_H

#include <cstdint>
#include <functional>

// Long work says how far it is and can be stopped: progresso(feito, total) is called now and then, on
// the thread that asked for the work, with feito growing up to total; when it returns false the work
// stops by throwing Cancelado, having changed nothing.
using Progresso = std::function<bool(std::uint64_t feito, std::uint64_t total)>;

struct Cancelado {};

#endif

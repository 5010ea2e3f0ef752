#include "coordenada.h"

#include "transformacao.h"

Coordenada operator*(const Coordenada& p, const Transformacao& t) noexcept
{
    return Coordenada(static_cast<const Matriz<1, 4>&>(p) * static_cast<const Matriz<4, 4>&>(t));
}

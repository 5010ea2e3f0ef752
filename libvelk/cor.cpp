#include "cor.h"

#include <QColor>

Cor::Cor(const QColor& c) noexcept : Cor(c.isValid() ? Cor(c.red(), c.green(), c.blue()) : Cor()) {}

QColor Cor::qcolor() const
{
    return QColor(_r, _g, _b);
}

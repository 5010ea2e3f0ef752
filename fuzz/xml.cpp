#include "xml.h"

#include <cstddef>

namespace Prova {
namespace {

bool caractereXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

bool textoXml(std::string_view texto)
{
    std::size_t i = 0;
    while (i < texto.size()) {
        const unsigned char b = static_cast<unsigned char>(texto[i]);
        std::size_t resto;
        char32_t c;
        char32_t menor;
        if (b < 0x80) {
            resto = 0, c = b, menor = 0;
        } else if (b >= 0xC0 && b < 0xE0) {
            resto = 1, c = b & 0x1F, menor = 0x80;
        } else if (b >= 0xE0 && b < 0xF0) {
            resto = 2, c = b & 0x0F, menor = 0x800;
        } else if (b >= 0xF0 && b < 0xF8) {
            resto = 3, c = b & 0x07, menor = 0x10000;
        } else {
            return false;
        }
        if (texto.size() - i - 1 < resto)
            return false;
        for (std::size_t k = 1; k <= resto; ++k) {
            const unsigned char seguinte = static_cast<unsigned char>(texto[i + k]);
            if ((seguinte & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (seguinte & 0x3F);
        }
        // Surrogates fall outside caractereXml too.
        if (c < menor || !caractereXml(c))
            return false;
        i += resto + 1;
    }
    return true;
}

bool arquivoXml(std::string_view texto)
{
    if (!textoXml(texto))
        return false;
    for (std::size_t i = texto.find("&#"); i != std::string_view::npos; i = texto.find("&#", i + 2)) {
        std::size_t k = i + 2;
        const bool hexadecimal = k < texto.size() && texto[k] == 'x';
        if (hexadecimal)
            ++k;
        char32_t c = 0;
        std::size_t digitos = 0;
        for (; k < texto.size() && texto[k] != ';'; ++k, ++digitos) {
            const char d = texto[k];
            int valor;
            if (d >= '0' && d <= '9')
                valor = d - '0';
            else if (hexadecimal && d >= 'a' && d <= 'f')
                valor = d - 'a' + 10;
            else if (hexadecimal && d >= 'A' && d <= 'F')
                valor = d - 'A' + 10;
            else
                return false;
            c = c * (hexadecimal ? 16 : 10) + static_cast<char32_t>(valor);
            if (c > 0x10FFFF)
                return false;
        }
        if (k == texto.size() || digitos == 0 || !caractereXml(c))
            return false;
    }
    return true;
}

} // namespace Prova

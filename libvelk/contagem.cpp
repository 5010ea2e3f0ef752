#include "contagem.h"

std::string Contagem::texto(const char* singular, const char* plural) const
{
    const auto numero = [](std::size_t n) { return std::to_string(n); };
    if (minimo == maximo)
        return "exatamente " + numero(minimo) + " " + (minimo == 1 ? singular : plural);
    if (passo == 1) {
        if (maximo == semLimite)
            return numero(minimo) + " ou mais " + plural;
        return "de " + numero(minimo) + " a " + numero(maximo) + " " + plural;
    }
    // minimo = passo·k₀ + resto: the counts are passo·k + resto for k from k₀ on.
    const std::size_t resto = minimo % passo;
    std::string regra = numero(passo) + "k" + (resto != 0 ? " + " + numero(resto) : std::string()) + " " + plural
                        + ", com ";
    if (maximo == semLimite)
        return regra + "k ≥ " + numero(minimo / passo);
    return regra + numero(minimo / passo) + " ≤ k ≤ " + numero((maximo - resto) / passo);
}

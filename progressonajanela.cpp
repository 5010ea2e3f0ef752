#include "progressonajanela.h"

#include <cstdint>

#include <QWidget>

ProgressoNaJanela::ProgressoNaJanela(QWidget& janela, const QString& texto)
    : _dialogo(texto, tr("Cancelar"), 0, passos, &janela)
{
    _dialogo.setWindowTitle(tr("Sistema de Computação Gráfica"));
    _dialogo.setWindowModality(Qt::WindowModal);
    _dialogo.setMinimumDuration(espera);
    _dialogo.setAutoReset(false);
    _dialogo.setAutoClose(false);
    // Starts the dialog's clock: it shows itself at a later step once the work has taken espera.
    _dialogo.setValue(0);
}

Progresso ProgressoNaJanela::progresso()
{
    return [this](std::uint64_t feito, std::uint64_t total) {
        if (total > 0 && feito <= total)
            _dialogo.setValue(static_cast<int>(feito * passos / total));
        return !_dialogo.wasCanceled();
    };
}

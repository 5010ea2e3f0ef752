#ifndef PROGRESSONAJANELA_H
#define PROGRESSONAJANELA_H

#include <QCoreApplication>
#include <QProgressDialog>
#include <QString>

#include "progresso.h"

class QWidget;

// A long file command's progress, shown to the user as they expect: a dialog over janela that
// appears once the work has taken half a second, with a bar and a button to cancel it, and that
// blocks the window meanwhile. The work runs on the window's thread and calls progresso() now and
// then, which keeps the window drawn and hears the button.
class ProgressoNaJanela {
    Q_DECLARE_TR_FUNCTIONS(ProgressoNaJanela)

public:
    static constexpr int espera = 500;

    ProgressoNaJanela(QWidget& janela, const QString& texto);

    // What the work calls: false once the user cancelled.
    Progresso progresso();
    // The dialog, for a caller that looks at it.
    QProgressDialog& dialogo() { return _dialogo; }

private:
    static constexpr int passos = 1000;
    QProgressDialog _dialogo;
};

#endif

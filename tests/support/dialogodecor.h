#ifndef DIALOGODECOR_H
#define DIALOGODECOR_H

#include <functional>
#include <memory>

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QTimer>

// The colour dialog runs its own modal loop inside the swatch's mouse handler, so a test answers it
// from a timer: once a colour dialog is the active modal widget, the answer gets it (and must close
// it). An answer that was never needed is withdrawn when this object goes, so it cannot leak into a
// later test's dialog.
class RespostaAoDialogoDeCor {
public:
    explicit RespostaAoDialogoDeCor(std::function<void(QColorDialog*)> resposta)
        : _visto(std::make_shared<bool>(false)), _timer(new QTimer)
    {
        QTimer* timer = _timer;
        auto visto = _visto;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, visto, resposta] {
            auto* dialogo = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            timer->stop();
            timer->deleteLater();
            *visto = true;
            resposta(dialogo);
        });
        timer->start();
    }
    ~RespostaAoDialogoDeCor() { delete _timer.data(); }
    RespostaAoDialogoDeCor(const RespostaAoDialogoDeCor&) = delete;
    RespostaAoDialogoDeCor& operator=(const RespostaAoDialogoDeCor&) = delete;

    // Whether a colour dialog was opened and answered.
    bool visto() const { return *_visto; }

private:
    std::shared_ptr<bool> _visto;
    QPointer<QTimer> _timer;
};

// Answers the next colour dialog by picking `cor`.
inline std::unique_ptr<RespostaAoDialogoDeCor> escolherCor(const QColor& cor)
{
    return std::make_unique<RespostaAoDialogoDeCor>([cor](QColorDialog* dialogo) {
        dialogo->setCurrentColor(cor);
        dialogo->accept();
    });
}

// Answers the next colour dialog by cancelling it.
inline std::unique_ptr<RespostaAoDialogoDeCor> cancelarCor()
{
    return std::make_unique<RespostaAoDialogoDeCor>([](QColorDialog* dialogo) { dialogo->reject(); });
}

#endif

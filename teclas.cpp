#include "teclas.h"

#include <utility>

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>

QAction* Teclas::ligar(int tecla, QObject* dono, std::function<void()> comando)
{
    auto* acao = new QAction(dono);
    acao->setObjectName(QStringLiteral("tecla") + QKeySequence(tecla).toString());
    QObject::connect(acao, &QAction::triggered, dono, std::move(comando));
    _acoes.insert(tecla, acao);
    return acao;
}

bool Teclas::disparar(const QKeyEvent& evento) const
{
    const int tecla = evento.key();
    if ((evento.modifiers() & Qt::ControlModifier)
        && (tecla == Qt::Key_S || tecla == Qt::Key_O || tecla == Qt::Key_Z || tecla == Qt::Key_Y))
        return false;
    QAction* acao = _acoes.value(tecla);
    if (acao == nullptr)
        return false;
    acao->trigger();
    return true;
}

#include <QApplication>
#include <QLoggingCategory>

#include "mainwindow.h"

int main(int argc, char** argv)
{
    // The zoom and object-move slots are reached only from keys, so connectSlotsByName finds no
    // widget for them and would warn about each one at every start.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));

    QApplication app(argc, argv);
    int resultado = 0;
    {
        // The window goes before the application object.
        MainWindow janela;
        janela.show();
        resultado = app.exec();
    }
    return resultado;
}

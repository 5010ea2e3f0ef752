#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Stand-in until the main window exists.
    QLabel janela("Sistema de Computação Gráfica");
    janela.show();
    return app.exec();
}

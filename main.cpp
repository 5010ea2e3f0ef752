#include <iostream>
#include <optional>
#include <string>

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSize>
#include <QStringList>

#include "arquivodecena.h"
#include "mainwindow.h"
#include "renderizador.h"
#include "traducaodoqt.h"

namespace {

const char* const ajuda =
    "Uso: sistema-grafico [cena.xml]\n"
    "     sistema-grafico --exportar saida.png|saida.svg [--tamanho LxA] [--coordenadas] cena.xml\n"
    "\n"
    "Sistema de Computação Gráfica: monta e mostra uma cena 3-D de pontos, retas, polígonos,\n"
    "curvas de Bézier, B-splines, objetos 3-D e superfícies bicúbicas de Bézier e B-spline. Com um\n"
    "arquivo de cena, abre a janela já com ele.\n"
    "\n"
    "Opções:\n"
    "  -h, --help               Mostra esta ajuda e sai.\n"
    "  -v, --version            Mostra a versão e sai.\n"
    "  --exportar <arquivo>     Desenha a cena em <arquivo>, PNG ou SVG pelo sufixo, sem abrir\n"
    "                           janela nenhuma (não precisa de tela), e sai.\n"
    "  --tamanho <LxA>          Largura e altura da imagem em pixels (padrão: 600x600).\n"
    "  --coordenadas            Escreve as coordenadas de cada ponto, como \"Mostrar Coordenadas\".\n"
    "\n"
    "Argumentos:\n"
    "  cena.xml                 Arquivo de cena (o mesmo formato de Cena > Salvar).\n"
    "\n"
    "Sai com 0, ou com 1 e o motivo na saída de erro.\n";

struct Pedido {
    QString cena;
    QString saida;
    QSize tamanho{600, 600};
    bool coordenadas = false;
};

std::optional<QSize> lerTamanho(const QString& texto)
{
    static const QRegularExpression formato(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
    const QRegularExpressionMatch m = formato.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize tamanho(m.captured(1).toInt(), m.captured(2).toInt());
    if (tamanho.width() < 1 || tamanho.height() < 1 || tamanho.width() > Renderizador::ladoMaximoDaImagem
        || tamanho.height() > Renderizador::ladoMaximoDaImagem)
        return std::nullopt;
    return tamanho;
}

int falhar(const std::string& motivo)
{
    std::cerr << "sistema-grafico: " << motivo << std::endl;
    return 1;
}

// Renders without a window; the scene is read by the same path as the load command.
int exportar(const Pedido& pedido)
{
    try {
        Renderizador renderizador;
        renderizador.showCoordinates(pedido.coordenadas);
        ArquivoDeCena::carregar(pedido.cena, renderizador);
        renderizador.exportar(pedido.saida, pedido.tamanho);
    } catch (const std::string& erro) {
        std::cerr << erro << std::endl;
        return 1;
    }
    return 0;
}

// The options, read before the application object exists.
struct Opcoes {
    QCommandLineOption ajuda{{QStringLiteral("h"), QStringLiteral("help")}, QString()};
    QCommandLineOption versao{{QStringLiteral("v"), QStringLiteral("version")}, QString()};
    QCommandLineOption exportar{QStringLiteral("exportar"), QString(), QStringLiteral("arquivo")};
    QCommandLineOption tamanho{QStringLiteral("tamanho"), QString(), QStringLiteral("LxA")};
    QCommandLineOption coordenadas{QStringLiteral("coordenadas"), QString()};
};

// Why the arguments could not be read.
int falhaDeLeitura(const QCommandLineParser& parser)
{
    const QStringList desconhecidas = parser.unknownOptionNames();
    if (!desconhecidas.isEmpty())
        return falhar("opção desconhecida: " + std::string(desconhecidas.first().size() == 1 ? "-" : "--")
                      + desconhecidas.first().toStdString() + " (veja sistema-grafico --help)");
    return falhar("falta o valor de uma opção (veja sistema-grafico --help)");
}

// --exportar: the picture of cena, without a window.
int exportarDaLinhaDeComando(int argc, char** argv, const QCommandLineParser& parser, const Opcoes& opcoes,
                             const QString& cena)
{
    Pedido pedido;
    pedido.saida = parser.value(opcoes.exportar);
    if (cena.isEmpty())
        return falhar("--exportar precisa de um arquivo de cena");
    pedido.cena = cena;
    if (parser.isSet(opcoes.tamanho)) {
        const std::optional<QSize> tamanho = lerTamanho(parser.value(opcoes.tamanho));
        if (!tamanho)
            return falhar("tamanho inválido: '" + parser.value(opcoes.tamanho).toStdString()
                          + "'; use LxA, com cada lado de 1 a " + std::to_string(Renderizador::ladoMaximoDaImagem)
                          + " pixels");
        pedido.tamanho = *tamanho;
    }
    pedido.coordenadas = parser.isSet(opcoes.coordenadas);
    // The platform an export runs on must be chosen before Qt connects to one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return exportar(pedido);
}

// The window, with cena opened in it when there is one.
int abrirJanela(int argc, char** argv, const QString& cena)
{
    QApplication app(argc, argv);
    instalarTraducaoDoQt();
    int resultado = 0;
    {
        // The window goes before the application object.
        MainWindow janela;
        janela.show();
        if (!cena.isEmpty())
            janela.abrir(cena);
        resultado = app.exec();
    }
    return resultado;
}

} // namespace

int main(int argc, char** argv)
{
    // The zoom and object-move slots are reached only from keys, so connectSlotsByName finds no
    // widget for them and would warn about each one at every start.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qmetaobject.connectslotsbyname=false"));

    // Read before the application object exists: help, version and an export need no display.
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const Opcoes opcoes;
    parser.addOptions({opcoes.ajuda, opcoes.versao, opcoes.exportar, opcoes.tamanho, opcoes.coordenadas});
    if (!parser.parse(argumentos))
        return falhaDeLeitura(parser);
    if (parser.isSet(opcoes.ajuda)) {
        std::cout << ajuda;
        return 0;
    }
    if (parser.isSet(opcoes.versao)) {
        std::cout << "sistema-grafico " << VELK_VERSAO << std::endl;
        return 0;
    }
    const QStringList cenas = parser.positionalArguments();
    if (cenas.size() > 1)
        return falhar("só um arquivo de cena por vez (veja sistema-grafico --help)");
    if (parser.isSet(opcoes.exportar))
        return exportarDaLinhaDeComando(argc, argv, parser, opcoes, cenas.value(0));
    if (parser.isSet(opcoes.tamanho) || parser.isSet(opcoes.coordenadas))
        return falhar("--tamanho e --coordenadas valem só com --exportar");
    return abrirJanela(argc, argv, cenas.value(0));
}

#include <memory>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include "arquivodecena.h"
#include "displayfile.h"
#include "poligono.h"
#include "qviewport.h"
#include "window.h"

namespace {

// The program as users run it, with no display of any kind and no platform chosen.
QProcess* rodar(const QStringList& argumentos)
{
    auto* programa = new QProcess;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* variavel : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        ambiente.remove(QString::fromLatin1(variavel));
    programa->setProcessEnvironment(ambiente);
    programa->start(QStringLiteral(SISTEMA_GRAFICO), argumentos);
    EXPECT_TRUE(programa->waitForFinished(60000));
    return programa;
}

// Catches an export that paints at the widget's size instead of the one asked for, drops the
// coordinates, or needs a display.
TEST(Exportacao, PngDaLinhaDeComandoIgualAoCanvasNoMesmoTamanho)
{
    const QString cena = QStringLiteral(VELK_EXEMPLOS "/desenho.xml");
    QTemporaryDir pasta;
    const QString saida = pasta.filePath(QStringLiteral("desenho.png"));
    std::unique_ptr<QProcess> programa(rodar({QStringLiteral("--exportar"), saida, QStringLiteral("--tamanho"),
                                              QStringLiteral("700x450"), QStringLiteral("--coordenadas"), cena}));
    EXPECT_EQ(programa->exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(programa->exitCode(), 0) << programa->readAllStandardError().toStdString();

    QViewport canvas(nullptr);
    ArquivoDeCena::carregar(cena, canvas);
    canvas.showCoordinates(true);
    canvas.resize(700, 450);
    const QImage tela = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage exportada = QImage(saida).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(exportada.size(), QSize(700, 450));
    EXPECT_TRUE(exportada == tela);
    // Not a blank picture that happens to match a blank grab.
    int pintados = 0;
    for (int y = 21; y < 430; ++y)
        for (int x = 21; x < 680; ++x)
            pintados += tela.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(pintados, 10000);
}

// Catches a failed read that still exits 0 or leaves a picture behind.
TEST(Exportacao, CenaRuimSaiComUmEOMotivo)
{
    QTemporaryDir pasta;
    const QString saida = pasta.filePath(QStringLiteral("nada.png"));
    std::unique_ptr<QProcess> programa(
        rodar({QStringLiteral("--exportar"), saida, QStringLiteral(VELK_TEST_DATA "/cena-raiz-errada.xml")}));
    EXPECT_EQ(programa->exitCode(), 1);
    EXPECT_NE(programa->readAllStandardError().indexOf("Tag raiz 'formas' ausente."), -1);
    EXPECT_FALSE(QFile::exists(saida));
}

// Catches a polyline drawn as loose segments in SVG: one element per piece, not per segment.
TEST(Exportacao, SvgTemUmaPolilinhaPorPedaco)
{
    QViewport canvas(nullptr);
    canvas.displayFile()->listaDeObjetos.push_back(new Poligono(
        "q", Cor(0, 0, 255), {Coordenada(-5, -5, 0), Coordenada(5, -5, 0), Coordenada(5, 5, 0), Coordenada(-5, 5, 0)},
        false));
    canvas.janela()->atualizarCPP(*canvas.displayFile());
    QTemporaryDir pasta;
    const QString saida = pasta.filePath(QStringLiteral("q.svg"));
    canvas.exportar(saida, QSize(300, 200));

    QFile arquivo(saida);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&arquivo);
    QStringList polilinhas;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("polyline"))
            polilinhas << xml.attributes().value(QLatin1String("points")).toString().simplified();
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    // The square maps to columns 85 to 215 and rows 60 to 140 and closes on its first corner.
    ASSERT_EQ(polilinhas.size(), 1) << polilinhas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(polilinhas.first(), QStringLiteral("85,140 215,140 215,60 85,60 85,140"));
}

} // namespace

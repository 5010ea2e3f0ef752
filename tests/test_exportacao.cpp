#include <cstdlib>
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

    // The canvas as the window shows it, fitted to the camera window's proportions in that space.
    QViewport canvas(nullptr);
    ArquivoDeCena::carregar(cena, canvas);
    canvas.showCoordinates(true);
    const QRect area = canvas.areaNaProporcao(QSize(700, 450));
    canvas.resize(area.size());
    const QImage tela = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage exportada = QImage(saida).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(exportada.size(), QSize(700, 450));
    EXPECT_TRUE(exportada.copy(area) == tela);
    EXPECT_EQ(exportada.pixel(0, 0), canvas.palette().color(canvas.backgroundRole()).rgb());
    // Not a blank picture that happens to match a blank grab.
    int pintados = 0;
    for (int y = 21; y < tela.height() - 21; ++y)
        for (int x = 21; x < tela.width() - 21; ++x)
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
    // The picture keeps the square window's proportions, 200 × 200 in the middle of 300 × 200: the
    // square maps to columns and rows 60 to 140 of it, and closes on its first corner.
    ASSERT_EQ(polilinhas.size(), 1) << polilinhas.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(polilinhas.first(), QStringLiteral("60,140 140,140 140,60 60,60 60,140"));
}

// Catches an export that stretches the scene to the picture's proportions: a square stays square,
// centred, at any size, as the command line writes it.
TEST(Exportacao, QuadradoFicaQuadradoEmQualquerTamanho)
{
    QTemporaryDir pasta;
    const QString cena = pasta.filePath(QStringLiteral("quadrado.xml"));
    {
        QFile arquivo(cena);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("<formas><poligono nome=\"q\" cor=\"#0000ff\" preenchido=\"true\">"
                      "<coordenada x=\"-5\" y=\"-5\" z=\"0\"/><coordenada x=\"5\" y=\"-5\" z=\"0\"/>"
                      "<coordenada x=\"5\" y=\"5\" z=\"0\"/><coordenada x=\"-5\" y=\"5\" z=\"0\"/>"
                      "</poligono></formas>");
    }
    for (const QSize tamanho : {QSize(1200, 400), QSize(300, 900)}) {
        const QString saida = pasta.filePath(QStringLiteral("q.png"));
        const QString lados = QStringLiteral("%1x%2").arg(tamanho.width()).arg(tamanho.height());
        std::unique_ptr<QProcess> programa(rodar({QStringLiteral("--exportar"), saida, QStringLiteral("--tamanho"), lados, cena}));
        ASSERT_EQ(programa->exitCode(), 0) << programa->readAllStandardError().toStdString();
        const QImage imagem = QImage(saida).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(imagem.size(), tamanho);
        QRect azul;
        for (int y = 0; y < imagem.height(); ++y)
            for (int x = 0; x < imagem.width(); ++x)
                if (imagem.pixel(x, y) == qRgb(0, 0, 255))
                    azul |= QRect(x, y, 1, 1);
        ASSERT_FALSE(azul.isEmpty()) << lados.toStdString();
        EXPECT_LE(std::abs(azul.width() - azul.height()), 1) << lados.toStdString();
        EXPECT_LE(std::abs(azul.center().x() - tamanho.width() / 2), 1) << lados.toStdString();
        EXPECT_LE(std::abs(azul.center().y() - tamanho.height() / 2), 1) << lados.toStdString();
    }
}

} // namespace

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include "documentodecena.h"
#include "janelaprincipal.h"
#include "viewport.h"

namespace {

const char* const cenaObliqua = R"(<?xml version="1.0" ?>
<formas>
    <window distancia="10" projecao="obliqua">
        <centro x="0" y="0" z="0" />
        <direita x="20" y="0" z="0" />
        <cima x="0" y="20" z="0" />
    </window>
</formas>
)";

} // namespace

// The line clipper is the user's setting of the view: every camera the document takes in keeps it,
// while the projection menu shows the projection of the camera in use. Mutations caught: a load, a
// new scene, an undo or Vista Inicial that bring the default clipper back with their camera (the
// menu would still say Liang–Barsky); a projection menu that does not follow a loaded camera.
TEST(ControlesDoPipeline, RecorteEscolhidoFicaEProjecaoSegueACamera)
{
    MainWindow w;
    mostrada(w);
    DocumentoDeCena& documento = w.documento();
    EXPECT_TRUE(filho<QAction>(w, "actionPerspectiva")->isChecked());
    EXPECT_TRUE(filho<QAction>(w, "actionCohenSutherland")->isChecked());
    filho<QAction>(w, "actionLiangBarsky")->trigger();
    ASSERT_EQ(documento.janela()->recorte(), AlgoritmoDeRecorte::liangBarsky);

    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString caminho = pasta.filePath(QStringLiteral("obliqua.xml"));
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(cenaObliqua);
    }
    w.abrir(caminho);
    EXPECT_EQ(documento.janela()->projecao(), Projecao::obliqua);
    EXPECT_TRUE(filho<QAction>(w, "actionParalelaObliqua")->isChecked());
    EXPECT_EQ(documento.janela()->recorte(), AlgoritmoDeRecorte::liangBarsky) << "load";

    filho<QAction>(w, "actionParalelaOrtogonal")->trigger();
    filho<QAction>(w, "actionVistaInicial")->trigger();
    EXPECT_EQ(documento.janela()->projecao(), Projecao::ortogonal) << "Vista Inicial";
    EXPECT_EQ(documento.janela()->recorte(), AlgoritmoDeRecorte::liangBarsky) << "Vista Inicial";

    w.trocarCena(DisplayFile(), Viewport::cameraInicial(), QString(), QStringLiteral("Nova Cena"));
    EXPECT_EQ(documento.janela()->projecao(), Projecao::perspectiva);
    EXPECT_TRUE(filho<QAction>(w, "actionPerspectiva")->isChecked());
    EXPECT_EQ(documento.janela()->recorte(), AlgoritmoDeRecorte::liangBarsky) << "new scene";

    w.pilhaDeDesfazer()->undo();
    EXPECT_EQ(documento.janela()->projecao(), Projecao::ortogonal);
    EXPECT_TRUE(filho<QAction>(w, "actionParalelaOrtogonal")->isChecked());
    EXPECT_EQ(documento.janela()->recorte(), AlgoritmoDeRecorte::liangBarsky) << "undo";
    EXPECT_TRUE(filho<QAction>(w, "actionLiangBarsky")->isChecked());
}

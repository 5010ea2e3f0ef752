#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "importacao.h"
#include "janelaprincipal.h"
#include "objeto3d.h"
#include "ponto.h"

namespace {

using Objetos = std::vector<std::unique_ptr<Objeto>>;

// Each edge as the pair of its ends' coordinates, so that the comparison does not depend on how
// vertices were numbered.
std::set<std::pair<std::vector<double>, std::vector<double>>> arestasEmCoordenadas(const Objeto& objeto)
{
    const auto& o = dynamic_cast<const Objeto3D&>(objeto);
    const std::vector<Coordenada> v(o.inicioDasCoordenadas(), o.fimDasCoordenadas());
    std::set<std::pair<std::vector<double>, std::vector<double>>> arestas;
    for (const auto& [i, j] : o.arestas()) {
        std::vector<double> a{v.at(i).x(), v.at(i).y(), v.at(i).z()};
        std::vector<double> b{v.at(j).x(), v.at(j).y(), v.at(j).z()};
        arestas.insert(a < b ? std::make_pair(a, b) : std::make_pair(b, a));
    }
    return arestas;
}

// Catches a group given the file's numbering instead of its own, an edge shared by two faces
// counted twice, a relative index resolved wrongly, and coordinates read as float.
TEST(ImportacaoObj, UmObjetoPorGrupoComCadaArestaUmaVez)
{
    const Objetos objetos = Importacao::lerObj("v 0.1 0 0\n"
                                               "v 1 0 0\n"
                                               "v 1 1 0\n"
                                               "v 0 1 0\n"
                                               "v 5 5 5\n"
                                               "o quadrado\n"
                                               "f 1 2 3\n"
                                               "f 1 3 4\n"
                                               "g haste\n"
                                               "l -1 -2 3\n",
                                               "arquivo");
    ASSERT_EQ(objetos.size(), 2u);
    EXPECT_EQ(objetos[0]->nome(), "quadrado");
    EXPECT_EQ(objetos[0]->numeroDeCoordenadas(), 4);
    EXPECT_EQ(dynamic_cast<const Objeto3D&>(*objetos[0]).arestas().size(), 5u);
    EXPECT_EQ(objetos[0]->inicioDasCoordenadas()->x(), 0.1);
    EXPECT_EQ(objetos[1]->nome(), "haste");
    EXPECT_EQ(objetos[1]->numeroDeCoordenadas(), 3);
    const std::set<std::pair<std::vector<double>, std::vector<double>>> haste{
        {{0, 1, 0}, {5, 5, 5}}, {{0, 1, 0}, {1, 1, 0}}};
    EXPECT_EQ(arestasEmCoordenadas(*objetos[1]), haste);
}

// Catches tinyobjloader's byte-sized face counts passing unnoticed: past 255 vertices its counts
// and indices no longer line up, and the edges would join the wrong vertices.
TEST(ImportacaoObj, FaceDeMaisDe255VerticesEhRecusada)
{
    std::string texto;
    std::string face = "f";
    for (int i = 1; i <= 300; ++i) {
        texto += "v " + std::to_string(i) + " 0 0\n";
        face += " " + std::to_string(i);
    }
    EXPECT_THROW(Importacao::lerObj(texto + face + "\n", "grande"), std::string);
}

// Catches an index past the vertices reaching Objeto3D, or a file of loose vertices refused.
TEST(ImportacaoOff, ForaDoAlcanceRecusadoESoVerticesViramPontos)
{
    EXPECT_THROW(Importacao::lerOff("OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 3\n", "t"), std::string);
    EXPECT_THROW(Importacao::lerOff("OFF\n3 1 0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\nlixo\n", "t"), std::string);
    // Counts that promise more than the file holds are refused before anything is reserved.
    EXPECT_THROW(Importacao::lerOff("OFF\n2000000000 0 0\n0 0 0\n", "t"), std::string);

    const Objetos pontos = Importacao::lerOff("OFF # nuvem\n2 0 0\n1.5 -2 3\n\n0 0 1e3\n", "nuvem");
    ASSERT_EQ(pontos.size(), 2u);
    EXPECT_NE(dynamic_cast<const Ponto*>(pontos[1].get()), nullptr);
    EXPECT_EQ(pontos[1]->nome(), "nuvem 2");
    EXPECT_EQ(pontos[1]->inicioDasCoordenadas()->z(), 1000.0);
}

// An imported mesh's edges come each once, in ascending order of their ends (the order a saved file
// keeps), whether their lower ends are dense or a few far apart.
// Mutations caught: the edges grouped by their lower end but a group left unsorted (repeats kept,
// order lost), a group's place counted from the wrong end, the last group dropped.
TEST(ImportacaoOff, ArestasDistintasEmOrdem)
{
    for (const int vertices : {200, 5000}) {
        std::string texto = "OFF\n" + std::to_string(vertices) + " 300 0\n";
        for (int i = 0; i < vertices; ++i)
            texto += std::to_string(i) + " 0 0\n";
        std::set<std::pair<int, int>> esperadas;
        // With 5000 vertices the faces use a few far apart.
        const int passo = vertices == 200 ? 1 : 25;
        for (int f = 0; f < 300; ++f) {
            const int v[3] = {(f * 7 % 200) * passo, (f * 13 % 200) * passo, (f * 29 % 200) * passo};
            texto += "3 " + std::to_string(v[0]) + " " + std::to_string(v[1]) + " " + std::to_string(v[2]) + "\n";
            for (int k = 0; k < 3; ++k)
                if (v[k] != v[(k + 1) % 3])
                    esperadas.insert(std::minmax(v[k], v[(k + 1) % 3]));
        }
        const Objetos objetos = Importacao::lerOff(texto, "m");
        ASSERT_EQ(objetos.size(), 1u);
        const auto& arestas = dynamic_cast<const Objeto3D&>(*objetos[0]).arestas();
        const std::vector<std::pair<int, int>> emOrdem(esperadas.begin(), esperadas.end());
        EXPECT_EQ(arestas, emOrdem) << vertices;
    }
}

// The same words for a missing or empty model as for a scene file, never the system's own.
TEST(ImportacaoObj, ArquivoAusenteOuVazioDizPorque)
{
    QTemporaryDir pasta;
    const QString ausente = pasta.filePath(QStringLiteral("ausente.obj"));
    const QString vazio = pasta.filePath(QStringLiteral("vazio.off"));
    QFile(vazio).open(QIODevice::WriteOnly);
    for (const auto& [caminho, motivo] : {std::pair{ausente, "o arquivo não existe"}, std::pair{vazio, "o arquivo está vazio"}}) {
        try {
            Importacao::lerModelo(caminho);
            ADD_FAILURE() << caminho.toStdString();
        } catch (const std::string& erro) {
            EXPECT_EQ(erro, "Não foi possível importar '" + caminho.toStdString() + "': " + motivo + ".");
        }
    }
}

// Catches an import that leaves part of a broken model in the scene, or a fault the user never sees.
TEST(ImportacaoPelaJanela, ArquivoQuebradoNaoMudaACenaEAvisa)
{
    QTemporaryDir pasta;
    const QString quebrado = pasta.filePath(QStringLiteral("quebrado.obj"));
    {
        QFile f(quebrado);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("v 0 0 0\nv 1 0 0\nv 0 1 0\no bom\nf 1 2 3\no ruim\nf 1 2 9\n");
    }
    MainWindow janela;
    bool avisou = false;
    QTimer::singleShot(0, [&avisou] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            avisou = true;
            caixa->accept();
        }
    });
    janela.importar(quebrado);
    EXPECT_TRUE(avisou);
    EXPECT_TRUE(canvasDe(janela)->displayFile()->listaDeObjetos.empty());
    EXPECT_EQ(filho<QListWidget>(janela, "objetos")->count(), 0);

    const QString bom = pasta.filePath(QStringLiteral("tetraedro.off"));
    {
        QFile f(bom);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("OFF\n4 4 6\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n3 0 1 2\n3 0 1 3\n3 0 2 3\n3 1 2 3\n");
    }
    janela.importar(bom);
    ASSERT_EQ(filho<QListWidget>(janela, "objetos")->count(), 1);
    EXPECT_EQ(filho<QListWidget>(janela, "objetos")->item(0)->text(), QStringLiteral("tetraedro : Objeto 3D"));
}

} // namespace

// A long import tells how far it is, and a cancel stops it with nothing made.
// Mutations caught: a cancel not heeded (the model read to its end, or its objects made), progress
// told only once or past its total.
TEST(ImportacaoObj, ProgressoAteOFimECancelamentoSemObjetos)
{
    std::string texto;
    for (int i = 0; i < 60000; ++i)
        texto += "v " + std::to_string(i) + ".25 " + std::to_string(i % 97) + ".5 0.125\n";
    for (int i = 1; i + 2 <= 60000; i += 2)
        texto += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " + std::to_string(i + 2) + "\n";
    ASSERT_GT(texto.size(), 1u << 20);

    std::uint64_t feitos = 0;
    int chamadas = 0;
    const auto objetos = Importacao::lerObj(texto, "m", [&](std::uint64_t feito, std::uint64_t total) {
        EXPECT_GE(feito, feitos);
        EXPECT_LE(feito, total);
        feitos = feito;
        ++chamadas;
        return true;
    });
    EXPECT_EQ(objetos.size(), 1u);
    EXPECT_GT(chamadas, 2);
    EXPECT_GE(feitos, texto.size());

    int pedidos = 0;
    EXPECT_THROW(Importacao::lerObj(texto, "m", [&](std::uint64_t, std::uint64_t) { return ++pedidos < 2; }), Cancelado);
    EXPECT_EQ(pedidos, 2);
}

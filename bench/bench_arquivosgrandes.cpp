// A scanned model's scene file and model file through the main window: the scene of one wireframe
// the size of the Happy Buddha (a noisy sphere of 546,002 vertices and 1,638,000 edges, saved as the
// program saves it) loaded and saved, and the same mesh imported as Wavefront OBJ:
//
//   build/bench/bench_arquivosgrandes --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
//
// Arquivos/Carregar: the window opens the scene file (MainWindow::abrir), from the file to the scene
//   in place, projected.
// Arquivos/Salvar: Salvar on the window, the scene already in place and named.
// Arquivos/ImportarObj: the window imports the OBJ file (MainWindow::importar).
// Arquivos/TinyXml: TinyXML alone parsing the scene file into a whole document, for comparison.
// Each reports the file's size and the process's peak resident memory while it ran, whole (pico)
// and above what the process held when it began (acrescimo), in MB; it prints the goals' figures.
// Before timing anything it checks that a save writes, byte for byte, what TinyXML prints of the
// scene's document, and that the file reads back to the same scene; it exits with 1 if not.
// VELK_ARQUIVOS_GRANDES=folder keeps the files there (buda.xml, buda.obj), for timing the program
// itself with them.

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include "displayfile.h"
#include "documentodecena.h"
#include "malhas.h"
#include "mainwindow.h"
#include "objeto.h"
#include "programadebenchmark.h"
#include "viewport.h"
#include "window.h"
#include "xmldacena.h"

namespace {

// The process's resident memory, now and at its peak since the last esquecerPico(), in MB.
double memoria(const char* campo)
{
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha))
        if (linha.rfind(campo, 0) == 0)
            return std::strtod(linha.c_str() + std::string(campo).size(), nullptr) / 1024.0;
    return 0;
}

void esquecerPico()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Arquivos {
    QTemporaryDir temporaria;
    QString pasta;
    QString cena;
    QString modelo;
    double megabytesDaCena = 0;
    double megabytesDoModelo = 0;

    Arquivos()
    {
        const QByteArray fixa = qgetenv("VELK_ARQUIVOS_GRANDES");
        pasta = fixa.isEmpty() ? temporaria.path() : QString::fromLocal8Bit(fixa);
        cena = pasta + QStringLiteral("/buda.xml");
        modelo = pasta + QStringLiteral("/buda.obj");
        const Malha malha = esferaRuidosa(520, 1050);
        {
            DisplayFile esfera = comoCena(malha);
            salvar(esfera, cena);
        }
        QFile obj(modelo);
        obj.open(QIODevice::WriteOnly);
        obj.write(QByteArray::fromStdString(comoObj(malha)));
        megabytesDaCena = static_cast<double>(QFile(cena).size()) / (1024 * 1024);
        megabytesDoModelo = static_cast<double>(QFile(modelo).size()) / (1024 * 1024);
    }

    // Salvar on a window that holds cena, named caminho.
    static void salvar(DisplayFile& cena, const QString& caminho)
    {
        MainWindow janela;
        janela.trocarCena(std::move(cena), Viewport::cameraInicial(), caminho, QStringLiteral("cena"));
        janela.findChild<QAction*>(QStringLiteral("actionSalvar"))->trigger();
    }
};

Arquivos& arquivos()
{
    static Arquivos a;
    return a;
}

// Times fazer(janela) on a new window each time (made and destroyed outside the timing), with the
// memory counters.
template <typename Preparar, typename Fazer>
void naJanela(benchmark::State& state, double megabytes, Preparar preparar, Fazer fazer)
{
    double pico = 0;
    double acrescimo = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto janela = std::make_unique<MainWindow>();
        preparar(*janela);
        // What earlier runs freed goes back to the system, so that the peak is this run's.
        malloc_trim(0);
        const double antes = memoria("VmRSS:");
        esquecerPico();
        state.ResumeTiming();
        fazer(*janela);
        state.PauseTiming();
        pico = std::max(pico, memoria("VmHWM:"));
        acrescimo = std::max(acrescimo, memoria("VmHWM:") - antes);
        janela.reset();
        state.ResumeTiming();
    }
    state.counters["arquivo_MB"] = megabytes;
    state.counters["pico_MB"] = pico;
    state.counters["acrescimo_MB"] = acrescimo;
}

void carregar(benchmark::State& state)
{
    Arquivos& a = arquivos();
    naJanela(state, a.megabytesDaCena, [](MainWindow&) {}, [&a](MainWindow& janela) { janela.abrir(a.cena); });
}

void salvar(benchmark::State& state)
{
    Arquivos& a = arquivos();
    const QString destino = a.pasta + QStringLiteral("/buda-salva.xml");
    naJanela(state, a.megabytesDaCena,
             [&destino](MainWindow& janela) {
                 janela.trocarCena(comoCena(esferaRuidosa(520, 1050)), Viewport::cameraInicial(), destino,
                                   QStringLiteral("cena"));
             },
             [](MainWindow& janela) { janela.findChild<QAction*>(QStringLiteral("actionSalvar"))->trigger(); });
}

void importarObj(benchmark::State& state)
{
    Arquivos& a = arquivos();
    naJanela(state, a.megabytesDoModelo, [](MainWindow&) {}, [&a](MainWindow& janela) { janela.importar(a.modelo); });
}

void tinyXml(benchmark::State& state)
{
    Arquivos& a = arquivos();
    double pico = 0;
    for (auto _ : state) {
        malloc_trim(0);
        esquecerPico();
        auto doc = std::make_unique<TiXmlDocument>();
        if (!doc->LoadFile(a.cena.toLocal8Bit().constData()))
            state.SkipWithError("o TinyXML não leu o arquivo");
        state.PauseTiming();
        pico = std::max(pico, memoria("VmHWM:"));
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["arquivo_MB"] = a.megabytesDaCena;
    state.counters["pico_MB"] = pico;
}

// A save writes what TinyXML prints of the scene's document, and the file reads back to the scene.
bool arquivosConferem()
{
    Arquivos& a = arquivos();
    const std::unique_ptr<TiXmlDocument> doc = XmlDaCena::documento(Viewport::cameraInicial(),
                                                                    comoCena(esferaRuidosa(520, 1050)));
    TiXmlPrinter impressora;
    doc->Accept(&impressora);
    QFile salvo(a.cena);
    salvo.open(QIODevice::ReadOnly);
    if (salvo.readAll() != QByteArray(impressora.CStr(), static_cast<qsizetype>(impressora.Size()))) {
        std::fprintf(stderr, "the saved file is not what TinyXML prints of the scene's document\n");
        return false;
    }
    MainWindow janela;
    janela.abrir(a.cena);
    const DisplayFile original = comoCena(esferaRuidosa(520, 1050));
    const DisplayFile* lida = janela.documento().displayFile();
    if (lida->listaDeObjetos.size() != 1
        || lida->listaDeObjetos[0]->coordenadas() != original.listaDeObjetos[0]->coordenadas()) {
        std::fprintf(stderr, "the file does not read back to the scene saved\n");
        return false;
    }
    return true;
}

void relatar(const RelatorDeTempos& relator)
{
    const double carregar = relator.tempo("Arquivos/Carregar");
    const double salvar = relator.tempo("Arquivos/Salvar");
    const double importar = relator.tempo("Arquivos/ImportarObj");
    std::printf("arquivo de cena: %.1f MB; modelo OBJ: %.1f MB\n", arquivos().megabytesDaCena,
                arquivos().megabytesDoModelo);
    const double cena = arquivos().megabytesDaCena;
    const auto pico = [&relator](const char* nome) { return relator.contador(nome, "pico_MB"); };
    const auto acrescimo = [&relator](const char* nome) { return relator.contador(nome, "acrescimo_MB"); };
    std::printf("carregar: %.2f s (meta: 2,0 s ou menos); pico %.0f MB = %.2f vezes o arquivo (meta: 4 ou menos)\n",
                carregar / 1000, pico("Arquivos/Carregar"), pico("Arquivos/Carregar") / cena);
    std::printf("salvar: %.2f s (meta: 1,2 s ou menos); acréscimo no pico %.0f MB = %.2f vezes o arquivo (meta: 1 ou "
                "menos)\n",
                salvar / 1000, acrescimo("Arquivos/Salvar"), acrescimo("Arquivos/Salvar") / cena);
    std::printf("importar OBJ: %.2f s (meta: 0,6 s ou menos); pico %.0f MB\n", importar / 1000,
                pico("Arquivos/ImportarObj"));
    std::printf("TinyXML sozinho: %.2f s; pico %.0f MB\n", relator.tempo("Arquivos/TinyXml") / 1000,
                pico("Arquivos/TinyXml"));
}

} // namespace

BENCHMARK(carregar)->Name("Arquivos/Carregar")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(salvar)->Name("Arquivos/Salvar")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(importarObj)->Name("Arquivos/ImportarObj")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(tinyXml)->Name("Arquivos/TinyXml")->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv)
{
    return executarBenchmarks(argc, argv, arquivosConferem, relatar);
}

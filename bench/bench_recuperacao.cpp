// The recovery copy of the shared 10,000-object scene, and what the window waits for while it is made:
//
//   build/bench/bench_recuperacao --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Recuperacao/CopiaInteira: the whole copy written and synced to disk, as a save does; what the
// window would wait for if the copy were written on its thread.
// Recuperacao/PausaDaJanela: what it waits for instead, the copy of the scene handed to the thread
// that writes it.
// It prints the ratio of the two (median real time when repeated; meta: 0.05 or less).

#include <cstdio>
#include <memory>
#include <vector>

#include <QString>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include "cenadeteste.h"
#include "comandosdecena.h"
#include "displayfile.h"
#include "documentodecena.h"
#include "objeto.h"
#include "ponto.h"
#include "programadebenchmark.h"
#include "recuperacao.h"
#include "viewport.h"

namespace {

struct Cenario {
    QTemporaryDir pasta;
    DocumentoDeCena documento;
    Recuperacao recuperacao{documento, nullptr, pasta.path()};

    Cenario()
    {
        DisplayFile cena = criarCenaDeTeste();
        Window camera = Viewport::cameraInicial();
        QString arquivo = pasta.filePath(QStringLiteral("cena.xml"));
        documento.trocar(cena, camera, arquivo);
        // Unsaved, or there would be nothing to copy.
        std::vector<std::unique_ptr<Objeto>> novo;
        novo.emplace_back(new Ponto("p", Cor(), Coordenada(0, 0, 0)));
        documento.pilhaDeDesfazer()->push(
            new ComandoAdicionar(documento, documento.quantidade(), std::move(novo), QStringLiteral("Adicionar")));
    }
};

Cenario& cenario()
{
    static Cenario c;
    return c;
}

void copiaInteira(benchmark::State& state)
{
    Cenario& c = cenario();
    for (auto _ : state)
        c.recuperacao.salvarCopia();
}

void pausaDaJanela(benchmark::State& state)
{
    const DisplayFile& cena = *cenario().documento.displayFile();
    for (auto _ : state) {
        DisplayFile copia = cena;
        benchmark::DoNotOptimize(copia.listaDeObjetos.data());
        state.PauseTiming();
        copia = DisplayFile();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(copiaInteira)->Name("Recuperacao/CopiaInteira")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pausaDaJanela)->Name("Recuperacao/PausaDaJanela")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    const auto semConferencia = [] { return true; };
    return executarBenchmarks(argc, argv, semConferencia, [](const RelatorDeTempos& relator) {
        const double inteira = relator.tempo("Recuperacao/CopiaInteira");
        const double pausa = relator.tempo("Recuperacao/PausaDaJanela");
        std::printf("pausa da janela / cópia inteira = %.3f (meta: 0,05 ou menos)\n",
                    inteira > 0 ? pausa / inteira : 0.0);
    });
}

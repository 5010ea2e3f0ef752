// Scene files of 100,000 objects: what reading and writing cost beyond TinyXML's own work.
//
//   build/bench/bench_xml [--benchmark_repetitions=5]
//
// Targets, checked at the end of the run against the CPU time of the medians (or single runs)
// measured in it:
//   reading  = TiXmlDocument::Parse + DisplayFile::restore   <= 1.5 x TiXmlDocument::Parse alone
//   writing  = Window/DisplayFile::persist + TiXmlPrinter    <= 1.5 x TiXmlPrinter alone, same document
// Also measured: SoMontar (persist alone), TinyXmlSoMontar (the same nodes made by TinyXML from
// prepared texts: the floor for any writer that builds this layout through TinyXML's API) and
// SoRestaurar (restore alone, on a parsed document).
// Destroying a document is outside every timed region (it is neither parsing nor printing nor our
// work); restore's deletion of the objects it replaces is inside, since that is part of restoring.

#include <clocale>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>
#include <tinyxml.h>

#include "bezier.h"
#include "bspline.h"
#include "displayfile.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "window.h"

namespace {

constexpr int quantidadeDeObjetos = 100000;

// Half the numbers as a user types them (two decimals), half as transformations leave them (17
// significant digits), so that both short and long texts are measured.
class Gerador {
public:
    Coordenada ponto() { return Coordenada(numero(), numero(), numero()); }

    std::vector<Coordenada> pontos(int n)
    {
        std::vector<Coordenada> c;
        c.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            c.push_back(ponto());
        return c;
    }

    int inteiro(int de, int ate) { return std::uniform_int_distribution<int>(de, ate)(_gerador); }
    Cor cor() { return Cor(inteiro(0, 255), inteiro(0, 255), inteiro(0, 255)); }

private:
    double numero()
    {
        const double d = std::uniform_real_distribution<double>(-500.0, 500.0)(_gerador);
        return (_alternar = !_alternar) ? std::round(d * 100.0) / 100.0 : d;
    }

    std::mt19937_64 _gerador{42};
    bool _alternar = false;
};

DisplayFile cenaGrande()
{
    Gerador g;
    DisplayFile df;
    df.listaDeObjetos.reserve(quantidadeDeObjetos);
    const std::vector<std::pair<int, int>> arestasDoCubo
        = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6}, {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (int i = 0; i < quantidadeDeObjetos; ++i) {
        const std::string nome = "objeto " + std::to_string(i);
        switch (i % 6) {
        case 0:
            df.listaDeObjetos.push_back(new Ponto(nome, g.cor(), g.ponto()));
            break;
        case 1:
            df.listaDeObjetos.push_back(new Reta(nome, g.cor(), g.ponto(), g.ponto()));
            break;
        case 2:
            df.listaDeObjetos.push_back(new Poligono(nome, g.cor(), g.pontos(g.inteiro(3, 8)), g.inteiro(0, 1) == 1));
            break;
        case 3:
            df.listaDeObjetos.push_back(new Bezier(nome, g.cor(), g.pontos(3 * g.inteiro(1, 3) + 1)));
            break;
        case 4:
            df.listaDeObjetos.push_back(new BSpline(nome, g.cor(), g.pontos(g.inteiro(4, 9))));
            break;
        default:
            df.listaDeObjetos.push_back(new Objeto3D(nome, g.cor(), g.pontos(8), arestasDoCubo));
        }
    }
    return df;
}

const DisplayFile& cena()
{
    static const DisplayFile df = cenaGrande();
    return df;
}

Window camera()
{
    Window w(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10));
    w.rodar(10, 20, 30);
    return w;
}

// The document as the application builds it when saving.
std::unique_ptr<TiXmlDocument> montar(const Window& w, const DisplayFile& df)
{
    auto doc = std::make_unique<TiXmlDocument>();
    doc->LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* formas = new TiXmlElement("formas");
    auto* window = new TiXmlElement("window");
    w.persist(window);
    formas->LinkEndChild(window);
    df.persist(formas);
    doc->LinkEndChild(formas);
    return doc;
}

const std::string& texto()
{
    static const std::string t = [] {
        TiXmlPrinter printer;
        montar(camera(), cena())->Accept(&printer);
        return std::string(printer.CStr(), printer.Size());
    }();
    return t;
}

void destruirSemMedir(benchmark::State& state, std::unique_ptr<TiXmlDocument>& doc)
{
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
}

void tinyXmlAnalisar(benchmark::State& state)
{
    const std::string& t = texto();
    for (auto _ : state) {
        auto doc = std::make_unique<TiXmlDocument>();
        doc->Parse(t.c_str());
        if (doc->Error())
            state.SkipWithError(doc->ErrorDesc());
        destruirSemMedir(state, doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void ler(benchmark::State& state)
{
    const std::string& t = texto();
    Window w = camera();
    DisplayFile df;
    for (auto _ : state) {
        auto doc = std::make_unique<TiXmlDocument>();
        doc->Parse(t.c_str());
        TiXmlNode* formas = doc->FirstChild("formas");
        try {
            w.restore(formas->FirstChild("window"));
            df.restore(formas);
        } catch (const std::string& erro) {
            state.SkipWithError(erro.c_str());
        }
        destruirSemMedir(state, doc);
    }
    if (df.listaDeObjetos.size() != static_cast<std::size_t>(quantidadeDeObjetos))
        state.SkipWithError("a cena lida não tem todos os objetos");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void tinyXmlImprimir(benchmark::State& state)
{
    const std::unique_ptr<TiXmlDocument> doc = montar(camera(), cena());
    for (auto _ : state) {
        TiXmlPrinter printer;
        doc->Accept(&printer);
        benchmark::DoNotOptimize(printer.CStr());
    }
}

void escrever(benchmark::State& state)
{
    const Window w = camera();
    const DisplayFile& df = cena();
    for (auto _ : state) {
        std::unique_ptr<TiXmlDocument> doc = montar(w, df);
        TiXmlPrinter printer;
        doc->Accept(&printer);
        benchmark::DoNotOptimize(printer.CStr());
        destruirSemMedir(state, doc);
    }
}

// Only the building: what persist itself costs.
void montarDocumento(benchmark::State& state)
{
    const Window w = camera();
    const DisplayFile& df = cena();
    for (auto _ : state) {
        std::unique_ptr<TiXmlDocument> doc = montar(w, df);
        benchmark::DoNotOptimize(doc.get());
        destruirSemMedir(state, doc);
    }
}

// The same tree built by TinyXML alone: every element and attribute that persist makes, in the same
// order, but with number texts taken from a small prepared pool instead of being formatted. This is
// what TinyXML's own node creation costs: the least that any writer building this layout through
// TinyXML's API can take.
struct Forma {
    const char* elemento;
    std::string nome;
    std::string cor;
    const char* preenchido;
    std::size_t coordenadas;
    std::vector<std::pair<int, int>> arestas;
};

void tinyXmlSoMontar(benchmark::State& state)
{
    std::unique_ptr<TiXmlDocument> modelo = montar(camera(), cena());
    std::vector<std::string> numeros;
    std::vector<Forma> formas;
    for (const TiXmlElement* e = modelo->FirstChildElement("formas")->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        if (e->ValueStr() == "window")
            continue;
        const std::string* preenchido = e->Attribute(std::string("preenchido"));
        Forma f{nullptr, *e->Attribute(std::string("nome")), *e->Attribute(std::string("cor")),
            preenchido == nullptr ? nullptr : (*preenchido == "true" ? "true" : "false"), 0, {}};
        static const char* const elementos[] = {"ponto", "reta", "poligono", "bezier", "bspline", "objeto3d"};
        for (const char* nome : elementos)
            if (e->ValueStr() == nome)
                f.elemento = nome;
        for (const TiXmlElement* c = e->FirstChildElement(); c != nullptr; c = c->NextSiblingElement()) {
            if (c->ValueStr() == "coordenada") {
                ++f.coordenadas;
                for (const TiXmlAttribute* a = c->FirstAttribute(); a != nullptr && numeros.size() < 4096; a = a->Next())
                    numeros.push_back(a->ValueStr());
            } else {
                f.arestas.emplace_back(std::stoi(c->Attribute("origem")), std::stoi(c->Attribute("destino")));
            }
        }
        formas.push_back(std::move(f));
    }
    modelo.reset();
    const Window w = camera();

    for (auto _ : state) {
        auto doc = std::make_unique<TiXmlDocument>();
        doc->LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
        auto* raiz = new TiXmlElement("formas");
        doc->LinkEndChild(raiz);
        auto* window = new TiXmlElement("window");
        w.persist(window);
        raiz->LinkEndChild(window);
        std::size_t k = 0;
        for (const Forma& f : formas) {
            auto* e = new TiXmlElement(f.elemento);
            raiz->LinkEndChild(e);
            e->SetAttribute("nome", f.nome.c_str());
            e->SetAttribute("cor", f.cor.c_str());
            if (f.preenchido != nullptr)
                e->SetAttribute("preenchido", f.preenchido);
            for (std::size_t i = 0; i < f.coordenadas; ++i) {
                auto* c = new TiXmlElement("coordenada");
                for (const char* eixo : {"x", "y", "z"})
                    c->SetAttribute(eixo, numeros[k++ % numeros.size()].c_str());
                e->LinkEndChild(c);
            }
            for (const auto& [origem, destino] : f.arestas) {
                auto* a = new TiXmlElement("aresta");
                a->SetAttribute("origem", origem);
                a->SetAttribute("destino", destino);
                e->LinkEndChild(a);
            }
        }
        benchmark::DoNotOptimize(doc.get());
        destruirSemMedir(state, doc);
    }
}

// Only the reading of an already parsed document: what restore itself costs.
void soRestaurar(benchmark::State& state)
{
    TiXmlDocument doc;
    doc.Parse(texto().c_str());
    TiXmlNode* formas = doc.FirstChild("formas");
    Window w = camera();
    DisplayFile df;
    for (auto _ : state) {
        w.restore(formas->FirstChild("window"));
        df.restore(formas);
    }
}

// Remembers the time of each benchmark (the median when repeated) to check the targets at the end.
class Relator : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred)
                continue;
            const std::string nome = r.run_name.function_name;
            if (r.run_type == Run::RT_Iteration && _mediana.count(nome) == 0) {
                _tempo[nome] = r.GetAdjustedCPUTime();
                _real[nome] = r.GetAdjustedRealTime();
            } else if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                _tempo[nome] = r.GetAdjustedCPUTime();
                _real[nome] = r.GetAdjustedRealTime();
                _mediana[nome] = true;
            }
        }
    }

    // Prints both ratios, and what TinyXML's own node creation leaves room for; false when a target
    // is missed or could not be measured.
    bool conferir() const
    {
        bool ok = true;
        const std::pair<const char*, const char*> metas[] = {
            {"Xml/Ler", "Xml/TinyXmlAnalisar"}, {"Xml/Escrever", "Xml/TinyXmlImprimir"}};
        for (const auto& [nosso, base] : metas) {
            if (!medido(nosso) || !medido(base)) {
                std::printf("%s / %s: não medido\n", nosso, base);
                ok = false;
                continue;
            }
            const double razao = tempo(nosso) / tempo(base);
            ok = ok && razao <= 1.5;
            std::printf("%s / %s = %.1f / %.1f ms de CPU = %.2f (meta <= 1.50): %s; em tempo real %.2f\n", nosso, base,
                tempo(nosso), tempo(base), razao, razao <= 1.5 ? "cumprida" : "NÃO cumprida",
                _real.at(nosso) / _real.at(base));
        }
        if (medido("Xml/TinyXmlSoMontar") && medido("Xml/TinyXmlImprimir")) {
            const double piso = tempo("Xml/TinyXmlSoMontar");
            std::printf("piso da escrita pela API do TinyXML: (TinyXmlSoMontar + TinyXmlImprimir) / TinyXmlImprimir "
                        "= %.2f\n",
                (piso + tempo("Xml/TinyXmlImprimir")) / tempo("Xml/TinyXmlImprimir"));
            if (medido("Xml/SoMontar"))
                std::printf("SoMontar / TinyXmlSoMontar = %.2f\n", tempo("Xml/SoMontar") / piso);
        }
        if (medido("Xml/SoRestaurar") && medido("Xml/TinyXmlAnalisar"))
            std::printf("SoRestaurar / TinyXmlAnalisar = %.2f\n", tempo("Xml/SoRestaurar") / tempo("Xml/TinyXmlAnalisar"));
        return ok;
    }

private:
    bool medido(const std::string& nome) const { return _tempo.count(nome) != 0; }
    double tempo(const std::string& nome) const { return _tempo.at(nome); }

    // CPU time decides: on a machine shared with other work, real time mostly measures the others.
    std::map<std::string, double> _tempo;
    std::map<std::string, double> _real;
    std::map<std::string, bool> _mediana;
};

} // namespace

BENCHMARK(tinyXmlAnalisar)->Name("Xml/TinyXmlAnalisar")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ler)->Name("Xml/Ler")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(soRestaurar)->Name("Xml/SoRestaurar")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tinyXmlImprimir)->Name("Xml/TinyXmlImprimir")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(escrever)->Name("Xml/Escrever")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(montarDocumento)->Name("Xml/SoMontar")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(tinyXmlSoMontar)->Name("Xml/TinyXmlSoMontar")->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    // As in the application, where Qt puts the user's locale in force.
    std::setlocale(LC_ALL, "");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("cena: %d objetos, %zu bytes de XML\n", quantidadeDeObjetos, texto().size());
    Relator relator;
    benchmark::RunSpecifiedBenchmarks(&relator);
    const bool ok = relator.conferir();
    benchmark::Shutdown();
    return ok ? 0 : 1;
}

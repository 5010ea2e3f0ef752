#ifndef RELATORDETEMPOS_H
#define RELATORDETEMPOS_H

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

// The usual console output; remembers each benchmark's real and CPU time per iteration, so that a
// program can print the ratios its goals are stated in.
class RelatorDeTempos : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const std::string nome = r.run_name.function_name;
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
                _medianas[nome] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
            else if (r.run_type == Run::RT_Iteration)
                _unicas[nome] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
            // A counter's largest value over the runs, or over their medians when only the aggregates
            // are reported.
            if (r.run_type == Run::RT_Iteration || (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median"))
                for (const auto& [contador, valor] : r.counters)
                    _contadores[nome + "/" + contador] = std::max(_contadores[nome + "/" + contador], valor.value);
        }
    }

    // The largest value the counter took in the benchmark's runs; 0 for one that did not run.
    double contador(const std::string& nome, const std::string& contador) const
    {
        const auto c = _contadores.find(nome + "/" + contador);
        return c != _contadores.end() ? c->second : 0.0;
    }

    // The median when there were repetitions, else the one run's; 0 for a benchmark that did not run.
    double tempo(const std::string& nome) const { return tempos(nome).first; }
    // The same for the time the benchmark's thread spent on a processor.
    double tempoDeCpu(const std::string& nome) const { return tempos(nome).second; }

private:
    // Real and CPU time.
    std::pair<double, double> tempos(const std::string& nome) const
    {
        const auto m = _medianas.find(nome);
        if (m != _medianas.end())
            return m->second;
        const auto u = _unicas.find(nome);
        return u != _unicas.end() ? u->second : std::pair<double, double>{};
    }

    std::map<std::string, std::pair<double, double>> _medianas;
    std::map<std::string, std::pair<double, double>> _unicas;
    std::map<std::string, double> _contadores;
};

#endif

#ifndef PARALELO_H
#define PARALELO_H

#include <atomic>
#include <cstddef>
#include <functional>

// The items 0 … total − 1 of a job, handed out in numbered blocks of consecutive items from a shared
// counter.
class Blocos {
public:
    // Items per block unless a job says otherwise.
    static constexpr std::size_t tamanho = 64;

    explicit Blocos(std::size_t total, std::size_t itensPorBloco = tamanho)
        : _total(total), _itensPorBloco(itensPorBloco)
    {
    }

    // The next block not yet taken: its number and its items [inicio, fim). False when none is left
    // or the job was stopped.
    bool proximo(std::size_t& bloco, std::size_t& inicio, std::size_t& fim) noexcept;
    // No block is handed out any more: a thread failed, and the job's result is lost anyway.
    void parar() noexcept { _parada.store(true, std::memory_order_relaxed); }
    bool parada() const noexcept { return _parada.load(std::memory_order_relaxed); }

private:
    std::atomic<std::size_t> _proximo{0};
    std::atomic<bool> _parada{false};
    std::size_t _total;
    std::size_t _itensPorBloco;
};

// How a job is cut: blocks of itensPorBloco items, and a thread only for every itensPorThread items
// (a thread is worth starting only for a job large enough to pay for it).
struct Divisao {
    std::size_t itensPorBloco = Blocos::tamanho;
    std::size_t itensPorThread = 1000;
};

// The processor's cores (at least 1); 1 when built with VELK_SEM_THREADS, as the fuzz targets are.
std::size_t nucleos();

// How many threads repartir runs for a job of total items: one per core, while each has at least
// itensPorThread items.
std::size_t trabalhadoresPara(std::size_t total, std::size_t itensPorThread = Divisao().itensPorThread);

// Runs trabalhar(i, blocos) once on each of trabalhadoresPara(total, divisao.itensPorThread) threads,
// this one being number 0, and returns when all are done; each takes blocks until none is left, so
// each item is done by one thread only and the result is the same however the blocks fall. With no
// thread to be had this one does all the work. An exception thrown on any thread stops the job
// (Blocos::parar) and is rethrown here once every thread has stopped.
void repartir(std::size_t total, const std::function<void(std::size_t trabalhador, Blocos& blocos)>& trabalhar,
              const Divisao& divisao = {});

// Runs fazer(trabalhador, inicio, fim) for each block [inicio, fim) of a job of total items, as
// repartir shares them out; a job too small for a second thread runs here at once, spared the cost
// of sharing (an object of a few vertices is projected thousands of times per paint).
template <typename F>
void repartirEmBlocos(std::size_t total, const Divisao& divisao, F&& fazer)
{
    if (total < divisao.itensPorThread) {
        fazer(std::size_t{0}, std::size_t{0}, total);
        return;
    }
    repartir(total, [&fazer](std::size_t trabalhador, Blocos& blocos) {
        std::size_t bloco, inicio, fim;
        while (blocos.proximo(bloco, inicio, fim))
            fazer(trabalhador, inicio, fim);
    }, divisao);
}

#endif

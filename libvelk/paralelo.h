#ifndef PARALELO_H
#define PARALELO_H

#include <atomic>
#include <cstddef>
#include <functional>

// The items 0 … total − 1 of a job, handed out in numbered blocks of consecutive items from a shared
// counter.
class Blocos {
public:
    static constexpr std::size_t tamanho = 64;

    explicit Blocos(std::size_t total) : _total(total) {}

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
};

// How many threads repartir runs for a job of total items: one per core, while each has at least
// 1000 items (a thread is worth starting only for a job large enough to pay for it).
std::size_t trabalhadoresPara(std::size_t total);

// Runs trabalhar(i, blocos) once on each of trabalhadoresPara(total) threads, this one being
// number 0, and returns when all are done; each takes blocks until none is left, so each item is
// done by one thread only and the result is the same however the blocks fall. With no thread to be
// had this one does all the work. An exception thrown on any thread stops the job (Blocos::parar) and
// is rethrown here once every thread has stopped.
void repartir(std::size_t total, const std::function<void(std::size_t trabalhador, Blocos& blocos)>& trabalhar);

#endif

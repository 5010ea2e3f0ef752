#include "paralelo.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

bool Blocos::proximo(std::size_t& bloco, std::size_t& inicio, std::size_t& fim) noexcept
{
    if (parada())
        return false;
    bloco = _proximo.fetch_add(1);
    inicio = bloco * _itensPorBloco;
    if (inicio >= _total)
        return false;
    fim = std::min(inicio + _itensPorBloco, _total);
    return true;
}

std::size_t nucleos()
{
#ifdef VELK_SEM_THREADS
    return 1;
#else
    // Asked once: the C library reads it from the system's files.
    static const std::size_t quantos = std::max(1U, std::thread::hardware_concurrency());
    return quantos;
#endif
}

std::size_t trabalhadoresPara(std::size_t total, std::size_t itensPorThread)
{
    return std::min(nucleos(), total / itensPorThread + 1);
}

void repartir(std::size_t total, const std::function<void(std::size_t trabalhador, Blocos& blocos)>& trabalhar,
              const Divisao& divisao)
{
    Blocos blocos(total, divisao.itensPorBloco);
    const std::size_t ajudantes = trabalhadoresPara(total, divisao.itensPorThread) - 1;
    std::vector<std::thread> threads;
    // Room first: a vector that failed to grow while threads run would drop them joinable, and that
    // ends the program.
    threads.reserve(ajudantes);
    std::vector<std::exception_ptr> erros(ajudantes);
    for (std::size_t t = 0; t < ajudantes; ++t) {
        try {
            threads.emplace_back([&trabalhar, &blocos, &erro = erros[t], t]() {
                try {
                    trabalhar(t + 1, blocos);
                } catch (...) {
                    erro = std::current_exception();
                    blocos.parar();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: the others do the work.
            break;
        }
    }
    std::exception_ptr erroAqui;
    try {
        trabalhar(0, blocos);
    } catch (...) {
        erroAqui = std::current_exception();
        blocos.parar();
    }
    for (std::thread& t : threads)
        t.join();
    for (const std::exception_ptr& e : erros)
        if (e)
            erroAqui = e;
    if (erroAqui)
        std::rethrow_exception(erroAqui);
}

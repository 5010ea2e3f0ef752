// Preloaded (LD_PRELOAD) into a test process to make a disk fail on request: for files whose path
// starts with $VELK_FALHA_CAMINHO, the call named by $VELK_FALHA_EM (write, fdatasync, fsync or
// close) fails with errno $VELK_FALHA_ERRNO; fsync of the directory itself too, as a disk that fails
// to record a rename. write first takes one byte, as a disk that fills up does; close
// still releases the descriptor, as Linux does when it reports an error.

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

template <typename F>
F original(const char* nome)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, nome));
}

bool falhar(const char* funcao, int fd)
{
    const char* em = std::getenv("VELK_FALHA_EM");
    const char* prefixo = std::getenv("VELK_FALHA_CAMINHO");
    if (em == nullptr || prefixo == nullptr || std::strcmp(em, funcao) != 0)
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char caminho[4096];
    const ssize_t n = readlink(link, caminho, sizeof caminho - 1);
    if (n <= 0)
        return false;
    caminho[n] = '\0';
    return std::strncmp(caminho, prefixo, std::strlen(prefixo)) == 0;
}

int erro()
{
    const char* e = std::getenv("VELK_FALHA_ERRNO");
    return e != nullptr ? std::atoi(e) : EIO;
}

} // namespace

extern "C" ssize_t write(int fd, const void* dados, size_t n)
{
    static const auto escrever = original<ssize_t (*)(int, const void*, size_t)>("write");
    static bool curta = false;
    if (falhar("write", fd)) {
        if (!curta && n > 1) {
            curta = true;
            return escrever(fd, dados, 1);
        }
        errno = erro();
        return -1;
    }
    return escrever(fd, dados, n);
}

extern "C" int fdatasync(int fd)
{
    static const auto sincronizar = original<int (*)(int)>("fdatasync");
    if (falhar("fdatasync", fd)) {
        errno = erro();
        return -1;
    }
    return sincronizar(fd);
}

extern "C" int fsync(int fd)
{
    static const auto sincronizar = original<int (*)(int)>("fsync");
    if (falhar("fsync", fd)) {
        errno = erro();
        return -1;
    }
    return sincronizar(fd);
}

extern "C" int close(int fd)
{
    static const auto fechar = original<int (*)(int)>("close");
    if (falhar("close", fd)) {
        fechar(fd);
        errno = erro();
        return -1;
    }
    return fechar(fd);
}

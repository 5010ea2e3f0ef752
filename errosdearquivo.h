#ifndef ERROSDEARQUIVO_H
#define ERROSDEARQUIVO_H

#include <string>

#include <QByteArray>
#include <QString>

// What went wrong with a file, in the words every command that reads or writes one shows the user
// (scene files, models, pictures): Portuguese whatever the system's language, with the file's name.
namespace ErrosDeArquivo {

// What the error number erro (an errno) means: "permissão negada". Never the system's own text,
// which follows the system's language.
std::string motivo(int erro);

// The path as messages quote it: control characters escaped, never cut.
std::string nome(const QString& caminho);

// "O arquivo '<nome>' <frase>."
std::string doArquivo(const QString& caminho, const std::string& frase);

// Why a file was not read, as the words after "O arquivo '<nome>'": "não existe", "está vazio",
// "não pôde ser lido: permissão negada".
struct FalhaDeLeitura {
    std::string frase;
};

// "tem mais de N MiB, mais do que o programa lê", for a limit of N MiB.
std::string grandeDemais(long long limite);

// The whole of the regular file at caminho, of at most limite bytes. Anything else (a folder, a
// FIFO that would block, a device that never ends) is refused before it is opened. Throws
// FalhaDeLeitura.
QByteArray lerTudo(const QString& caminho, long long limite);

// Why a file at caminho could not be created or replaced, given the errno of the failure: the
// folder is checked first, since a failed temporary file next to the target says little.
std::string motivoAoCriar(const QString& caminho, int erro);

// The message for a file that TinyXML refused as XML: the file's name, the line and column (from
// 1; none when linha is 0), and what is wrong, from TinyXML's error id. elementoAberto: the element
// whose end tag was missing there, when known.
std::string xmlMalFormado(const QString& caminho, int erroDoTinyXml, int linha, int coluna,
                          const std::string& elementoAberto);

} // namespace ErrosDeArquivo

#endif

#ifndef IMPORTACAO_H
#define IMPORTACAO_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "progresso.h"

class Objeto;
class QByteArray;
class QString;

// Models made by other programs, read as wireframes: every distinct edge of the faces and lines
// once, between the file's vertices with their coordinates as written. A file with no faces and no
// lines gives one point per vertex instead. Faults are thrown as std::string, in words for the user;
// nothing is returned then.
namespace Importacao {

// Reads a Wavefront OBJ (.obj) or OFF (.off) file, by the suffix of caminho. progresso, when given,
// hears how far the reading is (Cancelado stops it).
std::vector<std::unique_ptr<Objeto>> lerModelo(const QString& caminho, const Progresso& progresso = {});
// The same for a file's contents already in memory: caminho gives the format and the name.
std::vector<std::unique_ptr<Objeto>> lerModelo(const QString& caminho, const QByteArray& conteudo,
                                               const Progresso& progresso = {});

// The contents of an OBJ file: one 3-D object per object or group it names, named after it, and
// otherwise one for the whole file, named nome.
std::vector<std::unique_ptr<Objeto>> lerObj(std::string_view texto, const std::string& nome,
                                            const Progresso& progresso = {});

// The contents of an OFF file (OFF, COFF, NOFF or CNOFF, as text), read strictly: one 3-D object
// named nome.
std::vector<std::unique_ptr<Objeto>> lerOff(std::string_view texto, const std::string& nome,
                                            const Progresso& progresso = {});

} // namespace Importacao

#endif

#ifndef FUZZ_XML_H
#define FUZZ_XML_H

#include <string_view>

namespace Prova {

// Whether texto is valid UTF-8 (no overlong forms, surrogates or code points past U+10FFFF) made
// only of characters that XML 1.0 can carry.
bool textoXml(std::string_view texto);

} // namespace Prova

#endif

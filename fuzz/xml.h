#ifndef FUZZ_XML_H
#define FUZZ_XML_H

#include <string_view>

namespace Prova {

// Whether texto is valid UTF-8 (no overlong forms, surrogates or code points past U+10FFFF) made
// only of characters that XML 1.0 can carry.
bool textoXml(std::string_view texto);

// Whether a file any XML 1.0 reader takes could hold texto as far as characters go: textoXml, and
// every character reference (&#N; or &#xN;) names a character XML can carry.
bool arquivoXml(std::string_view texto);

} // namespace Prova

#endif

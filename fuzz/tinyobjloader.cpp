// tinyobjloader built here from its own header, as the double build that the program links, so that
// the fuzzer sees its branches and the sanitizers its memory; the shared library would hide both.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

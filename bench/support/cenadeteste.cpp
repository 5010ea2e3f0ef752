#include "cenadeteste.h"

DisplayFile criarCenaDeTeste()
{
    return DisplayFile();
}

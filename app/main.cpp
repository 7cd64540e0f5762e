#include "navigation.h"

#include <cstdio>

int main()
{
    std::puts("quelvara: the presentation logic is built; its window is not part of this build yet.");
    return 0;
}

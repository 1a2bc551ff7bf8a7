#include <cstdio>

int main()
{
    std::puts("LinkBench: the window comes with the next step.");
    return 0;
}

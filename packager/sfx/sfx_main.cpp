#include <cstdio>

int main()
{
    std::fputs("self-extractor not built yet\n", stderr);
    return 1;
}

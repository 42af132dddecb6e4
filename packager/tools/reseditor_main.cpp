#include <cstdio>

int main()
{
    std::fputs("resource editor not built yet\n", stderr);
    return 1;
}

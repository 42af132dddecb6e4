#include "extractor.h"

int main(int argc, char **argv)
{
    return sfx::runProduct(argc, argv);
}

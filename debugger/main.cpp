#include "startup.h"
#include "mainwindow.h"

int main(int argc, char *argv[])
{
    return qMain<MainWindow>(argc, argv, programIdentity());
}

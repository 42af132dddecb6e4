#include "inspectcommand.h"
#include "mainwindow.h"
#include "packcommand.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    if (argc > 1 && isInspectCommand(argv[1]))
        return runInspectCommand(argc, argv);
    if (argc > 1 && isPackCommand(argv[1]))
        return runPackCommand(argc, argv);
    return qMain<MainWindow>(argc, argv, programIdentity());
}

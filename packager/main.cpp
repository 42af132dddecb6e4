#include "examinecommand.h"
#include "mainwindow.h"
#include "packcommand.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    if (argc > 1 && isExamineCommand(argv[1]))
        return runExamineCommand(argc, argv);
    if (argc > 1 && isPackCommand(argv[1]))
        return runPackCommand(argc, argv);
    return qMain<MainWindow>(argc, argv, programIdentity());
}

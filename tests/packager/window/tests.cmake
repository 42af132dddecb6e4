# The window tests build real windows and answer real dialogs; each executable
# finishes within seconds.
set_tests_properties(packager_mainwindow packager_aboutdialog PROPERTIES TIMEOUT 60)

# The window tests build real windows and answer real dialogs; each executable
# finishes within seconds.
set_tests_properties(packager_mainwindow packager_aboutdialog packager_windowsettings PROPERTIES TIMEOUT 60)

# Runs from the window: the real archiver, self-extractor and main program.
add_dependencies(packager_windowrun packager_test_app)
target_compile_definitions(packager_windowrun PRIVATE
    TEST_APP_PATH="$<TARGET_FILE:packager_test_app>"
    REAL_ARCHIVER="${PACKAGER_ARCHIVER}")
set_tests_properties(packager_windowrun PROPERTIES TIMEOUT 120)

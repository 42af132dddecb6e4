# The recording test answers file dialogs with the packager's modal driver.
target_include_directories(debugger_recording PRIVATE ${PROJECT_SOURCE_DIR}/tests/packager/window)
set_tests_properties(debugger_recording PROPERTIES TIMEOUT 90)

# The form test builds Wrenpost's generated form class on a bare window too;
# the class comes from the library's own uic run.
set_target_properties(debugger_form PROPERTIES AUTOUIC OFF)
target_include_directories(debugger_form PRIVATE ${PROJECT_BINARY_DIR}/debugger/wrenpost_lib_autogen/include)
set_tests_properties(debugger_form debugger_frame PROPERTIES TIMEOUT 60)

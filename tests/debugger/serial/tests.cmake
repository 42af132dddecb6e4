# The serial tests drive pseudo-terminals and finish in seconds.
set_tests_properties(debugger_serialservice PROPERTIES TIMEOUT 60)
set_tests_properties(debugger_serialpage PROPERTIES TIMEOUT 60)
set_tests_properties(debugger_serialdisplay debugger_serialfiles debugger_serialdevice PROPERTIES TIMEOUT 60)

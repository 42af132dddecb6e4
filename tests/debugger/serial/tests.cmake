# The serial tests drive pseudo-terminals and finish in seconds.
set_tests_properties(debugger_serialservice PROPERTIES TIMEOUT 60)
set_tests_properties(debugger_serialpage PROPERTIES TIMEOUT 60)
set_tests_properties(debugger_serialdisplay debugger_serialfiles debugger_serialdevice PROPERTIES TIMEOUT 60)

# The serial benchmark: a pseudo-terminal streaming into the serial page of a
# real window; built with the project, run by hand, not a test.
file(GLOB WRENPOST_SERIAL_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/serial/*.cpp)
add_executable(wrenpost_serial_bench ${WRENPOST_SERIAL_BENCH_SOURCES})
target_include_directories(wrenpost_serial_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(wrenpost_serial_bench PRIVATE wrenpost_lib project_warnings project_sanitizers)

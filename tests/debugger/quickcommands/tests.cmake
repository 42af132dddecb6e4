set_tests_properties(debugger_quickcommands PROPERTIES TIMEOUT 60)

# The long-list benchmark: a real window with a thousand quick commands;
# built with the project, run by hand, not a test.
file(GLOB WRENPOST_QUICK_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/quickcommands/*.cpp)
add_executable(wrenpost_quick_bench ${WRENPOST_QUICK_BENCH_SOURCES})
target_link_libraries(wrenpost_quick_bench PRIVATE wrenpost_lib project_warnings project_sanitizers)
# The serial case opens a pseudo-terminal with the serial tests' peer.
target_include_directories(debugger_quickserial PRIVATE ${PROJECT_SOURCE_DIR}/tests/debugger/serial)
set_tests_properties(debugger_quickserial PROPERTIES TIMEOUT 60)

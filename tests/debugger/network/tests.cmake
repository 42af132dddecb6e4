# Network tests: every executable here finishes within seconds, except the
# namespace test, whose connection attempt runs into the 30 s time-out.
set_tests_properties(debugger_tcpclient debugger_tcpserver debugger_udpservice debugger_sendextras PROPERTIES TIMEOUT 60)
if(TEST debugger_networkwindow)
    set_tests_properties(debugger_networkwindow PROPERTIES TIMEOUT 90)
endif()
if(TEST debugger_socatpeer)
    set_tests_properties(debugger_socatpeer PROPERTIES TIMEOUT 60)
endif()
if(TEST debugger_netns)
    set_tests_properties(debugger_netns PROPERTIES TIMEOUT 120)
endif()

# The throughput benchmark: built with the project, run by hand, not a test.
file(GLOB WRENPOST_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/network/*.cpp)
add_executable(wrenpost_bench ${WRENPOST_BENCH_SOURCES})
target_link_libraries(wrenpost_bench PRIVATE wrenpost_lib project_warnings project_sanitizers)

# The form test builds Wrenpost's generated form class on a bare window too;
# the class comes from the library's own uic run.
set_target_properties(debugger_form PROPERTIES AUTOUIC OFF)
target_include_directories(debugger_form PRIVATE ${PROJECT_BINARY_DIR}/debugger/wrenpost_lib_autogen/include)
set_tests_properties(debugger_form debugger_frame PROPERTIES TIMEOUT 60)

# The settings and language tests answer dialogs with the packager's modal
# driver and open pseudo-terminals with the serial tests' peer.
foreach(test debugger_settings debugger_language debugger_messagefiles)
    if(TARGET ${test})
        target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/tests/packager/window
            ${PROJECT_SOURCE_DIR}/tests/debugger/serial)
        set_tests_properties(${test} PROPERTIES TIMEOUT 90)
    endif()
endforeach()

# Pictures of both pages in each language; built with the project, run by hand.
add_executable(wrenpost_screenshots ${CMAKE_CURRENT_LIST_DIR}/screenshots.cpp)
target_link_libraries(wrenpost_screenshots PRIVATE wrenpost_lib Qt6::Test project_warnings project_sanitizers)

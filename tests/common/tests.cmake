# The style-sheet loader reads ":/qss/default.css" from whatever bundle the
# program carries, so each case is its own executable with its own bundle.
set(STYLESHEET_CASES valid empty missing)
foreach(case ${STYLESHEET_CASES})
    project_add_test(common_stylesheet_${case}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/stylesheet/stylesheet_test.cpp
        LIBS common TIMEOUT 30)
    target_compile_definitions(common_stylesheet_${case} PRIVATE SHEET_CASE="${case}")
    file(GLOB_RECURSE bundle
        ${CMAKE_CURRENT_LIST_DIR}/stylesheet/${case}/*)
    qt_add_resources(common_stylesheet_${case} "sheet_${case}" PREFIX "/"
        BASE ${CMAKE_CURRENT_LIST_DIR}/stylesheet/${case}
        FILES ${bundle})
endforeach()

# Start-up with a sheet that cannot be loaded, and with one that can.
foreach(case valid missing)
    project_add_test(common_startup_${case}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup/startup_test.cpp
        LIBS common TIMEOUT 30)
    target_compile_definitions(common_startup_${case} PRIVATE SHEET_CASE="${case}")
    file(GLOB_RECURSE bundle
        ${CMAKE_CURRENT_LIST_DIR}/stylesheet/${case}/*)
    qt_add_resources(common_startup_${case} "startup_sheet_${case}" PREFIX "/"
        BASE ${CMAKE_CURRENT_LIST_DIR}/stylesheet/${case}
        FILES ${bundle})
endforeach()

# Each program's bundled style sheets against those the build put together.
foreach(program wrenpost crateforge)
    project_add_test(common_sheets_${program}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/sheets/sheets_test.cpp
        LIBS ${program}_lib TIMEOUT 30)
    target_compile_definitions(common_sheets_${program} PRIVATE
        SHEETS_DIR="$<TARGET_PROPERTY:${program}_lib,BINARY_DIR>/stylesheets/qss")
endforeach()

# The real programs on the command line, with no display.
add_dependencies(common_commandline wrenpost crateforge)
target_compile_definitions(common_commandline PRIVATE
    WRENPOST_EXE="$<TARGET_FILE:wrenpost>" CRATEFORGE_EXE="$<TARGET_FILE:crateforge>"
    WRENPOST_VERSION_TEXT="${WRENPOST_VERSION}" CRATEFORGE_VERSION_TEXT="${CRATEFORGE_VERSION}")

# Each program's style sheets show the focus of every kind of control.
foreach(program wrenpost crateforge)
    project_add_test(common_focus_${program}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/sheets/focus_test.cpp
        LIBS ${program}_lib TIMEOUT 60)
endforeach()
# The accented button of each, whose own rules must show the focus too.
target_compile_definitions(common_focus_wrenpost PRIVATE ACCENT_BUTTON="Send")
target_compile_definitions(common_focus_crateforge PRIVATE ACCENT_BUTTON="startButton")

# The main program of the packaging tests (see test_app.cpp for its command line).
add_executable(packager_test_app ${CMAKE_CURRENT_LIST_DIR}/test_app.cpp)
target_link_libraries(packager_test_app PRIVATE project_warnings)
set_target_properties(packager_test_app PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

# A tiny driver: runs the worker once on the command line's eight arguments.
add_executable(packager_drive ${CMAKE_CURRENT_LIST_DIR}/drive_worker.cpp)
target_link_libraries(packager_drive PRIVATE crateforge_lib project_warnings project_sanitizers)

target_compile_definitions(packager_packagingsteps PRIVATE
    ENGINE_FIXTURES="${CMAKE_CURRENT_LIST_DIR}/fixtures")
set_tests_properties(packager_packagingsteps packager_toolfolder PROPERTIES TIMEOUT 60)

if(TARGET packager_workerrun)
add_dependencies(packager_workerrun packager_test_app)
target_compile_definitions(packager_workerrun PRIVATE
    TEST_APP_PATH="$<TARGET_FILE:packager_test_app>"
    SFX_MODULE_PATH="$<TARGET_FILE:crateforge_sfx>"
    REAL_ARCHIVER="${PACKAGER_ARCHIVER}")
# Real archiver runs, a 50 MB folder and the hung-archiver case (a few seconds each).
set_tests_properties(packager_workerrun PROPERTIES TIMEOUT 240)
endif()

# The packaging benchmark: built with the project, run by hand, not a test
# (scripts/bench-packager runs it).
file(GLOB CRATEFORGE_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/packager/*.cpp)
add_executable(crateforge_bench ${CRATEFORGE_BENCH_SOURCES})
target_link_libraries(crateforge_bench PRIVATE crateforge_lib project_warnings project_sanitizers)
add_dependencies(crateforge_bench packager_test_app)
target_compile_definitions(crateforge_bench PRIVATE
    BENCH_TEST_APP="$<TARGET_FILE:packager_test_app>"
    BENCH_ARCHIVER="${PACKAGER_ARCHIVER}")

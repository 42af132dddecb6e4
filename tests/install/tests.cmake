# The installation and the Debian package, checked with the real tools from
# outside: cmake --install, cpack, desktop-file-validate, appstreamcli and dpkg.
# They read the finished build, so they depend on the installed targets.
add_library(install_check STATIC ${CMAKE_CURRENT_LIST_DIR}/installcheck.h ${CMAKE_CURRENT_LIST_DIR}/installcheck.cpp)
target_include_directories(install_check PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(install_check PUBLIC Qt6::Core project_sanitizers PRIVATE project_warnings)
set(INSTALLED_TARGETS wrenpost crateforge example.quillonlabs.wrenpost_icons example.quillonlabs.crateforge_icons
    package_documents)

project_add_test(install_tree SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_installtree.cpp
    LIBS install_check TIMEOUT 120)
target_compile_definitions(install_tree PRIVATE
    BUILD_DIR="${CMAKE_BINARY_DIR}" CMAKE_COMMAND="${CMAKE_COMMAND}")
add_dependencies(install_tree ${INSTALLED_TARGETS})

# The sanitizer build's executables link the sanitizer runtime, which would
# show up among the computed dependencies of a package made from them.
if(NOT PROJECT_SANITIZE)
    project_add_test(install_package SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_package.cpp
        LIBS install_check TIMEOUT 480)
    target_compile_definitions(install_package PRIVATE
        BUILD_DIR="${CMAKE_BINARY_DIR}" CPACK_COMMAND="${CMAKE_CPACK_COMMAND}"
        PACKAGE_VERSION="${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
    add_dependencies(install_package ${INSTALLED_TARGETS})
endif()

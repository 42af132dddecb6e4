# Icon extraction and our resource editor. The test icons are generated at
# build time and, where the mingw-w64 binutils are installed, linked into
# minimal 32- and 64-bit PE files through windres.
set(ICONS_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ICONS_FIXTURE_DIR ${CMAKE_CURRENT_BINARY_DIR}/packager_icons_fixtures)
file(MAKE_DIRECTORY ${ICONS_FIXTURE_DIR})

add_executable(icons_fixturegen ${ICONS_TEST_DIR}/fixtures/make_icon_fixtures.cpp)
target_include_directories(icons_fixturegen PRIVATE ${ICONS_TEST_DIR})
target_link_libraries(icons_fixturegen PRIVATE Qt6::Gui project_warnings)

set(ICONS_ICO_NAMES multi second bmp24 bmp8 bmp4 mono png16 png256 png256x128 nosmall)
set(ICONS_ICO_FILES)
foreach(name ${ICONS_ICO_NAMES})
    list(APPEND ICONS_ICO_FILES ${ICONS_FIXTURE_DIR}/${name}.ico)
endforeach()
add_custom_command(OUTPUT ${ICONS_ICO_FILES}
    COMMAND icons_fixturegen ${ICONS_FIXTURE_DIR}
    DEPENDS icons_fixturegen VERBATIM)

# A program for the products to run: prints a marker, its arguments and its
# working folder, and exits with a code of its own.
add_executable(icons_probe_app ${ICONS_TEST_DIR}/fixtures/probe_app.cpp)
target_link_libraries(icons_probe_app PRIVATE project_warnings)
set_target_properties(icons_probe_app PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

set(ICONS_PE_FILES)
find_program(ICONS_CPP cpp)
set(ICONS_HAVE_PE 1)
foreach(arch x86_64 i686)
    find_program(ICONS_WINDRES_${arch} ${arch}-w64-mingw32-windres)
    find_program(ICONS_AS_${arch} ${arch}-w64-mingw32-as)
    find_program(ICONS_LD_${arch} ${arch}-w64-mingw32-ld)
    if(NOT ICONS_WINDRES_${arch} OR NOT ICONS_AS_${arch} OR NOT ICONS_LD_${arch} OR NOT ICONS_CPP)
        set(ICONS_HAVE_PE 0)
    endif()
endforeach()

if(ICONS_HAVE_PE)
    # Named groups sort before numbered ones in the resource directory, so
    # "named" starts with the ZZZ group.
    set(ICONS_RC_multi "1 ICON \"multi.ico\"\n2 ICON \"second.ico\"\n")
    set(ICONS_RC_named "1 ICON \"second.ico\"\nZZZ ICON \"png16.ico\"\n")
    set(ICONS_RC_strings "STRINGTABLE\nBEGIN\n 1 \"no icons here\"\nEND\n")
    set(ICONS_PE_NAMES multi named strings bmp24 bmp8 bmp4 mono png16 png256 png256x128 nosmall)
    foreach(name bmp24 bmp8 bmp4 mono png16 png256 png256x128 nosmall)
        set(ICONS_RC_${name} "1 ICON \"${name}.ico\"\n")
    endforeach()
    foreach(arch x86_64 i686)
        set(out ${ICONS_FIXTURE_DIR}/${arch})
        file(MAKE_DIRECTORY ${out})
        add_custom_command(OUTPUT ${out}/start.o
            COMMAND ${ICONS_AS_${arch}} ${ICONS_TEST_DIR}/fixtures/start.s -o ${out}/start.o
            DEPENDS ${ICONS_TEST_DIR}/fixtures/start.s VERBATIM)
        add_custom_command(OUTPUT ${out}/noresources.exe
            COMMAND ${ICONS_LD_${arch}} -s --subsystem windows -e _start -o ${out}/noresources.exe ${out}/start.o
            DEPENDS ${out}/start.o VERBATIM)
        list(APPEND ICONS_PE_FILES ${out}/noresources.exe)
        foreach(name ${ICONS_PE_NAMES})
            file(WRITE ${out}/${name}.rc.in "${ICONS_RC_${name}}")
            configure_file(${out}/${name}.rc.in ${out}/${name}.rc COPYONLY)
            add_custom_command(OUTPUT ${out}/${name}.exe
                COMMAND ${ICONS_WINDRES_${arch}} --preprocessor=${ICONS_CPP} -I ${ICONS_FIXTURE_DIR}
                        ${out}/${name}.rc -O coff -o ${out}/${name}.res.o
                COMMAND ${ICONS_LD_${arch}} -s --subsystem windows -e _start -o ${out}/${name}.exe
                        ${out}/start.o ${out}/${name}.res.o
                WORKING_DIRECTORY ${ICONS_FIXTURE_DIR}
                DEPENDS ${out}/start.o ${out}/${name}.rc ${ICONS_ICO_FILES} VERBATIM)
            list(APPEND ICONS_PE_FILES ${out}/${name}.exe)
        endforeach()
    endforeach()
endif()
add_custom_target(icons_fixtures DEPENDS ${ICONS_ICO_FILES} ${ICONS_PE_FILES})

set(ICONS_DEFINITIONS
    ICON_FIXTURE_DIR="${ICONS_FIXTURE_DIR}"
    ICON_HOSTILE_DIR="${ICONS_TEST_DIR}/hostile"
    ICON_HAVE_PE=${ICONS_HAVE_PE}
    ICON_SFX_MODULE="$<TARGET_FILE:crateforge_sfx>"
    ICON_EDITOR="$<TARGET_FILE:crateforge_reseditor>"
    ICON_PROBE_APP="$<TARGET_FILE:icons_probe_app>"
    ICON_ARCHIVER="${PACKAGER_ARCHIVER}")

foreach(test packager_iconextract packager_iconhostile packager_reseditor packager_iconreplace packager_iconrun)
    if(TARGET ${test})
        target_include_directories(${test} PRIVATE ${ICONS_TEST_DIR} ${PROJECT_SOURCE_DIR}/packager/tools)
        target_compile_definitions(${test} PRIVATE ${ICONS_DEFINITIONS})
        add_dependencies(${test} icons_fixtures icons_probe_app crateforge_reseditor crateforge_sfx)
    endif()
endforeach()

# The editor's code is compiled into the hostile-input test itself, so the
# sanitizer configuration instruments it there.
if(TARGET packager_iconhostile)
    target_sources(packager_iconhostile PRIVATE ${PROJECT_SOURCE_DIR}/packager/tools/reseditor.cpp)
    set_tests_properties(packager_iconhostile PROPERTIES TIMEOUT 120)
endif()
if(TARGET packager_iconextract)
    set_tests_properties(packager_iconextract PROPERTIES TIMEOUT 60)
endif()
if(TARGET packager_reseditor)
    set_tests_properties(packager_reseditor PROPERTIES TIMEOUT 90)
endif()
if(TARGET packager_iconreplace)
    set_tests_properties(packager_iconreplace PROPERTIES TIMEOUT 120)
endif()
if(TARGET packager_iconrun)
    set_tests_properties(packager_iconrun PROPERTIES TIMEOUT 240)
endif()

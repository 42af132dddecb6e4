# The real crateforge binary looking inside real products of the self-extractor.
if(TARGET packager_inspectcommands)
    add_dependencies(packager_inspectcommands crateforge crateforge_sfx)
    target_include_directories(packager_inspectcommands PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../sfx)
    target_compile_definitions(packager_inspectcommands PRIVATE
        CRATEFORGE_EXE="$<TARGET_FILE:crateforge>"
        SFX_MODULE="$<TARGET_FILE:crateforge_sfx>"
        SFX_CHECKED="$<TARGET_FILE:crateforge_sfx_checked>"
        SFX_ARCHIVER="${PACKAGER_ARCHIVER}")
endif()

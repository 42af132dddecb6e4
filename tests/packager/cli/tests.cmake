# The real crateforge binary packing folders and looking inside real products
# of the self-extractor.
foreach(cli_test packager_examinecommands packager_packcommand)
if(TARGET ${cli_test})
    add_dependencies(${cli_test} crateforge crateforge_sfx)
    target_include_directories(${cli_test} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../sfx)
    target_compile_definitions(${cli_test} PRIVATE
        CRATEFORGE_EXE="$<TARGET_FILE:crateforge>"
        SFX_MODULE="$<TARGET_FILE:crateforge_sfx>"
        SFX_CHECKED="$<TARGET_FILE:crateforge_sfx_checked>"
        SFX_ARCHIVER="${PACKAGER_ARCHIVER}")
endif()
endforeach()

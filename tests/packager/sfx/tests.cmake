# Real products of the self-extractor, run: the static module and the checked
# program (the same sources, under the sanitizers in that configuration), with
# archives made by the real archiver. The regression cases are products that
# once crashed, hung or were wrongly accepted.
foreach(test packager_sfxfailures packager_sfxregressions)
    if(TARGET ${test})
        add_dependencies(${test} crateforge_sfx crateforge_sfx_checked)
        target_link_libraries(${test} PRIVATE crateforge_sfx_core)
        target_include_directories(${test} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
        target_compile_definitions(${test} PRIVATE
            SFX_MODULE="$<TARGET_FILE:crateforge_sfx>"
            SFX_CHECKED="$<TARGET_FILE:crateforge_sfx_checked>"
            SFX_ARCHIVER="${PACKAGER_ARCHIVER}"
            SFX_REGRESSIONS="${CMAKE_CURRENT_LIST_DIR}/regressions")
    endif()
endforeach()
# About a hundred and fifty product runs of a few tens of milliseconds each,
# and a few that unpack 24 MiB.
if(TARGET packager_sfxfailures)
    set_tests_properties(packager_sfxfailures PROPERTIES TIMEOUT 240)
endif()
if(TARGET packager_sfxregressions)
    set_tests_properties(packager_sfxregressions PROPERTIES TIMEOUT 30)
endif()

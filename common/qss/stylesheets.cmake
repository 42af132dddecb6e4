# Both programs' style sheets are put together at build time from the parts in
# this folder (the rules they share) and each program's own parts.
#
#   add_style_sheet(<target> <name> THEME light|dark SETTINGS <file> PARTS <part>...)
#
# places ":/qss/<name>.css" in <target>'s resources. A part given by a bare name
# is one of the shared ones here (base -> base.css); any other is a path relative
# to the calling folder. The finished sheets go to <binary dir>/stylesheets/qss/.
function(add_style_sheet target name)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "" "THEME;SETTINGS" "PARTS")
    set(shared ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
    set(palette ${shared}/${ARG_THEME}.cmake)
    get_filename_component(settings ${ARG_SETTINGS} ABSOLUTE)
    set(parts)
    foreach(part IN LISTS ARG_PARTS)
        if(part MATCHES "/")
            get_filename_component(part ${part} ABSOLUTE)
        else()
            set(part ${shared}/${part}.css)
        endif()
        list(APPEND parts ${part})
    endforeach()

    set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/stylesheets)
    set(out ${out_dir}/qss/${name}.css)
    list(JOIN parts "," part_arg)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${out} "-DSETTINGS=${palette},${settings}"
                "-DPARTS=${part_arg}" -P ${shared}/assemble.cmake
        DEPENDS ${shared}/assemble.cmake ${palette} ${settings} ${parts}
        COMMENT "Putting together the style sheet qss/${name}.css"
        VERBATIM)
    qt_add_resources(${target} "${target}_sheet_${name}" PREFIX "/" BASE ${out_dir} FILES ${out})
endfunction()

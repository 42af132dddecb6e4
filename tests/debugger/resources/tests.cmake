# The bundle test reads the SVG drawings themselves, not only through QIcon.
if(TARGET debugger_bundle)
    target_link_libraries(debugger_bundle PRIVATE Qt6::Svg)
endif()

# The bundle test reads the SVG drawings themselves, not only through QIcon.
if(TARGET packager_bundle)
    target_link_libraries(packager_bundle PRIVATE Qt6::Svg)
endif()

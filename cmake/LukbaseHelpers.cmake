# lukbase_public_headers(<target> <include-folder> <header>...)
#
# Adds the headers to the target's sources, makes them reachable in the build tree as
# <include-folder>/<name> (through forwarding headers under the binary include directory,
# so that errors point at the real file) and installs them under include/<include-folder>.
# The API reference documents exactly these headers (global property LUKBASE_PUBLIC_HEADERS,
# entries "<include-folder>/<name>=<absolute path>").
function(lukbase_public_headers target folder)
    foreach(header IN LISTS ARGN)
        get_filename_component(absolute "${header}" ABSOLUTE)
        get_filename_component(name "${header}" NAME)
        file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/include/${folder}/${name}"
            CONTENT "#include \"${absolute}\"\n")
        install(FILES "${absolute}" DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/${folder}")
        set_property(GLOBAL APPEND PROPERTY LUKBASE_PUBLIC_HEADERS "${folder}/${name}=${absolute}")
    endforeach()
    target_sources(${target} PRIVATE ${ARGN})
endfunction()

# lukbase_add_library(<target> <include-folder> <EXPORT_MACRO_BASE>)
#
# A shared library of the project: export header <include-folder>/<target>_export.h,
# the binary include directory on its interface, installed and exported as lukbase::<target>.
function(lukbase_add_library target folder base)
    add_library(${target} SHARED)
    add_library(lukbase::${target} ALIAS ${target})
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}
        EXPORT_NAME ${target})
    generate_export_header(${target}
        BASE_NAME ${base}
        EXPORT_FILE_NAME "${PROJECT_BINARY_DIR}/include/${folder}/${target}_export.h")
    target_include_directories(${target} PUBLIC
        "$<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>"
        "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
    install(FILES "${PROJECT_BINARY_DIR}/include/${folder}/${target}_export.h"
        DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/${folder}")
    install(TARGETS ${target} EXPORT lukbaseTargets
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
        LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}"
        ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}")
endfunction()

# Embeds files into a C++ source as byte arrays, so the program reads no file at run time.
# embed_resources(OUTPUT out.cpp FORMS a.toml ... ASSETS b.jpg ...) writes the tables that
# runtime/resources.h declares.
function(embed_resources)
  cmake_parse_arguments(ARG "" "OUTPUT" "FORMS;ASSETS" ${ARGN})
  add_custom_command(
    OUTPUT ${ARG_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${ARG_OUTPUT} "-DFORMS=${ARG_FORMS}" "-DASSETS=${ARG_ASSETS}"
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_files.cmake
    DEPENDS ${ARG_FORMS} ${ARG_ASSETS} ${PROJECT_SOURCE_DIR}/cmake/embed_files.cmake
    COMMENT "Embedding forms and assets"
    VERBATIM)
endfunction()

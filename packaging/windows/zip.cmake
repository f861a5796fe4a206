# SPDX-License-Identifier: MIT
# Run by CPack after packing: the ZIP is written again from the packed
# folder with its files in a fixed order (sorted by path), where CPack's own
# follows the order the file system lists them in, which differs from one
# file system to the next. The dates stay the source's (reproducible.cmake).
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "\\.zip$")
        continue()
    endif()
    get_filename_component(parent ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
    file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${parent} ${CPACK_TEMPORARY_DIRECTORY}/*)
    list(SORT files)
    list(JOIN files "\n" listing)
    file(WRITE ${package}.files "${listing}\n")
    execute_process(
        COMMAND ${CPACK_AMORIAL_CMAKE_COMMAND} -E tar cf ${package}.new --format=zip --files-from=${package}.files
        WORKING_DIRECTORY ${parent}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    file(REMOVE ${package}.files)
    if(NOT status EQUAL 0)
        file(REMOVE ${package}.new)
        message(FATAL_ERROR "Writing ${package} in order failed: ${output}")
    endif()
    file(RENAME ${package}.new ${package})
endforeach()

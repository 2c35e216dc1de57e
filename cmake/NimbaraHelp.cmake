# nimbara_add_help_book(<name>): compiles data/help/<name>/<name>.hhp into <appdir>/HELP/<name>.CHM
# with the shared files of data/help/common, and adds it to the target nimbara_help.
set(NIMBARA_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/data/help)
set(NIMBARA_HELP_BOOKS "")

function(nimbara_add_help_book name)
    set(book_dir ${NIMBARA_HELP_SOURCE_DIR}/${name})
    set(output ${NIMBARA_APPDIR}/HELP/${name}.CHM)
    file(GLOB book_files CONFIGURE_DEPENDS ${book_dir}/* ${NIMBARA_HELP_SOURCE_DIR}/common/*)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${NIMBARA_APPDIR}/HELP
        COMMAND chmbuild ${book_dir}/${name}.hhp ${NIMBARA_HELP_SOURCE_DIR}/common
                ${CMAKE_BINARY_DIR}/helpstage/${name} ${output}
        DEPENDS chmbuild ${book_files}
        COMMENT "Compiling help book ${name}.CHM"
        VERBATIM)
    set(NIMBARA_HELP_BOOKS ${NIMBARA_HELP_BOOKS} ${output} PARENT_SCOPE)
endfunction()

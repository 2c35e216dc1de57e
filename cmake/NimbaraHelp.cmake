# nimbara_compile_help_book(<name> <source dir> <output dir> <common dir> <outputs variable>):
# compiles <source dir>/<name>/<name>.hhp with the shared files of <common dir> into
# <output dir>/<name>.CHM and appends that file to <outputs variable>.
function(nimbara_compile_help_book name source_dir output_dir common_dir outputs)
    set(book_dir ${source_dir}/${name})
    set(output ${output_dir}/${name}.CHM)
    file(GLOB book_files CONFIGURE_DEPENDS ${book_dir}/* ${common_dir}/*)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
        COMMAND chmbuild ${book_dir}/${name}.hhp ${common_dir}
                ${CMAKE_CURRENT_BINARY_DIR}/helpstage/${name} ${output}
        DEPENDS chmbuild ${book_files}
        COMMENT "Compiling help book ${name}.CHM"
        VERBATIM)
    set(${outputs} ${${outputs}} ${output} PARENT_SCOPE)
endfunction()

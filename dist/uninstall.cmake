# Removes the files an installation listed in MANIFEST, and nothing else: the folders the
# launcher made for each user are not in it and stay as they are.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist")
endif()
file(STRINGS "${MANIFEST}" installed)
foreach(file IN LISTS installed)
    if(IS_SYMLINK "$ENV{DESTDIR}${file}" OR EXISTS "$ENV{DESTDIR}${file}")
        file(REMOVE "$ENV{DESTDIR}${file}")
    endif()
endforeach()

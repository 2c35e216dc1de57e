# Finds libmspack, the CHM decoder, and provides it as the imported target Mspack::Mspack.
find_path(MSPACK_INCLUDE_DIR mspack.h)
find_library(MSPACK_LIBRARY mspack)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Mspack REQUIRED_VARS MSPACK_LIBRARY MSPACK_INCLUDE_DIR)

if(Mspack_FOUND AND NOT TARGET Mspack::Mspack)
    add_library(Mspack::Mspack UNKNOWN IMPORTED)
    set_target_properties(Mspack::Mspack PROPERTIES
        IMPORTED_LOCATION "${MSPACK_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${MSPACK_INCLUDE_DIR}")
endif()
mark_as_advanced(MSPACK_INCLUDE_DIR MSPACK_LIBRARY)

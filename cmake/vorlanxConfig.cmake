# The vorlanx SDK for find_package(vorlanx): the imported target vorlanx::vorlanx, the DLL in
# bin/, its header in include/, and the import library that the host's linker reads.
get_filename_component(_vorlanx_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(NOT TARGET vorlanx::vorlanx)
    add_library(vorlanx::vorlanx SHARED IMPORTED)
    if(MSVC)
        set(_vorlanx_implib "${_vorlanx_prefix}/lib/vorlanx.lib")
    else()
        set(_vorlanx_implib "${_vorlanx_prefix}/lib/libvorlanx.dll.a")
    endif()
    set_target_properties(vorlanx::vorlanx PROPERTIES
        IMPORTED_LOCATION "${_vorlanx_prefix}/bin/vorlanx.dll"
        IMPORTED_IMPLIB "${_vorlanx_implib}"
        INTERFACE_INCLUDE_DIRECTORIES "${_vorlanx_prefix}/include")
    unset(_vorlanx_implib)
endif()
unset(_vorlanx_prefix)

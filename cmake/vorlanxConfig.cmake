# The vorlanx SDK for find_package(vorlanx): the imported target vorlanx::vorlanx, the DLL, its
# header in include/, and the import library that the host's linker reads. A host's pointer size
# decides: a 32-bit host gets bin/ and lib/, a 64-bit one bin64/ and lib64/.
get_filename_component(_vorlanx_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_vorlanx_suffix 64)
else()
    set(_vorlanx_suffix "")
endif()
if(MSVC)
    set(_vorlanx_implib "${_vorlanx_prefix}/lib${_vorlanx_suffix}/vorlanx.lib")
else()
    set(_vorlanx_implib "${_vorlanx_prefix}/lib${_vorlanx_suffix}/libvorlanx.dll.a")
endif()
if(NOT EXISTS "${_vorlanx_implib}")
    # Only the other size is installed here: not found, rather than a link that fails later.
    set(vorlanx_FOUND FALSE)
    set(vorlanx_NOT_FOUND_MESSAGE
        "${_vorlanx_implib} is missing: this SDK has no vorlanx for ${CMAKE_SIZEOF_VOID_P}-byte pointers")
elseif(NOT TARGET vorlanx::vorlanx)
    add_library(vorlanx::vorlanx SHARED IMPORTED)
    set_target_properties(vorlanx::vorlanx PROPERTIES
        IMPORTED_LOCATION "${_vorlanx_prefix}/bin${_vorlanx_suffix}/vorlanx.dll"
        IMPORTED_IMPLIB "${_vorlanx_implib}"
        INTERFACE_INCLUDE_DIRECTORIES "${_vorlanx_prefix}/include")
endif()
unset(_vorlanx_implib)
unset(_vorlanx_suffix)
unset(_vorlanx_prefix)

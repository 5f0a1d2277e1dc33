# Read by cpack when it runs: the zip takes the x86 and the x64 build folder, each if it is built,
# and its name says which it holds (vorlanx-1.0.0.0-win32-win64.zip with both).
set(_vorlanx_names win32 win64)
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_PACKAGE_FILE_NAME vorlanx-${CPACK_VORLANX_VERSION})
foreach(_vorlanx_build _vorlanx_name IN ZIP_LISTS CPACK_VORLANX_BUILDS _vorlanx_names)
    if(EXISTS "${_vorlanx_build}/cmake_install.cmake")
        list(APPEND CPACK_INSTALL_CMAKE_PROJECTS "${_vorlanx_build}" vorlanx ALL /)
        string(APPEND CPACK_PACKAGE_FILE_NAME -${_vorlanx_name})
    endif()
endforeach()

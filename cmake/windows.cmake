# Everything that ships, laid out in ${VORLANX_BIN} as a deployment lays it out.
enable_language(RC)

# One build folder per architecture, from the same code with another toolchain file: build/win
# (x86, the default) and build/win64 (x64). Each knows the other's, which the SDK's install and
# zip join and the start-up tests take libraries of the other size from.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VORLANX_ARCH x64)
    set(VORLANX_DLLTOOL_MACHINE i386:x86-64)
    set(VORLANX_SDK_SUFFIX 64)  # the SDK's bin64/ and lib64/
    set(other win)
else()
    set(VORLANX_ARCH x86)
    set(VORLANX_DLLTOOL_MACHINE i386)
    set(VORLANX_SDK_SUFFIX "")
    set(other win64)
endif()
cmake_path(GET CMAKE_BINARY_DIR PARENT_PATH builds)
set(VORLANX_OTHER_BUILD ${builds}/${other} CACHE PATH "The build folder of the other architecture")
# The tests of both builds run in one CTest run: each says its architecture (ctest -L x64).
set_property(DIRECTORY PROPERTY LABELS ${VORLANX_ARCH})

set(VORLANX_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${VORLANX_BIN})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# No runtime DLLs of the compiler: every binary imports only Windows and our own libraries.
set(VORLANX_STATIC_LINK -static-libgcc -static-libstdc++ -static)
add_link_options(${VORLANX_STATIC_LINK})
# No link time in the PE header, so that a build can be checked against its source.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Every binary of ours runs on msvcr100.dll, the C runtime of the hosts that exist: they free the
# browse result with its free, and our modules free each other's memory (the device lookup fills
# the browser's lists), so one heap serves every module. The specs file links msvcr100 where gcc
# links msvcrt; the define makes mingw's headers declare that runtime's functions. Said here, not
# in the toolchain file, so that a build folder configured before takes it too.
add_link_options(-specs=${CMAKE_CURRENT_LIST_DIR}/msvcr100.specs)
add_compile_definitions(__MSVCRT_VERSION__=0x1000)

configure_file(${PROJECT_SOURCE_DIR}/res/version.h.in
               ${CMAKE_BINARY_DIR}/generated/vorlanx_version.h)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 1252")
include_directories(${PROJECT_SOURCE_DIR}/include)
set(VORLANX_RC_INCLUDES ${PROJECT_SOURCE_DIR}/res ${CMAKE_BINARY_DIR}/generated)

# What ships is built with its debugging information, which a release moves into debug files:
# so the tests' build of it is the release's, byte for byte (the release tests compare the two),
# while the tests' own programs, many and large, go without.
get_directory_property(options COMPILE_OPTIONS)
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-g>)
foreach(target ${VORLANX_PORTABLE})
    target_compile_options(${target} PRIVATE -g)
endforeach()
add_subdirectory(common)
add_subdirectory(src)
add_subdirectory(store)
add_subdirectory(standins)
add_subdirectory(lang)
add_subdirectory(tools/host)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${options}")
add_subdirectory(tools/browser)
add_subdirectory(tools/screenpoint)
add_subdirectory(tools/fileserver)
include(cmake/install.cmake)

include(cmake/googletest.cmake)

add_subdirectory(tests)
add_subdirectory(bench)

# windres does not tell the build which icons a script reads: every target that compiles the
# library's resources is rebuilt when an icon changes.
file(GLOB VORLANX_ICONS ${PROJECT_SOURCE_DIR}/res/icons/*.ico)
set_source_files_properties(${PROJECT_SOURCE_DIR}/res/vorlanx.rc
    DIRECTORY src tests/win tools/browser bench
    PROPERTIES OBJECT_DEPENDS "${VORLANX_ICONS}")

# Everything that ships, laid out in ${VORLANX_BIN} as a deployment lays it out.
enable_language(RC)

set(VORLANX_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${VORLANX_BIN})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# No runtime DLLs of the compiler: every binary imports only Windows and our own libraries.
set(VORLANX_STATIC_LINK -static-libgcc -static-libstdc++ -static)
add_link_options(${VORLANX_STATIC_LINK})
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

add_subdirectory(src)
add_subdirectory(standins)
add_subdirectory(lang)
add_subdirectory(tools/host)
add_subdirectory(tools/browser)
add_subdirectory(tools/screenpoint)
add_subdirectory(tools/fileserver)
include(cmake/install.cmake)

# GoogleTest from Debian's source package, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Tests run under Wine in a private prefix under the build folder, set up once by the
# wine_prefix test that every Wine test requires, with the environment that the scripts use.
set(VORLANX_WINE_ENV_FILE ${PROJECT_SOURCE_DIR}/scripts/wine-env)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VORLANX_WINE_ENV_FILE})
file(STRINGS ${VORLANX_WINE_ENV_FILE} VORLANX_WINE_ENV REGEX "^[A-Z_]+=")
list(PREPEND VORLANX_WINE_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
# Then one server serves every test (it ends 60 s after the last), with Wine's own processes
# (services, the desktop) started here, on the test run's display: they live as long as the
# server and keep open the output of whoever started them, which must not be a test.
add_test(NAME wine_prefix COMMAND sh -c
    "${PROJECT_SOURCE_DIR}/scripts/wine-prefix && (wineserver -p60 && wine cmd /c exit) </dev/null >/dev/null 2>&1")
set_tests_properties(wine_prefix PROPERTIES
    ENVIRONMENT "${VORLANX_WINE_ENV}" FIXTURES_SETUP wine)

# ... and ended once the last of them is done.
add_test(NAME wine_server_end COMMAND wineserver -k)
set_tests_properties(wine_server_end PROPERTIES
    ENVIRONMENT "${VORLANX_WINE_ENV}" FIXTURES_CLEANUP wine)

add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(tests/sdk)
add_subdirectory(bench)

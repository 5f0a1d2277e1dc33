# The header ships as it is in the source tree, so it carries the version as numbers of its own;
# they must be the project's, or a host would compile against one version and load another.
file(STRINGS ${PROJECT_SOURCE_DIR}/include/vorlanx.h _vorlanx_defines
     REGEX "^#define VORLANX_VERSION_(MAJOR|MINOR|PATCH|STRING) ")
set(_vorlanx_expected
    "MAJOR=${PROJECT_VERSION_MAJOR}" "MINOR=${PROJECT_VERSION_MINOR}" "PATCH=${PROJECT_VERSION_PATCH}"
    "STRING=\"${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}\"")
set(_vorlanx_found "")
foreach(_vorlanx_line IN LISTS _vorlanx_defines)
    string(REGEX REPLACE "^#define VORLANX_VERSION_([A-Z]+) +([^ ]+).*" "\\1=\\2" _vorlanx_pair
           "${_vorlanx_line}")
    list(APPEND _vorlanx_found "${_vorlanx_pair}")
endforeach()
if(NOT _vorlanx_found STREQUAL _vorlanx_expected)
    message(FATAL_ERROR "include/vorlanx.h has the version ${_vorlanx_found}, the project "
                        "${PROJECT_VERSION}: give the header the project's numbers")
endif()
# The release's name for it: three parts; the version blocks keep the fourth.
set(VORLANX_RELEASE_VERSION
    ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})

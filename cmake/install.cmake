# The SDK that `cmake --install` lays out and cpack zips: bin/ the deployment, include/, lib/ with
# both import libraries, lib/cmake/vorlanx/ with the package that gives vorlanx::vorlanx. The
# x64 build lays out its deployment in bin64/ and its import libraries in lib64/, so installing
# both build folders into one prefix gives the SDK for hosts of either size.
include(CMakePackageConfigHelpers)

set(bin bin${VORLANX_SDK_SUFFIX})
set(lib lib${VORLANX_SDK_SUFFIX})
install(TARGETS vorlanx RUNTIME DESTINATION ${bin} ARCHIVE DESTINATION ${lib})
# Only the DLLs of the store, the lookup and the companion ship: no host links them.
install(FILES $<TARGET_FILE:talmor> $<TARGET_FILE:orvent> $<TARGET_FILE:ostrel>
              $<TARGET_FILE:vorlanxres_en> $<TARGET_FILE:vorlanxhost>
        DESTINATION ${bin})
foreach(language ${VORLANX_LANGUAGES})
    install(FILES $<TARGET_FILE:vorlanxres_${language}> DESTINATION ${bin}/lang/${language})
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/include/vorlanx.h DESTINATION include)
install(FILES ${VORLANX_BIN}/lib/vorlanx.lib ${PROJECT_SOURCE_DIR}/src/api/vorlanx.def
        DESTINATION ${lib})

# Everything above, for a build that makes only what ships (scripts/release).
add_custom_target(vorlanx_shipped)
add_dependencies(vorlanx_shipped vorlanx vorlanx_msvc_import_library talmor orvent ostrel
                 vorlanxres_languages vorlanxhost)

# One package for both sizes: it picks the import library by the host's pointer size itself.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/generated/vorlanxConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorlanxConfig.cmake
              ${CMAKE_BINARY_DIR}/generated/vorlanxConfigVersion.cmake
        DESTINATION lib/cmake/vorlanx)

# The zip holds both architectures when both are built (cpack_projects.cmake decides when it runs).
set(CPACK_GENERATOR ZIP)
set(CPACK_VORLANX_VERSION ${PROJECT_VERSION})
if(VORLANX_ARCH STREQUAL x64)
    set(CPACK_VORLANX_BUILDS ${VORLANX_OTHER_BUILD} ${CMAKE_BINARY_DIR})  # x86 first
else()
    set(CPACK_VORLANX_BUILDS ${CMAKE_BINARY_DIR} ${VORLANX_OTHER_BUILD})
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_projects.cmake)
include(CPack)

# The SDK that `cmake --install` lays out and cpack zips: bin/ the deployment, include/, lib/ with
# both import libraries, lib/cmake/vorlanx/ with the package that gives vorlanx::vorlanx.
include(CMakePackageConfigHelpers)

install(TARGETS vorlanx RUNTIME DESTINATION bin ARCHIVE DESTINATION lib)
# Only the DLLs of the store, the lookup and the companion ship: no host links them.
install(FILES $<TARGET_FILE:talmor> $<TARGET_FILE:orvent> $<TARGET_FILE:ostrel>
              $<TARGET_FILE:vorlanxres_en> $<TARGET_FILE:vorlanxhost>
        DESTINATION bin)
install(FILES $<TARGET_FILE:vorlanxres_de> DESTINATION bin/lang/de)
install(FILES ${PROJECT_SOURCE_DIR}/include/vorlanx.h DESTINATION include)
install(FILES ${VORLANX_BIN}/lib/vorlanx.lib ${PROJECT_SOURCE_DIR}/src/api/vorlanx.def
        DESTINATION lib)

write_basic_package_version_file(${CMAKE_BINARY_DIR}/generated/vorlanxConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorlanxConfig.cmake
              ${CMAKE_BINARY_DIR}/generated/vorlanxConfigVersion.cmake
        DESTINATION lib/cmake/vorlanx)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME vorlanx-${PROJECT_VERSION}-win32)
include(CPack)

# Install rules and the CMake package: find_package(nox COMPONENTS platform base scale chart qt).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

get_property(layers GLOBAL PROPERTY NOX_LIBRARY_LAYERS)
foreach(layer IN LISTS layers)
  install(TARGETS nox_${layer} EXPORT nox-${layer}-targets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${layer}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/nox/${layer}
          FILES_MATCHING PATTERN "*.h")
  install(EXPORT nox-${layer}-targets NAMESPACE nox:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/nox
          FILE nox-${layer}-targets.cmake)
endforeach()

set(NOX_INSTALLED_COMPONENTS ${layers})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/noxConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/noxConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/nox)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/noxConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/noxConfig.cmake ${PROJECT_BINARY_DIR}/noxConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/nox)

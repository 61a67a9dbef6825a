# Installs the headers, the library, a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/hyphenkit)

install(TARGETS hyphenkit EXPORT hyphenkitTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_BINARY_DIR}/include/text/hyphenation/export.hpp
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/text/hyphenation)
install(EXPORT hyphenkitTargets NAMESPACE hyphenkit:: DESTINATION ${config_dir})

configure_package_config_file(cmake/hyphenkitConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/hyphenkitConfig.cmake
                              INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/hyphenkitConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/hyphenkitConfig.cmake
              ${PROJECT_BINARY_DIR}/hyphenkitConfigVersion.cmake
        DESTINATION ${config_dir})

# Consumers of the static library link zlib too; the shared library carries it privately.
if(BUILD_SHARED_LIBS)
  set(HYPHENKIT_PC_ZLIB "Requires.private: zlib")
else()
  set(HYPHENKIT_PC_ZLIB "Requires: zlib")
endif()
configure_file(cmake/hyphenkit.pc.in ${PROJECT_BINARY_DIR}/hyphenkit.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/hyphenkit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

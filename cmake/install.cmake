# Installs the headers, the library, the command, a CMake package, a pkg-config file and the
# licences. Every path in the CMake package and the pkg-config file is relative to where they
# are installed, so the prefix given to `cmake --install --prefix` holds, and a moved prefix still
# works.
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

# A static hyphenkit hands its private dependencies on to its users; a shared one carries them.
if(BUILD_SHARED_LIBS)
  set(HYPHENKIT_PACKAGE_DEPENDENCIES "")
  set(HYPHENKIT_PC_REQUIRES "Requires.private: ${HYPHENKIT_PKG_CONFIG_REQUIRES}")
  set(HYPHENKIT_PC_LIBS_PRIVATE "")
else()
  set(HYPHENKIT_PACKAGE_DEPENDENCIES "${HYPHENKIT_DEPENDENCIES}")
  set(HYPHENKIT_PC_REQUIRES "Requires: ${HYPHENKIT_PKG_CONFIG_REQUIRES}")
  # What a C program needs besides (see HYPHENKIT_CXX_RUNTIME): pkg-config --static gives it.
  list(TRANSFORM HYPHENKIT_CXX_RUNTIME PREPEND -l OUTPUT_VARIABLE runtime_flags)
  string(JOIN " " runtime_flags ${runtime_flags})
  set(HYPHENKIT_PC_LIBS_PRIVATE "Libs.private: ${runtime_flags}")
endif()
string(REPLACE ";" ", " HYPHENKIT_PC_REQUIRES "${HYPHENKIT_PC_REQUIRES}")
configure_package_config_file(cmake/hyphenkitConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/hyphenkitConfig.cmake
                              INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/hyphenkitConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/hyphenkitConfig.cmake
              ${PROJECT_BINARY_DIR}/hyphenkitConfigVersion.cmake
        DESTINATION ${config_dir})
# Find modules for dependencies that ship no CMake package of their own.
file(GLOB find_modules ${PROJECT_SOURCE_DIR}/cmake/Find*.cmake)
if(find_modules)
  install(FILES ${find_modules} DESTINATION ${config_dir})
endif()

# The .pc file finds the prefix from its own place: lib/pkgconfig/ (or lib/<arch>/pkgconfig/)
# lies as many folders below the prefix as the library folder has parts, plus one. Folders
# configured as absolute paths stay absolute.
set(HYPHENKIT_PC_PREFIX "\${pcfiledir}/..")
string(REPLACE "/" ";" libdir_parts "${CMAKE_INSTALL_LIBDIR}")
foreach(part IN LISTS libdir_parts)
  if(NOT part STREQUAL "" AND NOT part STREQUAL ".")
    string(APPEND HYPHENKIT_PC_PREFIX "/..")
  endif()
endforeach()
foreach(folder LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${folder}}")
    set(HYPHENKIT_PC_${folder} "${CMAKE_INSTALL_${folder}}")
  else()
    set(HYPHENKIT_PC_${folder} "\${prefix}/${CMAKE_INSTALL_${folder}}")
  endif()
endforeach()
configure_file(cmake/hyphenkit.pc.in ${PROJECT_BINARY_DIR}/hyphenkit.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/hyphenkit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The code's licence, and the licence note of each language's patterns as it is carried in data/.
install(FILES LICENSE README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
file(GLOB pattern_licences ${PROJECT_SOURCE_DIR}/data/*.lic.txt.gz)
install(FILES ${pattern_licences} DESTINATION ${CMAKE_INSTALL_DOCDIR}/patterns)

# Finds utf8proc, which ships a pkg-config file and no CMake package, and defines the imported
# target utf8proc::utf8proc. Sets utf8proc_FOUND and utf8proc_VERSION.
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(PC_utf8proc QUIET libutf8proc)
endif()

find_path(utf8proc_INCLUDE_DIR utf8proc.h HINTS ${PC_utf8proc_INCLUDE_DIRS})
find_library(utf8proc_LIBRARY NAMES utf8proc HINTS ${PC_utf8proc_LIBRARY_DIRS})
# The header's version: Debian's pkg-config file gives the library's ABI version instead.
if(utf8proc_INCLUDE_DIR AND EXISTS ${utf8proc_INCLUDE_DIR}/utf8proc.h)
  file(STRINGS ${utf8proc_INCLUDE_DIR}/utf8proc.h version_lines
       REGEX "#define UTF8PROC_VERSION_(MAJOR|MINOR|PATCH) ")
  foreach(part MAJOR MINOR PATCH)
    string(REGEX REPLACE ".*UTF8PROC_VERSION_${part} ([0-9]+).*" "\\1" utf8proc_${part}
                         "${version_lines}")
  endforeach()
  set(utf8proc_VERSION ${utf8proc_MAJOR}.${utf8proc_MINOR}.${utf8proc_PATCH})
elseif(PC_utf8proc_VERSION)
  set(utf8proc_VERSION ${PC_utf8proc_VERSION})
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(
  utf8proc REQUIRED_VARS utf8proc_LIBRARY utf8proc_INCLUDE_DIR VERSION_VAR utf8proc_VERSION)

if(utf8proc_FOUND AND NOT TARGET utf8proc::utf8proc)
  add_library(utf8proc::utf8proc UNKNOWN IMPORTED)
  set_target_properties(utf8proc::utf8proc PROPERTIES IMPORTED_LOCATION ${utf8proc_LIBRARY}
                                                      INTERFACE_INCLUDE_DIRECTORIES ${utf8proc_INCLUDE_DIR})
endif()
mark_as_advanced(utf8proc_INCLUDE_DIR utf8proc_LIBRARY)

# Debian packages from one build: `cpack -G DEB` in the build folder writes
# libqoros7 (the shared library), qoros (the programs) and libqoros-dev
# (everything to build against the library). Each carries its copyright
# file and changelog; dependencies on system libraries come from
# dpkg-shlibdeps. The Windows build packages nothing.
if(WIN32)
  return()
endif()

set(QOR_DEB_LIBRARY_PACKAGE libqoros${PROJECT_VERSION_MAJOR})
set(QOR_DEB_RELEASE 1)
set(QOR_DEB_VERSION ${PROJECT_VERSION}-${QOR_DEB_RELEASE})

# Debian wants the documentation of every package in /usr/share/doc/<name>:
# the copyright text, and the changelog compressed without a time stamp.
set(qor_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
configure_file(packaging/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian @ONLY)
qor_gzip_file(${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian ${qor_changelog})
foreach(part_and_package IN ITEMS runtime:${QOR_DEB_LIBRARY_PACKAGE} programs:qoros
                                  development:libqoros-dev)
  string(REPLACE ":" ";" part_and_package ${part_and_package})
  list(GET part_and_package 0 part)
  list(GET part_and_package 1 package)
  install(FILES packaging/copyright ${qor_changelog}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${part})
  string(TOUPPER ${part} part)
  set(CPACK_DEBIAN_${part}_PACKAGE_NAME ${package})
endforeach()

set(CPACK_PACKAGE_NAME qoros)
set(CPACK_PACKAGE_VENDOR "QorOS developers")
set(CPACK_PACKAGE_CONTACT "QorOS developers <maintainers@qoros.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://qoros.org/")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_COMPONENTS_ALL runtime programs development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QOR_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared library announces itself to dpkg-shlibdeps of other packages.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# CPACK_STRIP_FILES strips programs and shared libraries; a script strips
# the rest in the staged tree before packing.
set(CPACK_QOR_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/strip_staged_files.cmake)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
  "kernel-like services, graphics engine and package library of QorOS
The QorOS programming interface as a shared library: a monotonic clock,
an event queue, accounted memory, a process table, file I/O, a window
registry, a security layer, a virtual M: drive, a statistics engine, a
software graphics engine with anti-aliased text and PNG output, the .qpa
package format with its runner, and an HTTP package downloader.")

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS wine)
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION
  "desktop environment drawn into a software framebuffer
Tarnwick draws a complete desktop of its own - wallpaper, icons, taskbar,
start menu, file explorer, terminal, code editor and package pages - into
an 800x600 framebuffer shown in one window. dorvane converts a Windows
program into a .qpa package, which the desktop starts through Wine.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "${QOR_DEB_LIBRARY_PACKAGE} (= ${QOR_DEB_VERSION}), libfreetype-dev, libfontconfig-dev, libpng-dev, libcurl4-openssl-dev | libcurl-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "development files for the QorOS library
Headers, the static library, the link to the shared library, a pkg-config
file and a CMake package for programs that use the QorOS programming
interface: kernel-like services, graphics, .qpa packages and the package
downloader.")

include(CPack)

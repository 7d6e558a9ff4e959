# What an install holds, in three parts that become the three Debian
# packages (cmake/QorPackaging.cmake): "runtime" (the shared library),
# "programs" (Tarnwick, dorvane, their man pages, the desktop entry and
# icon) and "development" (headers, the .so link, the static library, the
# pkg-config file and the CMake package).
include(CMakePackageConfigHelpers)
set(QOR_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/qoros)

install(DIRECTORY include/qoros DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)

set(qor_library_targets qoros)
if(QOR_SHARED_LIBRARY)
  # The static library is qoros::qoros_static; qoros::qoros is the shared one.
  set_target_properties(qoros PROPERTIES EXPORT_NAME qoros_static)
  list(APPEND qor_library_targets qoros_shared)
endif()
# A C program that links the static library needs the C++ runtime and libm
# that the library's objects use (the pkg-config file's Libs.private).
target_link_libraries(qoros INTERFACE $<INSTALL_INTERFACE:stdc++>
  $<INSTALL_INTERFACE:$<$<NOT:$<PLATFORM_ID:Windows>>:m>>)
install(TARGETS ${qor_library_targets} EXPORT qorosTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
install(EXPORT qorosTargets NAMESPACE qoros:: DESTINATION ${QOR_CMAKE_PACKAGE_DIR}
  COMPONENT development)
configure_package_config_file(cmake/qorosConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/qorosConfig.cmake INSTALL_DESTINATION ${QOR_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/qorosConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qorosConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/qorosConfigVersion.cmake
  DESTINATION ${QOR_CMAKE_PACKAGE_DIR} COMPONENT development)

# pkg-config: with the shared library a plain link needs only -lqoros; what
# libqoros itself links (libstdc++, libm, and the modules of
# Requires.private) is listed for pkg-config --static. Without a shared
# library (Windows) every link is static, so it all goes into Libs.
get_property(QOR_PC_REQUIRES_LIST GLOBAL PROPERTY QOR_PC_REQUIRES)
get_property(QOR_PC_LIBS_LIST GLOBAL PROPERTY QOR_PC_LIBS)
list(REMOVE_DUPLICATES QOR_PC_REQUIRES_LIST)
string(REPLACE ";" " " QOR_PC_REQUIRES "${QOR_PC_REQUIRES_LIST}")
list(PREPEND QOR_PC_LIBS_LIST -lstdc++ -lm)
list(REMOVE_DUPLICATES QOR_PC_LIBS_LIST)
string(REPLACE ";" " " qor_pc_dependency_libs "${QOR_PC_LIBS_LIST}")
if(QOR_SHARED_LIBRARY)
  set(QOR_PC_LIBS_PRIVATE "${qor_pc_dependency_libs}")
  set(QOR_PC_LIBS_STATIC_ONLY "")
else()
  set(QOR_PC_LIBS_PRIVATE "")
  set(QOR_PC_LIBS_STATIC_ONLY " ${qor_pc_dependency_libs}")
endif()
file(RELATIVE_PATH QOR_PC_TO_PREFIX "/p/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/p")
configure_file(cmake/qoros.pc.in ${CMAKE_CURRENT_BINARY_DIR}/qoros.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qoros.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# The programs' manual pages (compressed, without a time stamp, as Debian
# installs them), and the entry and icon that put the desktop into
# application menus.
foreach(page Tarnwick.1 dorvane.1)
  qor_gzip_file(${PROJECT_SOURCE_DIR}/data/man/${page} ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
endforeach()
install(FILES data/qoros.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT programs)
install(FILES data/icons/qoros-256.png
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/256x256/apps
  RENAME qoros.png COMPONENT programs)

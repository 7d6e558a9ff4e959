# libqoros.so.<major>: the same objects as the static libqoros.a (compiled
# once), linked into a shared library whose dynamic symbols are only the public C
# interface (cmake/qoros.map). The Windows build ships the static library
# only.
set(QOR_SHARED_LIBRARY OFF)
if(WIN32)
  return()
endif()
set(QOR_SHARED_LIBRARY ON)

# Objects that go into a shared library must be position independent. The
# library's own symbols are never interposed (the version script keeps
# them local), so the compiler may inline and call them directly, as it
# does in a program.
foreach(target qoros qpa_format qpa_converter_v6)
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_compile_options(${target} PRIVATE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-fno-semantic-interposition>)
endforeach()

add_library(qoros_shared SHARED)
set(qor_symbol_map ${CMAKE_CURRENT_LIST_DIR}/qoros.map)
# libqoros takes some objects from object libraries shared with dorvane;
# they come along too.
get_target_property(qor_object_libraries qoros SOURCES)
list(FILTER qor_object_libraries INCLUDE REGEX "^\\$<TARGET_OBJECTS:")
target_sources(qoros_shared PRIVATE $<TARGET_OBJECTS:qoros> ${qor_object_libraries})
# Every symbol comes from the objects; linking the archive as well brings
# its system libraries (FreeType, fontconfig, libpng, libcurl) along.
target_link_libraries(qoros_shared PRIVATE qoros)
target_link_options(qoros_shared PRIVATE "LINKER:--version-script=${qor_symbol_map}")
target_include_directories(qoros_shared
  PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
         $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
set_target_properties(qoros_shared PROPERTIES
  OUTPUT_NAME qoros
  EXPORT_NAME qoros
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  LINK_DEPENDS ${qor_symbol_map})

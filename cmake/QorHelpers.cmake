# Warnings are on everywhere; CI turns them into errors with QOR_WERROR.
function(qor_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wshadow -Wno-missing-field-initializers>
    $<$<BOOL:${QOR_WERROR}>:-Werror>)
endfunction()

# Subsystems that need a system library record it here too, so the
# pkg-config file can list everything a static link of libqoros needs.
function(qor_pkgconfig_requires)
  set_property(GLOBAL APPEND PROPERTY QOR_PC_REQUIRES ${ARGN})
endfunction()
function(qor_pkgconfig_libs)
  set_property(GLOBAL APPEND PROPERTY QOR_PC_LIBS ${ARGN})
endfunction()

# Adds every folder below the current one that has a CMakeLists.txt, so a
# new subsystem only needs its own folder.
macro(qor_add_area_folders)
  file(GLOB qor_area_folders LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(qor_area_folder IN LISTS qor_area_folders)
    if(IS_DIRECTORY ${qor_area_folder} AND EXISTS ${qor_area_folder}/CMakeLists.txt)
      add_subdirectory(${qor_area_folder})
    endif()
  endforeach()
endmacro()

# qor_gzip_file(<input> <output>): compresses a file to install, at the
# highest level and without name or time stamp, so the result depends on
# the content only. Runs at configure time and again when the input changes.
function(qor_gzip_file input output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  get_filename_component(folder ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND gzip -9nc ${input} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

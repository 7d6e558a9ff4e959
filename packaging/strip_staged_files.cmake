# Run by CPack on the staged install tree before it packs, finishing what
# CPACK_STRIP_FILES starts the way Debian's dh_strip does: static libraries
# lose their debug sections (kept reproducible), and programs, shared and
# static libraries lose the compiler's .comment and .note sections.
file(GLOB_RECURSE qor_archives "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.a")
file(GLOB_RECURSE qor_shared_libraries "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.so.*")
file(GLOB_RECURSE qor_programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER qor_programs INCLUDE REGEX "/bin/[^/]+$")
list(FILTER qor_shared_libraries EXCLUDE REGEX "\\.(gz|cmake)$")
foreach(file IN LISTS qor_archives)
  execute_process(COMMAND ${CPACK_QOR_STRIP} --strip-debug --enable-deterministic-archives
    --remove-section=.comment --remove-section=.note ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
foreach(file IN LISTS qor_shared_libraries qor_programs)
  if(NOT IS_SYMLINK ${file})
    execute_process(COMMAND ${CPACK_QOR_STRIP} --remove-section=.comment --remove-section=.note
      ${file} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()

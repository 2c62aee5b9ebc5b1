# Run by CPack between installing into its staging folder and building the
# package: compresses the manual pages there, as Debian ships them. `man`
# reads both forms, so `cmake --install` leaves them as they are.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_DIRECTORY}/*/share/man/man[1-9]/*.[1-9]")
foreach(page IN LISTS pages)
  # -n keeps name and time out of the archive, so packages build the same.
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not compress ${page}")
  endif()
endforeach()

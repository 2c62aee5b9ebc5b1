# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack between installing into its staging folder and building the
# package: lays the staged tree out as Debian ships it. `make install` leaves
# the tree as it is.
#
# Manual pages and the changelog are compressed (`man` reads both forms).
# The window, a game with its page in section 6, goes to games/, where
# Debian keeps the programs of its games section; the lab stays in bin/, on
# every user's path (root's has no /usr/games).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_DIRECTORY}/*/share/man/man[1-9]/*.[1-9]")
file(GLOB_RECURSE changelogs "${CPACK_TEMPORARY_DIRECTORY}/*/share/doc/*/changelog")
foreach(file IN LISTS pages changelogs)
  # -n keeps name and time out of the archive, so packages build the same.
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Could not compress ${file}")
  endif()
endforeach()

file(GLOB windows "${CPACK_TEMPORARY_DIRECTORY}/*/bin/quorvel")
foreach(window IN LISTS windows)
  get_filename_component(bin "${window}" DIRECTORY)
  get_filename_component(prefix "${bin}" DIRECTORY)
  file(MAKE_DIRECTORY "${prefix}/games")
  file(RENAME "${window}" "${prefix}/games/quorvel")
endforeach()

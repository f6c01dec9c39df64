# Installing a program: the executable into bin/ and, where man pages are read, a man page
# written at build time from the program's own --help and --version (help2man), so the page
# cannot drift from the options. packaging/ lists the programs installed this way in the
# metainfo; the package check finds them in bin/.
include(GNUInstallDirs)

if(NOT WIN32)
  find_program(DSP_HELP2MAN help2man)
  if(NOT DSP_HELP2MAN)
    message(FATAL_ERROR "help2man not found; install it (bash tools/deps.sh)")
  endif()
endif()

# summary: the man page's one-line description, lower case, no full stop.
function(dsp_install_program target summary)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set_property(GLOBAL APPEND PROPERTY DSP_INSTALLED_PROGRAMS ${target})
  if(WIN32)
    return()
  endif()
  # Run by its bare name so that the usage line shows no build path.
  set(page ${CMAKE_BINARY_DIR}/man/${target}.1)
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:${target}>:$ENV{PATH}" ASAN_OPTIONS=detect_leaks=0
            ${DSP_HELP2MAN} --no-info --section=1 "--name=${summary}" --output=${page} ${target}
    COMMAND gzip -9nf ${page}
    DEPENDS ${target}
    COMMENT "Writing the man page of ${target}"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

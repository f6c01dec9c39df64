# Every text the sources pass through tr() must have a translation: lupdate a copy of the
# .ts file from the sources and count what it leaves unfinished. A text missing from the
# file entirely is caught here, not only one marked unfinished.
foreach(v LUPDATE TS_FILE SOURCE_DIR WORK_DIR DIRS)
  if(NOT ${v})
    message(FATAL_ERROR "${v} not set")
  endif()
endforeach()
get_filename_component(name "${TS_FILE}" NAME)
file(MAKE_DIRECTORY "${WORK_DIR}")
configure_file("${TS_FILE}" "${WORK_DIR}/${name}" COPYONLY)
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none -no-obsolete
          ${DIRS} -ts "${WORK_DIR}/${name}"
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${rc})")
endif()
file(READ "${WORK_DIR}/${name}" ts)
string(REGEX MATCHALL "<translation[^>]*type=\"unfinished\"" unfinished "${ts}")
list(LENGTH unfinished n)
if(n GREATER 0)
  message(FATAL_ERROR "${n} texts of the sources have no translation in ${name}; run the dsp_update_translations target and translate them")
endif()

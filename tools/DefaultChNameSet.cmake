# cmake -DTOOL=<fixture-tool> -DOUT=<path> -P DefaultChNameSet.cmake
# Writes the default channel name set to OUT unless a file is there already. The folder is made
# first: only some generators make the folders of a custom command's output.
if(NOT EXISTS "${OUT}")
  get_filename_component(folder "${OUT}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  execute_process(COMMAND "${TOOL}" names --init "${OUT}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "fixture-tool could not write ${OUT}")
  endif()
  message(STATUS "Wrote the default channel name set ${OUT}")
endif()

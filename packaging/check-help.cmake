# Runs each of PROGRAMS (a ;-list) with --version and --help as a person on a
# console would: no display at all. Both must answer on standard output with
# exit code 0: the version as "NAME VERSION (commit ...)", the help with the
# usage line and the options.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})
set(failures "")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${program} --version RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 60)
  string(REPLACE "." "\\." version "${VERSION}")
  if(NOT result EQUAL 0 OR NOT out MATCHES "^${name} ${version} \\((commit [0-9a-f]+|built outside git)")
    string(APPEND failures "${name} --version: exit ${result}, output '${out}' ${err}\n")
  endif()
  execute_process(COMMAND ${program} --help RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 60)
  foreach(expected "Usage: " "--help" "--version" "--app-folder")
    string(FIND "${out}" "${expected}" at)
    if(NOT result EQUAL 0 OR at EQUAL -1)
      string(APPEND failures "${name} --help: exit ${result}, no '${expected}' in '${out}' ${err}\n")
      break()
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()

# Writes OUTPUT from TEMPLATE with VERSION and the commit SOURCE is checked out
# at. Run on every build; the file is replaced only when its text changes, so
# nothing is compiled again while the commit stays the same.
set(QUENLOW_VERSION ${VERSION})
set(QUENLOW_COMMIT "built outside git, commit unknown")
find_program(GIT git)
if(GIT)
  # Only a checkout of this very tree counts, not a git repository around an unpacked copy.
  execute_process(COMMAND ${GIT} -C ${SOURCE} rev-parse --show-toplevel
    RESULT_VARIABLE failed OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE}" source)
  endif()
  if(NOT failed AND top STREQUAL source)
    execute_process(COMMAND ${GIT} -C ${SOURCE} rev-parse --short=12 HEAD
      RESULT_VARIABLE failed OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed AND commit)
      set(QUENLOW_COMMIT "commit ${commit}")
      execute_process(COMMAND ${GIT} -C ${SOURCE} status --porcelain --untracked-files=no
        OUTPUT_VARIABLE changes ERROR_QUIET)
      if(changes)
        string(APPEND QUENLOW_COMMIT " with local changes")
      endif()
    endif()
  endif()
endif()
configure_file(${TEMPLATE} ${OUTPUT}.new @ONLY)
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)

# Runs Microsoft's HTML Help compiler on a project:
#   cmake -DHHC=path/to/hhc.exe -DPROJECT=lvhelp.hhp -P run_hhc.cmake
# hhc answers 1 when it compiled the file and 0 when it failed, the reverse
# of every other tool, so its answer is turned round here for the build.
execute_process(COMMAND "${HHC}" "${PROJECT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 1)
  message(FATAL_ERROR "hhc failed on ${PROJECT} (exit code ${rc})")
endif()

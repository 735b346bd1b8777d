# Included by the test scripts run with cmake -P: sets WORK_DIR to a fresh
# folder "vokamo-test-<tag>-<what>-*" under the temp folder, named like the
# test programs' folders so that the check at the end of a run finds it if it
# is left behind. The script removes it when it is done.
#   test_folder(<what>)
function(test_folder what)
  set(temp "/tmp")
  if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
    set(temp "$ENV{TMPDIR}")
  endif()
  set(tag "$ENV{VOKAMO_TEST_TAG}")
  if(tag)
    set(tag "${tag}-")
  endif()
  string(RANDOM LENGTH 6 suffix)
  set(WORK_DIR "${temp}/vokamo-test-${tag}${what}-${suffix}" PARENT_SCOPE)
endfunction()

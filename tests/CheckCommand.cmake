# Runs the real program's file check as a teacher would, with no display at
# all, and holds it to its exit statuses and report lines.
#   cmake -DVOKAMO=path/to/vokamo -DWORK_DIR=folder -P CheckCommand.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# Saved by an editor on Linux: UTF-8 and LF.
file(WRITE "${WORK_DIR}/clean.dat" "comment\n単語 10 2\nI @am Ken.\n私はケンです。\nShe @likes cats.\n彼女はネコが好きです。\n")
file(WRITE "${WORK_DIR}/warning.dat" "comment\n単語 10 1\nShow me your @passport, please.\nパスポートを見せて。\n")
file(WRITE "${WORK_DIR}/error.dat" "comment\n単語 10 1\nthe @2nd day\n二日目\n")

# run(<expected status> <text the output must hold> <environment...> -- <arguments...>)
function(run expected pattern)
  set(env)
  set(args)
  set(target env)
  foreach(a IN LISTS ARGN)
    if(a STREQUAL "--")
      set(target args)
    else()
      list(APPEND ${target} "${a}")
    endif()
  endforeach()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            --unset=LC_ALL --unset=LC_MESSAGES --unset=LANG ${env} "${VOKAMO}" ${args}
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status STREQUAL "${expected}")
    message(SEND_ERROR "vokamo ${args} (${env}): exit ${status}, expected ${expected}\n${out}${err}")
  elseif(NOT "${out}${err}" MATCHES "${pattern}")
    message(SEND_ERROR "vokamo ${args} (${env}): output lacks '${pattern}':\n${out}${err}")
  else()
    message(STATUS "vokamo ${args} (${env}): ${status}")
  endif()
endfunction()

run(0 "clean.dat: 問題はありません（2 問）" -- --check clean.dat)
run(1 "warning.dat:3: 警告: 答の語「passport,」" LANG=ja_JP.UTF-8 -- --check clean.dat warning.dat)
run(2 "error.dat:3: エラー: .*\nwarning.dat:3: 警告" -- --check error.dat warning.dat)
run(2 "error.dat:3: error: the answer word \"2nd\"" LANG=C -- --check error.dat)
run(2 "error.dat:3: error:" LANG=de_DE.UTF-8 LC_ALL=en_GB.UTF-8 -- --check error.dat)
run(2 "error.dat:3: エラー:" LANG=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8 -- --check error.dat)
run(2 "missing.dat: error: cannot open the file \\(not found\\)" LANG=C -- --check missing.dat)
run(2 "--check" LANG=C -- --check)
run(0 "--check FILE.*--help" LANG=C -- --help)
run(0 "--check ファイル" -- --help)

cmake_minimum_required(VERSION 3.25)
# Runs the real program from a terminal with no display at all, as a teacher
# (or a script) would: the file check, the options in any position, the
# usage errors, and the window that has nowhere to open. Then holds --help,
# the manual page and the README to the same options.
#   cmake -DVOKAMO=path/to/vokamo -DVERSION=x.y -DMAN=vokamo.1 -DREADME=README.md
#         -P CommandLine.cmake
# The files live in a fresh test folder under the temp folder, removed at
# the end.

include(${CMAKE_CURRENT_LIST_DIR}/TestFolder.cmake)
test_folder(command-line)
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
  elseif(status EQUAL 64 AND NOT out STREQUAL "")
    message(SEND_ERROR "vokamo ${args} (${env}): a usage error belongs on stderr, not stdout:\n${out}")
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
run(64 "--check.*--help" LANG=C -- --check)
run(0 "--check FILE.*--help" LANG=C -- --help)
run(0 "--check ファイル" -- --help)

# Word tables: imported, refused at a cell with nothing written, never
# written over without --force, and written back out.
file(WRITE "${WORK_DIR}/words.csv" "課,問題文,意味\nL1,\"I @go home, too.\",行く\n")
file(WRITE "${WORK_DIR}/bad.csv" "課,問題文,意味\nL1,I @go,行く,extra\n")
run(0 "words.dat" LANG=C -- --import words.csv)
run(2 "bad.csv: error: D2: " LANG=C -- --import bad.csv)
run(2 "--force" LANG=C -- --import words.csv -o clean.dat)
run(0 "clean.dat" LANG=C -- --force --import words.csv -o clean.dat)
run(0 "back.csv" LANG=C -- --export words.dat -o back.csv)
run(64 "--title goes with --import" LANG=C -- --export words.dat --title x)
if(EXISTS "${WORK_DIR}/bad.dat")
  message(SEND_ERROR "a refused table left a question file")
endif()

# Options anywhere on the line; usage errors (64) name the word and show the
# usage; without a display the window program says so in the user's language
# (1), also when a display is named but cannot be reached; never an abort.
set(japanese "[^ -~\n]")
set(ascii_only "^[ -~\n]+$")
run(0 "^vokamo ${VERSION} \\(Qt [0-9]" LANG=C -- --version)
run(0 "^vokamo ${VERSION} " -- --home --version)
run(0 "clean.dat" LANG=C -- --home --check clean.dat)
run(0 "--check FILE" LANG=C -- --home somewhere --help)
run(0 "--check FILE" LANG=C -- -platform offscreen -h)
run(64 "--bogus.*--check FILE" LANG=C -- --bogus)
run(64 "-v.*--check FILE" LANG=C -- --home -v)
run(64 "stray.*--check FILE" LANG=C -- --home a stray)
run(64 "--version=" LANG=C -- --version=2)
run(1 "${japanese}" -- )
run(1 "${ascii_only}" LANG=C -- --home)
run(1 "${japanese}" LANG=ja_JP.UTF-8 -- --home "${WORK_DIR}/class")
run(1 "${ascii_only}" LANG=C DISPLAY=:65000 -- --home)
if(EXISTS "${WORK_DIR}/class")
  message(SEND_ERROR "a program that could not open its window made its folder")
endif()

# --help, the manual page and the README list the same options.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LANG=C "${VOKAMO}" --help OUTPUT_VARIABLE help)
string(REGEX MATCHALL "--[a-z][a-z-]*" listed "${help}")
file(READ "${MAN}" man)
file(READ "${README}" readme)
string(REGEX MATCHALL "\n\\.B[IR]? \\\\-\\\\-[a-z][a-z-]*" manned "${man}")
list(TRANSFORM manned REPLACE "^\n\\.B[IR]? " "")
list(TRANSFORM manned REPLACE "\\\\-" "-")
foreach(option IN LISTS listed)
  string(REPLACE "-" "\\-" escaped "${option}")
  string(FIND "${man}" "${escaped}" inMan)
  string(FIND "${readme}" "`${option}" inReadme)
  if(inMan EQUAL -1 OR inReadme EQUAL -1)
    message(SEND_ERROR "${option} is in --help but not in the manual page or the README")
  endif()
endforeach()
foreach(option IN LISTS manned)
  if(NOT option IN_LIST listed)
    message(SEND_ERROR "the manual page describes ${option}, which --help does not list")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")

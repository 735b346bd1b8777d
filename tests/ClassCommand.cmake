# Runs the real program's class overview as a teacher would from a terminal,
# with no display at all: the CSV, the hardest words and the PDF of a small
# class folder, and the exit statuses.
#   cmake -DVOKAMO=path/to/vokamo -P ClassCommand.cmake

include(${CMAKE_CURRENT_LIST_DIR}/TestFolder.cmake)
test_folder(class-command)
file(MAKE_DIRECTORY "${WORK_DIR}/class/a" "${WORK_DIR}/class/b" "${WORK_DIR}/config")
# A question file of two items as an editor on Linux saves it, and two
# pupils' records of it; b also holds another program's file.
file(WRITE "${WORK_DIR}/class/book.dat" "comment\nWords 10 2\nI @am Ken.\n私はケンです。\nShe @likes cats.\n彼女はネコが好きです。\n")
file(WRITE "${WORK_DIR}/class/a/taro.ret" "../book.dat\r\nWords\r\nTaro\r\n10,2,0,0,0,0\r\n2,2\r\n1,0\r\n")
file(WRITE "${WORK_DIR}/class/b/ken.ret" "../book.dat\r\nWords\r\nKen\r\n10,2,0,0,0,0\r\n0,-1\r\n3,0\r\n")
file(WRITE "${WORK_DIR}/class/b/notes.ret" "not a record\r\n")

# run(<expected status> <text the output must hold> -- <arguments...>)
function(run expected pattern)
  list(REMOVE_AT ARGN 0)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            --unset=LC_ALL --unset=LC_MESSAGES LANG=C XDG_CONFIG_HOME=${WORK_DIR}/config "${VOKAMO}" ${ARGN}
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT status STREQUAL "${expected}")
    message(SEND_ERROR "vokamo ${ARGN}: exit ${status}, expected ${expected}\n${out}${err}")
  elseif(NOT "${out}${err}" MATCHES "${pattern}")
    message(SEND_ERROR "vokamo ${ARGN}: output lacks '${pattern}':\n${out}${err}")
  else()
    message(STATUS "vokamo ${ARGN}: ${status}")
  endif()
endfunction()

function(expect_file name pattern)
  file(READ "${WORK_DIR}/${name}" text)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${name} lacks '${pattern}':\n${text}")
  endif()
endfunction()

# notes.ret is listed with its reason, and the status says so.
run(1 "b/notes.ret: " -- --class class --csv class.csv --csv-hard words.csv --pdf class.pdf)
# Taro: learned 1, wrong 1, 3 attempts, half of his range. Ken: wrong 1, never 1.
string(ASCII 239 187 191 bom)
expect_file(class.csv "^${bom}\"file\",\"title\",\"pupil\",\"record\",\"learned\"")
expect_file(class.csv "\"book.dat\",\"Words\",\"Taro\",\"a/taro.ret\",\"1\",\"0\",\"1\",\"0\",\"3\",\"50\",\"[0-9-]+T[0-9:]+[+-][0-9:]+\"")
expect_file(class.csv "\"Ken\",\"b/ken.ret\",\"0\",\"0\",\"1\",\"1\",\"3\",\"0\",")
# Item 2 is wrong for both pupils now: the hardest word.
expect_file(words.csv "\"book.dat\",\"Words\",\"1\",\"2\",\"likes\",\"彼女はネコが好きです。\",\"[^\"]*\",\"2\",\"0\",\"0.0\"")
expect_file(class.pdf "^%PDF")
# Only the good folder: everything read.
run(0 "\"Taro\"" -- --class class/a --csv -)
run(2 "cannot write" -- --class class/a --csv ${WORK_DIR}/missing/folder/x.csv)
run(64 "--bogus" -- --class class --bogus)
file(REMOVE_RECURSE "${WORK_DIR}")

# A read-me for the ZIP, as Notepad opens it on any Windows: CR LF line
# ends, and UTF-8 with a byte-order mark (ENCODING utf-8) or Shift_JIS
# (ENCODING cp932, for Notepad on a Japanese Windows, which takes a file
# without a mark for its own code page). A character cp932 cannot spell
# stops the build.
# cmake -DIN=source.txt -DOUT=target.txt -DENCODING=utf-8|cp932 -P ReadMeText.cmake
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
if(ENCODING STREQUAL "utf-8")
  string(ASCII 239 187 191 mark)
  file(WRITE ${OUT} "${mark}${text}")
elseif(ENCODING STREQUAL "cp932")
  file(WRITE ${OUT}.utf-8 "${text}")
  execute_process(COMMAND iconv -f UTF-8 -t CP932 ${OUT}.utf-8 OUTPUT_FILE ${OUT} RESULT_VARIABLE failed)
  file(REMOVE ${OUT}.utf-8)
  if(failed)
    file(REMOVE ${OUT})
    message(FATAL_ERROR "${IN}: not all of it can be written in cp932")
  endif()
else()
  message(FATAL_ERROR "ENCODING is utf-8 or cp932, not '${ENCODING}'")
endif()

# Writes the software-centre metadata from data/veskor.metainfo.xml.in (script mode, cmake -P):
#   -DIN=template -DOUT=file -DVERSION=4.5 -DDATE=YYYY-MM-DD [-DSCREENSHOT_URL=https://...]
# The screenshots are named by their paths in the repository; SCREENSHOT_URL is where the
# repository's docs/ folder can be fetched from. Software centres take screenshots by address
# only, so without one the screenshots are left out.
foreach(arg IN ITEMS IN OUT VERSION DATE)
  if(NOT DEFINED ${arg} OR "${${arg}}" STREQUAL "")
    message(FATAL_ERROR "Metainfo.cmake: -D${arg}=... is required")
  endif()
endforeach()
if(NOT DATE MATCHES "^[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]$")
  message(FATAL_ERROR "Metainfo.cmake: DATE '${DATE}' is not YYYY-MM-DD")
endif()

file(READ "${IN}" text)
if("${SCREENSHOT_URL}" STREQUAL "")
  string(REGEX REPLACE "\n *<screenshots>.*</screenshots>" "" text "${text}")
  if(text MATCHES "<screenshots>")
    message(FATAL_ERROR "Metainfo.cmake: could not leave the screenshots out of ${IN}")
  endif()
else()
  string(REGEX REPLACE "/+$" "" SCREENSHOT_URL "${SCREENSHOT_URL}")
endif()
string(CONFIGURE "${text}" text @ONLY)
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")

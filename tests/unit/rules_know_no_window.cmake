# Fails when a file in launch/, logon/, setup/ or ui/ includes a header of app/: those folders hold rules
# that do not know the window, and app/ (the window) depends on them, never the other way.
# Run as: cmake -DSOURCE_DIR=<src> -P rules_know_no_window.cmake
file(GLOB_RECURSE rule_files
  ${SOURCE_DIR}/launch/*.h ${SOURCE_DIR}/launch/*.cpp
  ${SOURCE_DIR}/logon/*.h ${SOURCE_DIR}/logon/*.cpp
  ${SOURCE_DIR}/setup/*.h ${SOURCE_DIR}/setup/*.cpp
  ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/ui/*.cpp)
set(offenders "")
foreach(file IN LISTS rule_files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]app/")
  if(includes)
    file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
    list(APPEND offenders "${name}: ${includes}")
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " lines)
  message(FATAL_ERROR "Rule files include the window's headers:\n  ${lines}")
endif()

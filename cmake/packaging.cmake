# Packages made by CPack (cpack in the build folder). What every package says of Opalist is
# here; each system's package format has a file of its own beside this one.
set(CPACK_PACKAGE_NAME opalist)
set(CPACK_PACKAGE_VENDOR "The Opalist team")
set(CPACK_PACKAGE_CONTACT "The Opalist team <opalist@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://opalist.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Optionally launches selected applications at system startup")
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_debian.cmake)
elseif(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/packaging_windows.cmake)
endif()

include(CPack)

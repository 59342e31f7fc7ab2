# The portable Windows package: Opalist-<version>-win64.zip holding Opalist.exe, a short readme
# and the licence. Unzipped anywhere writable, it keeps its settings and log beside the exe.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/readme.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
# The exe is linked stripped; stripping it again would break a signature (scripts/sign-windows).
set(CPACK_STRIP_FILES OFF)
set(CPACK_PACKAGE_FILE_NAME Opalist-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

# The installer: cmake/packaging_msi.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/packaging_msi.cmake)

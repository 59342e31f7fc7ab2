# The portable Windows package: Opalist-<version>-win64.zip holding Opalist.exe and a short
# readme. Unzipped anywhere writable, it keeps its settings and log beside the exe.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/readme.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME Opalist-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)

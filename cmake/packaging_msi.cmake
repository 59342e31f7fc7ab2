# The per-user Windows Installer package, Opalist-<version>-x64.msi, built with wixl (Debian
# msitools) from packaging/windows/opalist.wxs. wixl implements a subset of the WiX schema, so
# msibuild then adds what it cannot express: the condition of the log-on start, the second
# folder removed on uninstall, and an upgrade rule that includes the same version.

find_program(OPALIST_WIXL wixl)
find_program(OPALIST_MSIBUILD msibuild)
# The same for every version: it tells Windows Installer that each package upgrades the last.
set(OPALIST_MSI_UPGRADE_CODE C602C1C2-3D33-405D-9149-41D66E01952F)

# opalist_msi(target version file): a target building the package of the given version (the
# tests make an earlier one to upgrade from) from the opalist program into file.
function(opalist_msi target version file)
  set(stage ${CMAKE_CURRENT_BINARY_DIR}/${target})
  set(code "{${OPALIST_MSI_UPGRADE_CODE}}")
  add_custom_command(OUTPUT ${file}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:opalist> ${stage}/$<TARGET_FILE_NAME:opalist>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/src/gui/win32/opalist.ico
            ${PROJECT_SOURCE_DIR}/packaging/windows/opalist.wxs ${stage}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${OPALIST_WIXL} -a x64 -D Version=${version} -D "Manufacturer=${CPACK_PACKAGE_VENDOR}"
            -D UpgradeCode=${OPALIST_MSI_UPGRADE_CODE} -D ProgramFile=$<TARGET_FILE_NAME:opalist>
            -o ${stage}/package.msi opalist.wxs
    COMMAND ${OPALIST_MSIBUILD} ${stage}/package.msi
      -q "UPDATE `Component` SET `Condition` = 'AUTOSTART = \"1\"' WHERE `Component` = 'LogonStart'"
      -q "UPDATE `RemoveFile` SET `DirProperty` = 'UserProgramsFolder' WHERE `FileKey` = 'RemoveUserProgramsFolder'"
      -q "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'EARLIER_OPALIST'"
      -q "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMin`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('${code}', '0.0.0', '${version}', 768, 'EARLIER_OPALIST')"
    COMMAND ${CMAKE_COMMAND} -E rename ${stage}/package.msi ${file}
    DEPENDS opalist ${PROJECT_SOURCE_DIR}/packaging/windows/opalist.wxs
            ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/src/gui/win32/opalist.ico
    COMMENT "Building ${file}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${file})
endfunction()

if(TARGET opalist AND OPALIST_WIXL AND OPALIST_MSIBUILD)
  set(OPALIST_MSI ${CMAKE_BINARY_DIR}/Opalist-${PROJECT_VERSION}-x64.msi)
  opalist_msi(opalist_msi ${PROJECT_VERSION} ${OPALIST_MSI})
  # What scripts/sign-windows signs (the program, then the MSI) and the zip it makes again.
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/windows-release.txt
    CONTENT "$<TARGET_FILE:opalist>\n${OPALIST_MSI}\n${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip\n")
elseif(TARGET opalist)
  message(STATUS "No wixl and msibuild (Debian msitools): the MSI package is not built")
endif()

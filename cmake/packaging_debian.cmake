# The Debian package: opalist_<version>_<arch>.deb, installed under /usr, its library
# dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary line in front of this.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Opalist runs right after you log on. Its window counts a chosen interval
down, then opens every entry of your launch list in order: programs with
their options, documents and web addresses. Until then you can stop,
continue or skip the countdown, run the entries one by one, or change the
list. Failed launches are shown and kept in a per-user error log. The
interface speaks English and Czech.")

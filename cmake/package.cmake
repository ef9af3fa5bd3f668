# The Debian package of the Linux build (scripts/package, `cpack -G DEB` in a
# build folder): what `cmake --install` puts under /usr, its dependencies
# found by dpkg-shlibdeps in the program's libraries, plus the fonts that
# stand in for the Windows faces.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Quillon developers <quillon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen saver that types text documents like an old terminal")
set(CPACK_PACKAGE_DESCRIPTION
"Quillon fetches plain-text documents from a list of URLs and types them
on the screen like an old green-on-black terminal, one character at a time,
scrolling up a line at the end of every line. Any URL that libcurl fetches
will do; RSS and Atom feeds are typed as their headlines.

It runs embedded in XScreenSaver, xsecurelock and the MATE and Xfce screen
savers, and has a page in XScreenSaver's settings.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xsecurelock")
set(CPACK_STRIP_FILES ON)
# Every file and folder of the package owned by root, with the permissions
# Debian expects (the installation sets them; the umask does not leak in).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The package holds the program and its files, not the tests: packing
# builds nothing (scripts/package builds what it needs first).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

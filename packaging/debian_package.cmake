# `cpack -G DEB` in a build tree makes whinv_<version>_<architecture>.deb of what the install
# rules hold. The version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME whinv)
set(CPACK_PACKAGE_VENDOR "whinv developers")
set(CPACK_PACKAGE_CONTACT "whinv developers <whinv@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "warehouse and inventory correspondence maintainer")
set(CPACK_PACKAGE_DESCRIPTION [[
Keeps, for every pair of warehouse and inventory item, the stock limits
(highest, lowest, safety stock, loss rate), the stock-check cycle, the date of
the last check and the storekeeper, in a SQLite file or on a PostgreSQL server.
.
The package holds the desktop program, the demo database builder
(whinv-demo-db) and the report tool for scripts (whinv-report). On a first
start without configuration the program builds a demo database in the user's
data folder and opens it.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link are found by dpkg-shlibdeps. Qt loads its SVG icon plugin at
# run time, which no linked library tells.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# The windows' texts are Chinese: a font that has the characters, and Qt's own Chinese buttons.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# Installed with DESTDIR under the package's own prefix, so that the install rules see /usr as
# CMAKE_INSTALL_PREFIX and write it into the component registration.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
include(CPack)

# The Debian package, built by CPack from the install rules (cmake/Install.cmake):
#   cmake --build build && (cd build && cpack)     or scripts/package.sh
# The run-time dependencies are worked out from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vilaron-setup)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vilaron register setup tool developers")
set(CPACK_PACKAGE_CONTACT "${VILARON_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set up Vilaron fiscal cash registers over a serial port")
# The long description; the summary above becomes its first line.
set(CPACK_PACKAGE_DESCRIPTION "A desktop program for service technicians who set up Vilaron fiscal cash
registers. With the register on a serial port, it reads the register's
parameters family by family into tables, lets them be edited and writes
them back: receipt header lines, tax rates, departments, the 4000-article
table, groups, operators, the receipt logo and the passwords. Article and
department tables are saved to and loaded from CSV files, so that one
prepared set goes into several registers.
.
The package also holds vilaron-register-sim, a register simulator on a
pseudo-terminal for training, demonstrations and tests without a register.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no binary names them: the window system plug-ins of
# Qt, and the metric twin of the Arial font the window is laid out in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

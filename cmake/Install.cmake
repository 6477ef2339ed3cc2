# What `cmake --install` puts where, for the whole program: the executables,
# the desktop menu entry and icon, the manual pages and the documents. The
# targets are named here, so their own folders carry no install rules.
include(GNUInstallDirs)

set(VILARON_PACKAGE_MAINTAINER
    "The Vilaron register setup tool developers <vilaron-setup@example.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")
set(VILARON_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vilaron-setup)
set(VILARON_ICON_SIZES 16 22 24 32 48 64 128 256)
set(packaging_src ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_out})

install(TARGETS vilaron-setup vilaron-register-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line tool joins as soon as its target exists.
if(TARGET vilaron-cli)
  install(TARGETS vilaron-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Manual pages and the changelog are installed compressed, as Debian expects
# (gzip -n: no name or time stamp, so the package is reproducible).
set(generated_files)
function(vilaron_gzip input)
  add_custom_command(OUTPUT ${input}.gz
    COMMAND gzip -9 -n -k -f ${input}
    DEPENDS ${input}
    VERBATIM)
endfunction()

set(man_pages vilaron-setup vilaron-register-sim)
if(TARGET vilaron-cli)
  list(APPEND man_pages vilaron-cli)
endif()
foreach(page ${man_pages})
  configure_file(${packaging_src}/man/${page}.1.in ${packaging_out}/${page}.1 @ONLY)
  vilaron_gzip(${packaging_out}/${page}.1)
  list(APPEND generated_files ${packaging_out}/${page}.1.gz)
  install(FILES ${packaging_out}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

configure_file(${packaging_src}/changelog.in ${packaging_out}/changelog @ONLY)
vilaron_gzip(${packaging_out}/changelog)
list(APPEND generated_files ${packaging_out}/changelog.gz)

# The licence, in the machine-readable form Debian reads from the copyright
# file; its text comes from LICENSE alone.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence_text)
string(FIND "${licence_text}" "Permission is hereby granted" licence_start)
string(SUBSTRING "${licence_text}" ${licence_start} -1 licence_body)
string(STRIP "${licence_body}" licence_body)
string(REPLACE "\n\n" "\n.\n" licence_body "${licence_body}")
string(REPLACE "\n" "\n " licence_body "${licence_body}")
set(VILARON_LICENSE_BODY " ${licence_body}")
configure_file(${packaging_src}/copyright.in ${packaging_out}/copyright @ONLY)

# The icon is drawn as SVG; the fixed sizes are rendered from it.
find_program(VILARON_RSVG_CONVERT rsvg-convert)
if(NOT VILARON_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert renders the program's icon: install librsvg2-bin (scripts/setup.sh does)")
endif()
foreach(size ${VILARON_ICON_SIZES})
  set(png ${packaging_out}/icons/${size}x${size}/vilaron-setup.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}/icons/${size}x${size}
    COMMAND ${VILARON_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${packaging_src}/vilaron-setup.svg
    DEPENDS ${packaging_src}/vilaron-setup.svg
    VERBATIM)
  list(APPEND generated_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(vilaron_install_files ALL DEPENDS ${generated_files})

install(FILES ${packaging_src}/vilaron-setup.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging_src}/vilaron-setup.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${packaging_out}/copyright ${packaging_out}/changelog.gz
        DESTINATION ${VILARON_DOCDIR})

# Installation and the Debian package: the three programs, the desktop entry, the
# icon (SVG and PNG sizes), AppStream metainfo, the man pages (made from Markdown
# with go-md2man), the site view's reference, and the copyright file and changelog
# Debian's policy asks for. `cpack -G DEB` in the build folder makes the package.
include(GNUInstallDirs)

install(TARGETS o2-haldrix o2-haldrix-cli plantsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(O2H_APP_ID org.o2haldrix.O2Haldrix)
set(pkg ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${pkg}/${O2H_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pkg}/${O2H_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${pkg}/o2-haldrix.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The site view's topics and payloads, for whoever sets up the dashboard.
install(FILES ${PROJECT_SOURCE_DIR}/docs/mqtt.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/o2-haldrix)

find_program(O2H_RSVG rsvg-convert)
find_program(O2H_MD2MAN go-md2man)
find_program(O2H_GZIP gzip)
set(generated)
if(O2H_RSVG)
  foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/o2-haldrix.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${O2H_RSVG} -w ${size} -h ${size} -o ${png} ${pkg}/o2-haldrix.svg
      DEPENDS ${pkg}/o2-haldrix.svg VERBATIM)
    list(APPEND generated ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(STATUS "rsvg-convert not found: no PNG icons in the package")
endif()
if(O2H_MD2MAN AND O2H_GZIP)
  foreach(page o2-haldrix o2-haldrix-cli plantsim)
    set(man ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${man}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${O2H_MD2MAN} -in ${pkg}/man/${page}.1.md -out ${CMAKE_BINARY_DIR}/man/${page}.1
      COMMAND ${O2H_GZIP} -n -9 -f ${CMAKE_BINARY_DIR}/man/${page}.1
      DEPENDS ${pkg}/man/${page}.1.md VERBATIM)
    list(APPEND generated ${man})
    install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  message(STATUS "go-md2man not found: no man pages in the package")
endif()
# The package's revision: a package whose version has one is not "native", and
# its changelog is changelog.Debian.gz. Give the changelog a new entry (and a new
# date) with each version.
set(O2H_DEB_RELEASE 1)
set(O2H_DEB_VERSION ${PROJECT_VERSION}-${O2H_DEB_RELEASE})
install(FILES ${pkg}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/o2-haldrix)
install(FILES ${pkg}/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME o2-haldrix)
configure_file(${pkg}/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/in/changelog.Debian @ONLY)
set(changelog ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/debian/in/changelog.Debian ${CMAKE_BINARY_DIR}/debian/changelog.Debian
  COMMAND ${O2H_GZIP} -n -9 -f ${CMAKE_BINARY_DIR}/debian/changelog.Debian
  DEPENDS ${CMAKE_BINARY_DIR}/debian/in/changelog.Debian VERBATIM)
list(APPEND generated ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/o2-haldrix)
add_custom_target(o2h_package_files ALL DEPENDS ${generated})

set(CPACK_PACKAGE_NAME o2-haldrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "O2-Haldrix <support@o2haldrix.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Control program for compost aeration plants")
# The synopsis is the summary; the lines of the extended description stay under 80
# characters.
set(CPACK_PACKAGE_DESCRIPTION "Runs up to 32 compost aeration controllers on one serial line, keeps one
data file per pile and prints measurement, quality-association and
hygienisation protocols. With a command-line companion and a plant
simulator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${O2H_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# What `cmake --install` puts where on Linux, and the Debian package cpack makes of it:
# konwerter_<version>_amd64.deb with konwerter-cli and its Polish manual page, and the
# window konwerter (when Qt 6 is there) with its manual page, desktop entry and icon. The
# package's dependencies are worked out by dpkg-shlibdeps from the programs' libraries.
include(GNUInstallDirs)

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(manual_dir ${CMAKE_BINARY_DIR}/man)

# A manual page with the project's version, compressed as Debian keeps them, installed both
# for Polish readers and as the page `man` shows in any other language.
function(konwerter_manual_page name)
  configure_file(${packaging}/debian/${name}.1 ${manual_dir}/${name}.1 @ONLY)
  add_custom_command(OUTPUT ${manual_dir}/${name}.1.gz
    COMMAND gzip -9nkf ${name}.1
    DEPENDS ${manual_dir}/${name}.1
    WORKING_DIRECTORY ${manual_dir}
    VERBATIM)
  add_custom_target(${name}_manual_page ALL DEPENDS ${manual_dir}/${name}.1.gz)
  foreach(folder pl/man1 man1)
    install(FILES ${manual_dir}/${name}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/${folder})
  endforeach()
endfunction()

set(VERSION ${PROJECT_VERSION})
install(TARGETS konwerter-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
konwerter_manual_page(konwerter-cli)
if(TARGET konwerter)
  install(TARGETS konwerter RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  konwerter_manual_page(konwerter)
  install(FILES ${packaging}/debian/konwerter.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging}/konwerter.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME konwerter)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "konwerter <konwerter@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "przeniesienie danych systemu TEROKAN z wersji DOS do wersji Windows")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "przeniesienie danych systemu TEROKAN z wersji DOS do wersji Windows
konwerter-cli jednorazowo przenosi dane wersji DOS systemu TEROKAN (tabele
dBase III zapisane przez Clippera, indeksy .ntx, pliki .mem) do nowej bazy
wersji Windows (tabele dBase poziomu 5 z indeksami .mdx). konwerter to okno
tej samej konwersji.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

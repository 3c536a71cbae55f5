# What a shop installs: the two programs, the desktop entry with its icon, the
# manual pages, the help pages and the Debian package made of them by CPack
# (`make package`).
include(GNUInstallDirs)

# The package carries the number of the ledger build the programs write
# ("Build2.06" -> 2.06), read from the one place the programs take it from.
file(STRINGS ${CMAKE_SOURCE_DIR}/storage/ledger/LedgerSchema.h VINTOR_BUILD_LINE
  REGEX "CurrentBuild = QStringLiteral")
if(NOT VINTOR_BUILD_LINE MATCHES "\"Build([0-9.]+)\"")
  message(FATAL_ERROR "No current build in storage/ledger/LedgerSchema.h")
endif()
set(VINTOR_PACKAGE_VERSION ${CMAKE_MATCH_1})

# The icon's PNG sizes, rendered from the SVG at build time.
find_package(Qt6 REQUIRED COMPONENTS Svg)
add_executable(vintor_render_icon packaging/RenderIcon.cpp)
target_link_libraries(vintor_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(VINTOR_ICON_SIZES 16 22 24 32 48 64 128 256)
set(VINTOR_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(VINTOR_ICON_PNGS)
foreach(size ${VINTOR_ICON_SIZES})
  list(APPEND VINTOR_ICON_PNGS ${VINTOR_ICON_DIR}/vintor-${size}.png)
endforeach()
add_custom_command(OUTPUT ${VINTOR_ICON_PNGS}
  COMMAND vintor_render_icon ${CMAKE_SOURCE_DIR}/packaging/vintor.svg ${VINTOR_ICON_DIR}
    ${VINTOR_ICON_SIZES}
  DEPENDS vintor_render_icon ${CMAKE_SOURCE_DIR}/packaging/vintor.svg
  COMMENT "Rendering the program icon")

# The manual pages and the changelog, compressed as Debian keeps them.
set(VINTOR_DOC_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/changelog.in ${VINTOR_DOC_DIR}/changelog @ONLY)
set(VINTOR_GZIPPED)
foreach(source docs/vintor.1 docs/vintorctl.1 ${VINTOR_DOC_DIR}/changelog)
  get_filename_component(name ${source} NAME)
  get_filename_component(path ${source} ABSOLUTE)
  add_custom_command(OUTPUT ${VINTOR_DOC_DIR}/${name}.gz
    COMMAND gzip -9nc ${path} > ${VINTOR_DOC_DIR}/${name}.gz
    DEPENDS ${path})
  list(APPEND VINTOR_GZIPPED ${VINTOR_DOC_DIR}/${name}.gz)
endforeach()
add_custom_target(vintor_package_files ALL DEPENDS ${VINTOR_ICON_PNGS} ${VINTOR_GZIPPED})

set(VINTOR_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vintor)
install(TARGETS vintor vintorctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/vintor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/vintor.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${VINTOR_ICON_SIZES})
  install(FILES ${VINTOR_ICON_DIR}/vintor-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vintor.png)
endforeach()
install(FILES ${VINTOR_DOC_DIR}/vintor.1.gz ${VINTOR_DOC_DIR}/vintorctl.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The help window reads the pages compiled into the program; the same pages
# can be read in a browser.
install(DIRECTORY app/help/ DESTINATION ${VINTOR_INSTALL_DOCDIR}/html)
install(FILES packaging/copyright ${VINTOR_DOC_DIR}/changelog.gz
  DESTINATION ${VINTOR_INSTALL_DOCDIR})

# Installing (and so cpack) builds nothing: `make package` builds the programs
# and the files above first, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vintor)
set(CPACK_PACKAGE_VERSION ${VINTOR_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolmar 软件")
set(CPACK_PACKAGE_CONTACT "Tolmar 软件 <support@tolmar-software.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video disc rental and sales shop manager")
set(CPACK_PACKAGE_DESCRIPTION "Tolmar-didorivizo is the desktop manager of a shop that rents out and sells
video discs: the rental and sales counters, stock-in, members and their
payments, fund accounts, receipts on a ticket printer, reports and the
ledger files. Its interface is in Simplified Chinese.

The package holds the desktop program vintor and vintorctl, the
command-line tool for backups, restores, upgrades and reports.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vintor)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tolmar-software.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the binaries do not name: Qt's Chinese buttons and dialogs, a font
# with Chinese glyphs, and xdg-email for sending a ledger by mail.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-translations-l10n, fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The Debian package: `cpack -G DEB` in a build folder makes tagloom_<version>_<arch>.deb
# (scripts/package.sh does it for the release flavour). Besides the program, the desktop entry, the
# icons and the example, it carries what Debian and software centres look for: a manual page,
# AppStream metadata, the copyright and the changelog.
include(GNUInstallDirs)

set(TAGLOOM_LICENSE GPL-3.0-or-later)
set(TAGLOOM_REPOSITORY tagloom/tagloom)
set(TAGLOOM_HOMEPAGE https://github.com/${TAGLOOM_REPOSITORY})
set(TAGLOOM_SCREENSHOT_URL https://raw.githubusercontent.com/${TAGLOOM_REPOSITORY}/main/docs/screenshot.png)
set(TAGLOOM_MAINTAINER "Tagloom developers <tagloom@users.noreply.github.com>")

# The changelog is the release history, so its top entry must be this version: a release cannot
# go out without its notes. Its date is the release date the manual page and the metadata show.
set(changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} entry REGEX "^(tagloom \\(| -- )" LIMIT_COUNT 2)
list(GET entry 0 heading)
list(GET entry 1 trailer)
string(REGEX MATCH "^tagloom \\(([^)]+)\\)" _ "${heading}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog starts with version '${CMAKE_MATCH_1}', the project is "
    "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION} at its top.")
endif()
string(REGEX MATCH ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) " _ "${trailer}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months "${CMAKE_MATCH_2}" month)
if(month LESS 0)
  message(FATAL_ERROR "packaging/changelog: no date in the trailer line '${trailer}'")
endif()
math(EXPR month "101 + ${month}") # 101 to 112: the two digits of the month after the 1
string(SUBSTRING ${month} 1 2 month)
set(TAGLOOM_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

# Debian wants documentation compressed with gzip -9, and without a timestamp so that two builds
# of the same sources give the same package.
function(tagloom_gzip file)
  execute_process(COMMAND gzip -9nkf ${file} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

set(pages ${PROJECT_BINARY_DIR}/packaging)
configure_file(docs/tagloom.1.in ${pages}/tagloom.1 @ONLY)
tagloom_gzip(${pages}/tagloom.1)
configure_file(packaging/changelog ${pages}/changelog COPYONLY)
tagloom_gzip(${pages}/changelog)
configure_file(packaging/metainfo.xml.in ${pages}/${TAGLOOM_APP_ID}.metainfo.xml @ONLY)

install(FILES ${pages}/tagloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pages}/${TAGLOOM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright ${pages}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tagloom)
set(CPACK_PACKAGE_VENDOR "Tagloom developers")
set(CPACK_PACKAGE_CONTACT "${TAGLOOM_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch label printer with QR codes and barcodes")
set(CPACK_PACKAGE_DESCRIPTION [[
Tagloom prints labels in batches: one label picture, drawn or scanned, and
a workbook (the sheet named sheet1 of an Excel 97-2003 file). It places one
movable text item per column on the label, a QR code and a Code 128 barcode
fed by chosen columns, and prints one label page per row, at the label's
true size, on a label printer or any other printer, or to PDF.

Designs are saved to and loaded from small layout files; the print command
prints a layout from the command line without a display.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories as Debian has them, whatever the umask of the person who builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAGLOOM_HOMEPAGE})
# The libraries come from the binary itself, CUPS's among them. Qt finds the rest at run time: the
# X11 platform plugin and the image readers ship with libqt6gui6, which the binary names. What
# nothing names: the CJK font the labels and the Chinese interface are drawn with, and Qt's own
# Chinese texts for its dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-translations-l10n")
# Printing to a printer goes through CUPS; a machine without a print system still prints to PDF.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")

include(CPack)

# Installing like a desktop program: the programs, the pictures library, the desktop entry, the
# icon in the hicolor theme, the AppStream metainfo, the man pages and the bash completion, each
# in its standard place; `cpack -G DEB` packs the same tree into a Debian package.

include(GNUInstallDirs)

set(KINLOOM_APP_ID io.github.quillfern.Kinloom)
set(KINLOOM_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS kinloom-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Man pages are installed compressed, as Debian's tools expect.
set(_kinloom_man_pages)
foreach(_page kinloom-cli kinloom)
  set(_gz ${CMAKE_CURRENT_BINARY_DIR}/man/${_page}.1.gz)
  add_custom_command(
    OUTPUT ${_gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND gzip -9nc ${KINLOOM_PACKAGING_DIR}/${_page}.1 > ${_gz}
    DEPENDS ${KINLOOM_PACKAGING_DIR}/${_page}.1
    VERBATIM)
  list(APPEND _kinloom_man_pages ${_gz})
endforeach()
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/kinloom-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KINLOOM_PACKAGING_DIR}/kinloom-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kinloom-cli)

# The licence and the changelog, where Debian keeps a package's own. The changelog's latest
# entry must be this version, released on the day the metainfo gives; it is compressed without
# a name or time stamp so that every build packs the same bytes.
set(_kinloom_changelog_in ${KINLOOM_PACKAGING_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_kinloom_changelog_in})
file(STRINGS ${_kinloom_changelog_in} _kinloom_changelog_top LIMIT_COUNT 1)
file(STRINGS ${_kinloom_changelog_in} _kinloom_changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
set(_kinloom_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
string(REGEX MATCH "  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) " _
  "${_kinloom_changelog_trailer}")
set(_kinloom_day "${CMAKE_MATCH_1}")
set(_kinloom_year "${CMAKE_MATCH_3}")
list(FIND _kinloom_months "${CMAKE_MATCH_2}" _kinloom_month)
string(REGEX REPLACE "^([0-9])$" "0\\1" _kinloom_day "${_kinloom_day}")
math(EXPR _kinloom_month "${_kinloom_month} + 1")
string(REGEX REPLACE "^([0-9])$" "0\\1" _kinloom_month "${_kinloom_month}")
string(REPLACE "." "\\." _kinloom_version_pattern "${PROJECT_VERSION}")
if(NOT "${_kinloom_year}-${_kinloom_month}-${_kinloom_day}" STREQUAL KINLOOM_RELEASE_DATE
   OR NOT _kinloom_changelog_top MATCHES "^kinloom \\(${_kinloom_version_pattern}\\) ")
  message(FATAL_ERROR "packaging/changelog's latest entry must be kinloom (${PROJECT_VERSION}), "
    "dated ${KINLOOM_RELEASE_DATE}; it begins '${_kinloom_changelog_top}' and ends "
    "'${_kinloom_changelog_trailer}'")
endif()
set(_kinloom_changelog ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
  OUTPUT ${_kinloom_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/doc
  COMMAND gzip -9nc ${_kinloom_changelog_in} > ${_kinloom_changelog}
  DEPENDS ${_kinloom_changelog_in}
  VERBATIM)
install(FILES ${KINLOOM_PACKAGING_DIR}/copyright ${_kinloom_changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kinloom)

if(KINLOOM_GUI)
  install(TARGETS kinloom RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/kinloom.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # The program looks for its pictures library beside itself, then here (see PicturesLibrary).
  install(FILES ${KINLOOM_IMAGES_RCC} DESTINATION ${CMAKE_INSTALL_DATADIR}/kinloom)
  install(FILES ${KINLOOM_PACKAGING_DIR}/${KINLOOM_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KINLOOM_PACKAGING_DIR}/${KINLOOM_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  set(_kinloom_icon_sizes 16 22 24 32 48 64 128 256)
  set(_kinloom_icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
  set(_kinloom_icons)
  foreach(_size IN LISTS _kinloom_icon_sizes)
    list(APPEND _kinloom_icons ${_kinloom_icon_dir}/${_size}.png)
    install(FILES ${_kinloom_icon_dir}/${_size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
      RENAME ${KINLOOM_APP_ID}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${_kinloom_icons}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:kinloom_render_icon>
            ${KINLOOM_PACKAGING_DIR}/${KINLOOM_APP_ID}.svg ${_kinloom_icon_dir} ${_kinloom_icon_sizes}
    DEPENDS kinloom_render_icon ${KINLOOM_PACKAGING_DIR}/${KINLOOM_APP_ID}.svg
    COMMENT "Rendering the program's icon")

  configure_file(${KINLOOM_PACKAGING_DIR}/${KINLOOM_APP_ID}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/${KINLOOM_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KINLOOM_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  add_custom_target(kinloom_desktop_files ALL
    DEPENDS ${_kinloom_icons} ${_kinloom_man_pages} ${_kinloom_changelog})
else()
  add_custom_target(kinloom_desktop_files ALL DEPENDS ${_kinloom_man_pages} ${_kinloom_changelog})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kinloom)
set(CPACK_PACKAGE_VENDOR Quillfern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the saved neighborhoods of The Sims 2")
# Debian wants the extended description's lines within 80 columns, cpack's leading space
# included.
set(CPACK_PACKAGE_DESCRIPTION
  "Kinloom opens the saved neighborhoods of The Sims 2 while the game is closed\n\
and edits every sim: names, life stage, personality, skills, interests,\n\
hobbies, aspiration, career, school, university, relationships, turn-ons,\n\
family ties, genes and parents. kinloom-cli does the same from a terminal.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/quillfern/kinloom)
set(CPACK_STRIP_FILES ON)
# Directories are packed 0755 whatever the builder's umask, as Debian wants them.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageDirectories.cmake)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillfern <kinloom@quillfern.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt, libpng, libjpeg, zlib, libstdc++) become Depends with the
# versions dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The Debian package `qel`, built by CPack (scripts/package.sh): the installed files above, with
# the copyright file and the changelog where Debian keeps them, and dependencies found by
# dpkg-shlibdeps. The menu, file type and icon caches are refreshed by the triggers of the packages
# that own them, so the package has no scripts of its own.
set(QEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qel)

# The changelog's newest entry names the version being built; a release that forgets it fails here.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^qel \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: the newest entry is not version ${PROJECT_VERSION}: ${newest}")
endif()
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/${QEL_APP_ID}.metainfo.xml release REGEX "<release ")
if(NOT release MATCHES "version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/${QEL_APP_ID}.metainfo.xml: the newest release is not ${PROJECT_VERSION}")
endif()

set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
qel_gzip(${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog ${changelog})
install(FILES debian/copyright ${changelog} DESTINATION ${QEL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The QEL developers")
set(CPACK_PACKAGE_CONTACT "The QEL developers <maintainers@users.noreply.c-seed-5ea04ecb.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "development environment and interpreter for a teaching language")
set(CPACK_PACKAGE_DESCRIPTION
    "QEL is a development environment and interpreter for the QEL teaching
language. Learners build programs one instruction line at a time through an
editor dialog for each instruction, run them in a window they draw in and
that answers keys, the mouse and a timer, and follow them with breakpoints,
single steps and a profile of every line. A forms designer lays out the forms
programs open.

The qeltool command runs programs without a display, and grades a class's
programs against a teacher's in sandboxed processes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Arial in programs is drawn with its metric twin; OpenDoc hands documents to the desktop; Qt's own
# dialogs and buttons follow the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
include(CPack)

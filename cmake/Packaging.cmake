# Install layout and the Debian package.
#
# The executable and its help file share one program folder, because the
# program opens the help file that lies beside it. On Linux that folder is
# libexec/nested-logic-test with a link in bin/; on Windows it is the top of
# the installation, so the installed folder and the portable one look alike.
include(GNUInstallDirs)

if(WIN32)
    set(NLT_INSTALL_PROGRAM_DIR .)
else()
    set(NLT_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/nested-logic-test)
endif()

install(TARGETS nested-logic-test
        RUNTIME DESTINATION ${NLT_INSTALL_PROGRAM_DIR}
        BUNDLE DESTINATION .)

install(FILES "${NLT_HELP_FILE}" DESTINATION ${NLT_INSTALL_PROGRAM_DIR})

if(UNIX AND NOT APPLE)
    # bin/nested-logic-test -> ../libexec/nested-logic-test/nested-logic-test
    file(RELATIVE_PATH link_target
         /${CMAKE_INSTALL_BINDIR}
         /${NLT_INSTALL_PROGRAM_DIR}/nested-logic-test)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
    file(CREATE_LINK ${link_target} ${CMAKE_BINARY_DIR}/install-links/nested-logic-test SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/install-links/nested-logic-test
            DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

include(${PROJECT_SOURCE_DIR}/cmake/Release.cmake)

# The package takes its version from the project (CPACK_PACKAGE_VERSION
# defaults to PROJECT_VERSION); a version without a Debian revision makes it
# a native package, whose changelog is usr/share/doc/<package>/changelog.gz.
set(CPACK_PACKAGE_NAME nested-logic-test)
set(CPACK_PACKAGE_VENDOR "Zentrix")
set(CPACK_PACKAGE_CONTACT "${NLT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mental nested logic test with two- and three-valued logic")
# Lines of at most 79 characters: the package adds one blank in front.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Shows a random nested logic expression written in words; work out its value"
    "in your head and answer True, False or Unknown. Each right answer raises the"
    "level and grows the next expression; the first wrong answer ends the run and"
    "reports the level reached and four scores.")
if(WIN32)
    # An installer into Program Files\Nested Logic Test with a Start-menu
    # entry and an uninstaller, and a portable folder as a zip file.
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_PACKAGE_INSTALL_DIRECTORY "Nested Logic Test")
    set(CPACK_NSIS_PACKAGE_NAME "Nested Logic Test")
    set(CPACK_NSIS_DISPLAY_NAME "Nested Logic Test")
    # A 64-bit Unicode installer that installs into the 64-bit Program Files.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_PACKAGE_EXECUTABLES nested-logic-test "Nested Logic Test")
    set(CPACK_NSIS_MENU_LINKS "${NLT_HELP_FILE_NAME}" "Nested Logic Test Help")
    set(CPACK_NSIS_MUI_ICON "${NLT_WINDOWS_ICON}")
    set(CPACK_NSIS_MUI_UNIICON "${NLT_WINDOWS_ICON}")
    set(CPACK_NSIS_INSTALLED_ICON_NAME nested-logic-test.exe)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)

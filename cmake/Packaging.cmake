# Install layout and the Debian package. Included at the end of the top-level CMakeLists.txt,
# once the targets keymill and keymill_qch exist.
#
#   cmake --build build --target keymill_package
#   cmake --install build --prefix P      P/bin/keymill, P/share/keymill/keymill.qch, ...
#   (cd build && cpack -G DEB)            build/keymill_<version>_<arch>.deb
#
# An installed program finds its help file at <bindir>/../share/keymill (HelpFilePathFor) and
# keeps its settings in ~/.config/keymill (SettingsFilePathFor), since it never writes /usr.

# Installing and packaging take what the build made, and do not build every test and benchmark
# first: build (at least the target keymill_package), then install or run cpack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KEYMILL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(KEYMILL_ICON_DIR ${CMAKE_CURRENT_LIST_DIR}/../resources/icons)
set(KEYMILL_PACKAGE_OUT ${CMAKE_BINARY_DIR}/packaging)

# The desktop entry and the AppStream file are named after the program's reverse-DNS id, taken
# from the homepage's domain (keymill.example.org).
set(KEYMILL_APP_ID org.example.keymill CACHE STRING
    "Reverse-DNS id of the menu entry and the AppStream metadata")
# The window names its menu entry, so that a Wayland desktop finds its icon there.
target_compile_definitions(keymill PRIVATE KEYMILL_APP_ID="${KEYMILL_APP_ID}")
set(KEYMILL_SCREENSHOT_URL "https://keymill.example.org/screenshots/main-design-size.png"
    CACHE STRING "Where software centres fetch docs/screenshots/main-design-size.png from")

# The changelog's newest entry is this release: its version must be the project's, and its date
# dates the manual pages and the AppStream release.
function(keymill_release_date changelog out)
    file(STRINGS ${changelog} lines)
    list(GET lines 0 head)
    if(NOT head MATCHES "^keymill \\(${PROJECT_VERSION}\\) ")
        message(FATAL_ERROR "packaging/changelog starts with \"${head}\": add an entry for "
                            "${PROJECT_VERSION} at its top")
    endif()
    # The entry's last line reads " -- Name <mail>  Mon, 07 Dec 2026 12:00:00 +0000".
    set(trailer "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    foreach(line IN LISTS lines)
        if(line MATCHES "${trailer}")
            set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
            list(FIND months ${CMAKE_MATCH_2} month)
            math(EXPR month "${month} + 1")
            if(month LESS 10)
                set(month 0${month})
            endif()
            set(${out} ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "packaging/changelog: the newest entry has no trailer line with a date")
endfunction()
keymill_release_date(${KEYMILL_PACKAGING_DIR}/changelog KEYMILL_RELEASE_DATE)
# "Copyright (C) 2026 KeyMill Developers" -> "2026 KeyMill Developers"
string(REGEX REPLACE "^Copyright *(\\([Cc]\\))? *" "" KEYMILL_COPYRIGHT_HOLDER
                     "${KEYMILL_COPYRIGHT}")

configure_file(${KEYMILL_PACKAGING_DIR}/copyright.in ${KEYMILL_PACKAGE_OUT}/copyright @ONLY)
configure_file(${KEYMILL_PACKAGING_DIR}/keymill.metainfo.xml.in
               ${KEYMILL_PACKAGE_OUT}/${KEYMILL_APP_ID}.metainfo.xml @ONLY)
configure_file(${KEYMILL_PACKAGING_DIR}/keymill.desktop
               ${KEYMILL_PACKAGE_OUT}/${KEYMILL_APP_ID}.desktop COPYONLY)

# Debian wants the changelog and the manual pages compressed, without a time stamp in the gzip
# header so that two builds give the same bytes.
find_program(KEYMILL_GZIP gzip REQUIRED)
set(gzipped)
function(keymill_gzip source output)
    add_custom_command(OUTPUT ${output}
        COMMAND ${KEYMILL_GZIP} -9nc ${source} > ${output}
        DEPENDS ${source}
        COMMENT "Compressing ${output}")
    set(gzipped ${gzipped} ${output} PARENT_SCOPE)
endfunction()

keymill_gzip(${KEYMILL_PACKAGING_DIR}/changelog ${KEYMILL_PACKAGE_OUT}/changelog.gz)
foreach(lang IN ITEMS "" "ja/")
    foreach(page IN ITEMS keymill keymill-cli)
        configure_file(${KEYMILL_PACKAGING_DIR}/man/${lang}${page}.1.in
                       ${KEYMILL_PACKAGE_OUT}/man/${lang}${page}.1 @ONLY)
        keymill_gzip(${KEYMILL_PACKAGE_OUT}/man/${lang}${page}.1
                     ${KEYMILL_PACKAGE_OUT}/man/${lang}${page}.1.gz)
        install(FILES ${KEYMILL_PACKAGE_OUT}/man/${lang}${page}.1.gz
                DESTINATION share/man/${lang}man1)
    endforeach()
endforeach()
add_custom_target(keymill_package_files ALL DEPENDS ${gzipped})

# Everything the package holds; build this target, then install or run cpack.
add_custom_target(keymill_package DEPENDS keymill keymill_qch keymill_package_files)
if(TARGET keymill-cli)
    add_dependencies(keymill_package keymill-cli)
endif()

install(TARGETS keymill RUNTIME DESTINATION bin)
# keymill_qch is built by the default build; the install step only copies its output.
install(FILES ${CMAKE_BINARY_DIR}/keymill.qch DESTINATION share/keymill)
install(FILES ${KEYMILL_PACKAGE_OUT}/${KEYMILL_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${KEYMILL_PACKAGE_OUT}/${KEYMILL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${KEYMILL_PACKAGE_OUT}/copyright ${KEYMILL_PACKAGE_OUT}/changelog.gz
        DESTINATION share/doc/keymill)
# Drawn by resources/make_icons.py; the window compiles in the same images (keymill.ico).
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${KEYMILL_ICON_DIR}/keymill-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME keymill.png)
endforeach()
install(FILES ${KEYMILL_ICON_DIR}/keymill.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keymill)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME "keymill_${PROJECT_VERSION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "KeyMill developers <${KEYMILL_SUPPORT_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KEYMILL_HOMEPAGE_URL}")
# The Qt libraries it links; the xcb platform plugin and the icon reader ship in libqt6gui6 on
# Debian 12; help needs the sqlite driver at run time; the window's fonts map to IPA Gothic; the
# passwords are set in BIZ UDGothic, which tells look-alike characters apart; Qt's own dialogs
# speak Japanese through qt6-translations-l10n; libcups2 tells a printer's state; libsodium23
# gives the keystream of the random source; libxcb1 tells the window's frame; libicu72 cuts the
# free texts into whole characters and puts them in one form; libxlsxwriter4 writes the hand-out
# workbooks and libcrypt1 their hashes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), \
libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6help6 (>= 6.4), \
libqt6sql6-sqlite (>= 6.4), fonts-ipafont-gothic, fonts-morisawa-bizud-gothic, \
qt6-translations-l10n, libcups2, libsodium23, libxcb1, libicu72, libxlsxwriter4, \
libcrypt1 (>= 1:4.1)")
# Debian's description field is English; the Japanese summary and description are in the
# AppStream file, where software centres read them.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random password list generator")
# The summary above is the first line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KeyMill makes lists of random passwords of a chosen length from digits,
upper-case and lower-case letters and characters of your own, shows them
in a list, and copies, sorts, saves or prints them. Its interface is in
Japanese, and it works with screen readers and from the keyboard alone.
.
The command keymill-cli makes the same passwords in scripts, without a
display.")

include(CPack)

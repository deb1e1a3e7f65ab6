# Install layout and the Debian package. Included at the end of the top-level CMakeLists.txt,
# once the targets keymill and keymill_qch exist.
#
#   cmake --install build --prefix P      P/bin/keymill, P/share/keymill/keymill.qch, ...
#   (cd build && cpack -G DEB)            build/keymill_<version>_<arch>.deb
#
# An installed program finds its help file at <bindir>/../share/keymill (HelpFilePathFor) and
# keeps its settings in ~/.config/keymill (SettingsFilePathFor), since it never writes /usr.

# Installing and packaging take what the build made, and do not build every test and benchmark
# first: build (at least keymill and keymill_qch), then install or run cpack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(KEYMILL_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

install(TARGETS keymill RUNTIME DESTINATION bin)
# keymill_qch is built by the default build; the install step only copies its output.
install(FILES ${CMAKE_BINARY_DIR}/keymill.qch DESTINATION share/keymill)
install(FILES ${KEYMILL_PACKAGING_DIR}/keymill.desktop DESTINATION share/applications)
# keymill.png is resources/icons/keymill.xpm converted once (convert keymill.xpm keymill.png).
install(FILES ${KEYMILL_PACKAGING_DIR}/keymill.png DESTINATION share/icons/hicolor/32x32/apps)
install(FILES ${KEYMILL_PACKAGING_DIR}/keymill.png DESTINATION share/pixmaps)

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
# The Qt libraries it links; the xcb platform plugin ships in libqt6gui6 on Debian 12; help
# needs the sqlite driver at run time; the window's fonts map to IPA Gothic.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), \
libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6help6 (>= 6.4), \
libqt6sql6-sqlite (>= 6.4), fonts-ipafont-gothic")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random password list generator / ランダムなパスワード一覧の生成")
# The summary above is the first line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KeyMill makes lists of random passwords of a chosen length from digits,
upper-case and lower-case letters and characters of your own, shows them
in a list, and copies, sorts, saves or prints them. Its interface is in
Japanese.
.
キーミルは、数字・英大文字・英小文字・任意の文字から、指定した文字数の
ランダムなパスワードを指定した数だけ作り、一覧に表示します。一覧は
コピー、並べ替え、保存、印刷ができます。")

include(CPack)

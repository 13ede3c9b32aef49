# The Debian package, made by `cpack -G DEB` in a release build (tools/make-deb.sh): the programs,
# the catalogue library in its private folder, the factory tree, the desktop files and the manual
# pages under /usr, with the shared-library dependencies worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovana)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tovana")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "顧客ソレル: customer management for small Japanese businesses")
set(CPACK_PACKAGE_DESCRIPTION "A card file of customers with a dated history of every contact, \
direct-mail campaigns with their response, extraction and analysis, printing onto labels, postcards \
and envelopes, mail, import and export (Excel, Access, CSV, ContactXML) and backup.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tovana developers <tovana@example.jp>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# The fonts every form and screen is drawn with, the desktop's mail and browser openers, and Qt's
# Japanese texts (file dialogs, standard buttons).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, xdg-utils, qt6-translations-l10n")
include(CPack)

# The Debian package: `cpack -G DEB` in the build folder writes html-quillgrid_1.0.0_amd64.deb.
# Run-time dependencies on the Qt 6 libraries come from dpkg-shlibdeps; the pieces the program
# loads without linking them are listed by hand, and so is the HTML parser the page import links
# (libgumbo1), so that the package says it needs it even where shlibdeps is turned off.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME html-quillgrid)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_VENDOR "Vantorel Software")
set(CPACK_PACKAGE_CONTACT "Vantorel Software <support@vantorel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for HTML tables with a live page preview")
set(CPACK_PACKAGE_INSTALL_DIRECTORY html-quillgrid)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantorel Software <support@vantorel.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantorel.example/quillgrid")
# The body of the description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"HTML Quillgrid builds one HTML table at a time in a grid: type the cell
text, set fonts, colours and alignment, merge and split cells, insert and
delete rows and columns, and undo any step. It writes a complete UTF-8
page, shows it in a preview window and saves or copies its source.

Documents and templates use the program's own format; the interface
comes in English, German and French. The package also holds
quillgrid-cli, which checks, dumps, edits and exports documents and imports
tables from HTML pages on the command line.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked: the browser engine's helper process (also pulled in by
# the web engine's widgets), the SVG icon engine the command pictures are drawn with, and the
# Tahoma face of new cells (fonts/quillgrid-fonts.conf makes it visible), and Qt's own
# translations, which label its file, colour and message dialogs and the key names of the menus
# in the language the user chose; libgumbo1 parses imported pages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, libqt6svg6, fonts-wine, qt6-translations-l10n, libgumbo1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)

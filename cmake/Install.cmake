# Installation like any desktop program: the editor and the files it reads from its own folder
# in PREFIX/lib/html-quillgrid, the commands in PREFIX/bin, the menu entry, the file types and
# the icons in PREFIX/share. `cpack -G DEB` in the build folder turns the same rules into a
# Debian package.

include(GNUInstallDirs)

# The program finds its language files, templates and help page beside itself, so they share
# one folder of their own. It is "lib", not the multiarch library folder GNUInstallDirs picks
# for /usr: the folder holds the program, not libraries for the linker.
set(QUILLGRID_INSTALL_PROGRAMDIR "lib/html-quillgrid" CACHE STRING
    "Folder, relative to the prefix, of the editor and the files beside it")
set(_qg_programdir ${QUILLGRID_INSTALL_PROGRAMDIR})

install(TARGETS quillgrid RUNTIME DESTINATION ${_qg_programdir})
install(TARGETS quillgrid-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(_file IN LISTS QUILLGRID_DATA_FILES)
  get_filename_component(_subdir ${_file} DIRECTORY)
  install(FILES ${QUILLGRID_RESOURCES_DIR}/${_file} DESTINATION ${_qg_programdir}/${_subdir})
endforeach()
install(FILES ${QUILLGRID_TEMPLATES} DESTINATION ${_qg_programdir}/Templates)

# PREFIX/bin/quillgrid: a relative symbolic link to the program, made in the build folder and
# installed as a link. The program still finds its own folder, because the application's
# folder is that of the link's target.
file(RELATIVE_PATH _qg_link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${_qg_programdir}/quillgrid)
set(_qg_link ${CMAKE_BINARY_DIR}/install-links/quillgrid)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${_qg_link_target} ${_qg_link} SYMBOLIC)
install(FILES ${_qg_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry and the icon in the hicolor theme: the SVG as it is, and PNGs rendered from
# it at build time at the sizes desktops look for.
set(QUILLGRID_ICON_SIZES 16 24 32 48 64 128 256)
set(QUILLGRID_ICON_PNG_DIR ${CMAKE_BINARY_DIR}/icons)
add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${CMAKE_BINARY_DIR}/packaging)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/html-quillgrid.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The file types of documents and templates, which the menu entry opens. The desktop's own
# tools index them (in the Debian package, through the triggers of shared-mime-info and
# desktop-file-utils).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/html-quillgrid.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${QUILLGRID_APP_ICON}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME html-quillgrid.svg)
foreach(_size IN LISTS QUILLGRID_ICON_SIZES)
  install(FILES ${QUILLGRID_ICON_PNG_DIR}/${_size}x${_size}/html-quillgrid.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
endforeach()

include(${PROJECT_SOURCE_DIR}/packaging/Package.cmake)

# Installation: the binary in libexec, the game data in share, a launcher on the PATH that
# starts the game from its data folder (the game reads config.xml from the working
# directory), the data checker beside the launcher, a desktop entry and the icon.
#
# The launcher finds the binary and the data relative to its own location, so an install
# staged with DESTDIR or given another prefix at install time (cmake --install --prefix)
# still works once moved into place.

include(GNUInstallDirs)

set(GLIMMERAX_LIBEXEC_SUBDIR "${CMAKE_INSTALL_LIBEXECDIR}/glimmerax")
set(GLIMMERAX_DATA_SUBDIR "${CMAKE_INSTALL_DATADIR}/glimmerax")

# Paths from the launcher's folder to the binary and to the data, computed under any prefix.
set(_glimmerax_prefix "/glimmerax-prefix")
foreach(_dir BINDIR LIBEXECDIR DATADIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${_dir}}")
    set(_glimmerax_${_dir} "${CMAKE_INSTALL_${_dir}}")
  else()
    set(_glimmerax_${_dir} "${_glimmerax_prefix}/${CMAKE_INSTALL_${_dir}}")
  endif()
endforeach()
file(RELATIVE_PATH GLIMMERAX_BIN_FROM_LAUNCHER "${_glimmerax_BINDIR}"
     "${_glimmerax_LIBEXECDIR}/glimmerax/glimmerax")
file(RELATIVE_PATH GLIMMERAX_DATA_FROM_LAUNCHER "${_glimmerax_BINDIR}"
     "${_glimmerax_DATADIR}/glimmerax")

configure_file("${PROJECT_SOURCE_DIR}/packaging/glimmerax.in"
               "${PROJECT_BINARY_DIR}/packaging/glimmerax" @ONLY)

install(TARGETS glimmerax RUNTIME DESTINATION "${GLIMMERAX_LIBEXEC_SUBDIR}")
# The modder's data checker runs from anywhere on a data folder, so it goes on the PATH
# beside the launcher.
install(TARGETS glimmerax-check RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${GLIMMERAX_DATA_SUBDIR}")
install(PROGRAMS "${PROJECT_BINARY_DIR}/packaging/glimmerax"
        DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/glimmerax.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/data/icon.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps"
        RENAME glimmerax.png)

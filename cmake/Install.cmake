# Installation: the binary in a program folder, the game data in a data folder, a launcher on
# the PATH that starts the game from its data folder (the game reads config.xml from the
# working directory), the data checker on the PATH, a desktop entry, the icon at the sizes of
# the hicolor theme, AppStream metadata, the manual pages and the copyright file.
#
# The launcher finds the binary and the data relative to its own location, so an install
# staged with DESTDIR or given another prefix at install time (cmake --install --prefix)
# still works once moved into place.
#
# The three game folders are cache variables. Their defaults suit a /usr/local install;
# scripts/deb gives the layout of a Debian game instead (the launcher in games/, the program
# in lib/games/glimmerax, the data in share/games/glimmerax).

include(GNUInstallDirs)

set(GLIMMERAX_INSTALL_LAUNCHERDIR "${CMAKE_INSTALL_BINDIR}" CACHE STRING
    "Folder of the glimmerax launcher, under the prefix")
set(GLIMMERAX_INSTALL_PROGRAMDIR "${CMAKE_INSTALL_LIBEXECDIR}/glimmerax" CACHE STRING
    "Folder of the game program, under the prefix")
set(GLIMMERAX_INSTALL_GAMEDATADIR "${CMAKE_INSTALL_DATADIR}/glimmerax" CACHE STRING
    "Folder of the game data (config.xml and what it names), under the prefix")
# The package's documentation folder, whatever the project's spelling of its name.
set(GLIMMERAX_INSTALL_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/glimmerax")

# Paths from the launcher's folder to the binary and to the data, computed under any prefix.
set(_glimmerax_prefix "/glimmerax-prefix")
foreach(_dir LAUNCHERDIR PROGRAMDIR GAMEDATADIR)
  if(IS_ABSOLUTE "${GLIMMERAX_INSTALL_${_dir}}")
    set(_glimmerax_${_dir} "${GLIMMERAX_INSTALL_${_dir}}")
  else()
    set(_glimmerax_${_dir} "${_glimmerax_prefix}/${GLIMMERAX_INSTALL_${_dir}}")
  endif()
endforeach()
file(RELATIVE_PATH GLIMMERAX_BIN_FROM_LAUNCHER "${_glimmerax_LAUNCHERDIR}"
     "${_glimmerax_PROGRAMDIR}/glimmerax")
file(RELATIVE_PATH GLIMMERAX_DATA_FROM_LAUNCHER "${_glimmerax_LAUNCHERDIR}"
     "${_glimmerax_GAMEDATADIR}")

configure_file("${PROJECT_SOURCE_DIR}/packaging/glimmerax.in"
               "${PROJECT_BINARY_DIR}/packaging/glimmerax" @ONLY)

install(TARGETS glimmerax RUNTIME DESTINATION "${GLIMMERAX_INSTALL_PROGRAMDIR}")
# The modder's data checker runs from anywhere on a data folder, so it goes on the PATH.
install(TARGETS glimmerax-check RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${GLIMMERAX_INSTALL_GAMEDATADIR}"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                              GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(PROGRAMS "${PROJECT_BINARY_DIR}/packaging/glimmerax"
        DESTINATION "${GLIMMERAX_INSTALL_LAUNCHERDIR}")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/glimmerax.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright"
        DESTINATION "${GLIMMERAX_INSTALL_DOCDIR}")

# AppStream metadata: its release entry carries the version and the date of the top entry of
# CHANGELOG.md (that entry names the version too; the release scripts check that they match).
set(GLIMMERAX_APPSTREAM_ID "io.github.glimmerax.glimmerax")
set(GLIMMERAX_RELEASE_DATE "")
file(STRINGS "${PROJECT_SOURCE_DIR}/CHANGELOG.md" _glimmerax_releases
     REGEX "^## ${PROJECT_VERSION} - [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]")
if(_glimmerax_releases)
  list(GET _glimmerax_releases 0 _glimmerax_release)
  string(REGEX REPLACE "^## [^ ]+ - ([0-9-]+).*" "\\1" GLIMMERAX_RELEASE_DATE "${_glimmerax_release}")
else()
  message(WARNING "CHANGELOG.md has no entry for ${PROJECT_VERSION}: the AppStream metadata "
                  "names no release date")
  string(TIMESTAMP GLIMMERAX_RELEASE_DATE "%Y-%m-%d" UTC)
endif()
configure_file("${PROJECT_SOURCE_DIR}/packaging/glimmerax.metainfo.xml.in"
               "${PROJECT_BINARY_DIR}/packaging/${GLIMMERAX_APPSTREAM_ID}.metainfo.xml" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/packaging/${GLIMMERAX_APPSTREAM_ID}.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The manual pages, compressed as Debian keeps them (gzip -9n: no name or time stamp inside,
# so the same page gives the same file). The version goes into their footer, and the data
# folder's installed path into their text.
if(IS_ABSOLUTE "${GLIMMERAX_INSTALL_GAMEDATADIR}")
  set(GLIMMERAX_GAMEDATA_PATH "${GLIMMERAX_INSTALL_GAMEDATADIR}")
else()
  set(GLIMMERAX_GAMEDATA_PATH "${CMAKE_INSTALL_PREFIX}/${GLIMMERAX_INSTALL_GAMEDATADIR}")
endif()
find_program(GLIMMERAX_GZIP gzip)
set(_glimmerax_man_outputs "")
foreach(_page glimmerax.6 glimmerax-check.1)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" _section "${_page}")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/man/${_page}"
                 "${PROJECT_BINARY_DIR}/packaging/man/${_page}" @ONLY)
  if(GLIMMERAX_GZIP)
    add_custom_command(
      OUTPUT "${PROJECT_BINARY_DIR}/packaging/man/${_page}.gz"
      COMMAND "${GLIMMERAX_GZIP}" -9nc "${_page}" > "${_page}.gz"
      DEPENDS "${PROJECT_BINARY_DIR}/packaging/man/${_page}"
      WORKING_DIRECTORY "${PROJECT_BINARY_DIR}/packaging/man"
      COMMENT "Compressing the manual page ${_page}" VERBATIM)
    list(APPEND _glimmerax_man_outputs "${PROJECT_BINARY_DIR}/packaging/man/${_page}.gz")
    install(FILES "${PROJECT_BINARY_DIR}/packaging/man/${_page}.gz"
            DESTINATION "${CMAKE_INSTALL_MANDIR}/man${_section}")
  else()
    install(FILES "${PROJECT_BINARY_DIR}/packaging/man/${_page}"
            DESTINATION "${CMAKE_INSTALL_MANDIR}/man${_section}")
  endif()
endforeach()

# The icon: data/icon.png (32 pixels, drawn by tools/make_art.py) and, when ImageMagick's
# convert is there, the other sizes of the hicolor theme, scaled from it pixel for pixel
# (no smoothing, as the art is pixel art).
set(GLIMMERAX_ICON_SIZES 16 24 48 64 128 256)
find_program(GLIMMERAX_CONVERT convert)
install(FILES "${PROJECT_SOURCE_DIR}/data/icon.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps"
        RENAME glimmerax.png)
set(_glimmerax_icon_outputs "")
if(GLIMMERAX_CONVERT)
  foreach(_size IN LISTS GLIMMERAX_ICON_SIZES)
    set(_icon "${PROJECT_BINARY_DIR}/packaging/icons/${_size}x${_size}/glimmerax.png")
    # -strip and the date options keep time stamps out of the file, so it builds the same.
    add_custom_command(
      OUTPUT "${_icon}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${PROJECT_BINARY_DIR}/packaging/icons/${_size}x${_size}"
      COMMAND "${GLIMMERAX_CONVERT}" "${PROJECT_SOURCE_DIR}/data/icon.png" -filter point
              -resize "${_size}x${_size}" -strip -define png:exclude-chunks=date,time
              "PNG32:${_icon}"
      DEPENDS "${PROJECT_SOURCE_DIR}/data/icon.png"
      COMMENT "Scaling the icon to ${_size} pixels" VERBATIM)
    list(APPEND _glimmerax_icon_outputs "${_icon}")
    install(FILES "${_icon}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps")
  endforeach()
else()
  message(STATUS "convert (ImageMagick) not found: the icon is installed at 32 pixels only")
endif()

# Built with the game (the default target), so an install finds them.
add_custom_target(glimmerax_install_files ALL
                  DEPENDS ${_glimmerax_man_outputs} ${_glimmerax_icon_outputs})

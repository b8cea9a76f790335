# Installation and the Debian package.
#
# `cmake --install build --prefix P` puts the program folder (the executables named in
# TAVREL_PROGRAM_TARGETS and whatever window mode loads) in P/lib/tavrel/, a relative link
# P/bin/tavrel -> ../lib/tavrel/tavrel, and the launcher, icons, MIME package, metainfo, manual
# page and package documents under P/share/. The program finds its folder through the link (the
# running executable's own path), and keeps scratch files in ~/.cache/tavrel when that folder is
# read-only. `cpack -G DEB` (scripts/package) makes tavrel_<version>_amd64.deb from the same rules.

set(TAVREL_SHARE_DIR ${PROJECT_SOURCE_DIR}/share)

# Installed modes never depend on the umask of whoever installs or packages: folders and
# programs 0755, everything else 0644. (A group- or world-writable program folder would let
# anyone replace the tools that read the packages.)
set(TAVREL_FOLDER_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${TAVREL_FOLDER_PERMISSIONS})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${TAVREL_FOLDER_PERMISSIONS})
set(TAVREL_INSTALL_PROGRAM_DIR lib/tavrel)

# Installing does not build everything first (tests and benchmarks have no part in it); build the
# program (target tavrel_program) before installing or packaging, as scripts/package does.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
add_custom_target(tavrel_program)
add_dependencies(tavrel_program ${TAVREL_PROGRAM_TARGETS})

install(TARGETS ${TAVREL_PROGRAM_TARGETS}
  RUNTIME DESTINATION ${TAVREL_INSTALL_PROGRAM_DIR}
    PERMISSIONS ${TAVREL_FOLDER_PERMISSIONS}
  LIBRARY DESTINATION ${TAVREL_INSTALL_PROGRAM_DIR}
    PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The link is made in the build folder and installed as a link.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir})
file(CREATE_LINK ../lib/tavrel/tavrel ${link_dir}/tavrel SYMBOLIC)
install(FILES ${link_dir}/tavrel DESTINATION bin)
# The thumbnailer entry runs tavrel-thumbnailer by name, as file managers look it up on the path.
file(CREATE_LINK ../lib/tavrel/tavrel-thumbnailer ${link_dir}/tavrel-thumbnailer SYMBOLIC)
install(FILES ${link_dir}/tavrel-thumbnailer DESTINATION bin)
install(FILES ${TAVREL_SHARE_DIR}/thumbnailers/tavrel.thumbnailer DESTINATION share/thumbnailers)

install(FILES ${TAVREL_SHARE_DIR}/applications/tavrel.desktop DESTINATION share/applications)
install(FILES ${TAVREL_SHARE_DIR}/mime/packages/tavrel.xml DESTINATION share/mime/packages)
install(FILES ${TAVREL_SHARE_DIR}/metainfo/org.tavrel.tavrel.metainfo.xml DESTINATION share/metainfo)
install(FILES ${TAVREL_SHARE_DIR}/icons/tavrel.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${TAVREL_SHARE_DIR}/icons/hicolor/${size}x${size}/tavrel.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian wants the manual page and the change log compressed, without a time stamp inside.
find_program(TAVREL_GZIP gzip REQUIRED)
set(compressed_dir ${CMAKE_BINARY_DIR}/install-compressed)
file(MAKE_DIRECTORY ${compressed_dir})
foreach(pair "man/tavrel.1;tavrel.1.gz" "man/tavrel-thumbnailer.1;tavrel-thumbnailer.1.gz" "doc/changelog;changelog.gz")
  list(GET pair 0 source)
  list(GET pair 1 target)
  execute_process(COMMAND ${TAVREL_GZIP} -9nc ${TAVREL_SHARE_DIR}/${source}
    OUTPUT_FILE ${compressed_dir}/${target} COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVREL_SHARE_DIR}/${source})
endforeach()
install(FILES ${compressed_dir}/tavrel.1.gz ${compressed_dir}/tavrel-thumbnailer.1.gz DESTINATION share/man/man1)
install(FILES ${compressed_dir}/changelog.gz ${TAVREL_SHARE_DIR}/doc/copyright DESTINATION share/doc/tavrel)

# The Debian package.
set(TAVREL_MAINTAINER "The Tavrel developers <tavrel@tavrel.org>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tavrel developers")
set(CPACK_PACKAGE_CONTACT ${TAVREL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TAVREL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the executables link are found by dpkg-shlibdeps, run by TavrelDebDepends.cmake
# rather than by cpack: cpack's own run also adds ldconfig calls to the maintainer scripts for
# any library below /usr/lib, although the window library is no library of the linker's path.
# Named here: what the program loads at run time (the Qt platform plugins for its window), Qt's
# own texts in Chinese for its file dialog, and the Chinese faces it shows (the sharp one first,
# a fuller one behind it); and the image libraries the thumbnailer loads when an icon needs one.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(TAVREL_DEB_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-droid-fallback, fonts-wqy-zenhei | fonts-noto-cjk, libpng16-16 (>= 1.6.0), libwebp7, libjpeg62-turbo (>= 1.3.1)")
set(TAVREL_DEB_BINARIES)
foreach(target IN LISTS TAVREL_PROGRAM_TARGETS)
  list(APPEND TAVREL_DEB_BINARIES "$<TARGET_FILE:${target}>")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/TavrelDebDepends.cmake CONTENT
"set(TAVREL_DEB_BINARIES \"${TAVREL_DEB_BINARIES}\")
set(TAVREL_DEB_DEPENDS \"${TAVREL_DEB_DEPENDS}\")
set(TAVREL_DEB_WORK \"${CMAKE_BINARY_DIR}/deb-depends\")
include(\"${PROJECT_SOURCE_DIR}/cmake/TavrelDebDepends.cmake\")
")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/TavrelDebDepends.cmake)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename APK and IPA packages by app name and version")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Tavrel reads the display name and version out of Android (.apk) and iOS (.ipa)
packages and renames each file by a naming rule, by default the application's
name followed by its version. It lists packages in a window with their size,
lowest system and platform, and renames a single file from the command line or
from the file manager's context menu. The interface is in Chinese, or in
English for users whose preferred languages put English first.]=])
include(CPack)

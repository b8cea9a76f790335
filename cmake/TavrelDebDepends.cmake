# Run by cpack (CPACK_PROJECT_CONFIG_FILE): the package's dependencies, those dpkg-shlibdeps finds
# for the program's binaries and those named in TAVREL_DEB_DEPENDS.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()
find_program(TAVREL_DPKG_SHLIBDEPS dpkg-shlibdeps REQUIRED)
# dpkg-shlibdeps wants to run in a source package; an empty one will do.
file(MAKE_DIRECTORY ${TAVREL_DEB_WORK}/debian)
file(TOUCH ${TAVREL_DEB_WORK}/debian/control)
execute_process(COMMAND ${TAVREL_DPKG_SHLIBDEPS} -O ${TAVREL_DEB_BINARIES}
  WORKING_DIRECTORY ${TAVREL_DEB_WORK}
  OUTPUT_VARIABLE shlibs OUTPUT_STRIP_TRAILING_WHITESPACE
  COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "^shlibs:Depends=" "" shlibs "${shlibs}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${shlibs}, ${TAVREL_DEB_DEPENDS}")

# The release archive, quillow-<version>-win32.zip in build/release: the program and the users'
# guide, nothing else. scripts/release builds the program and runs cpack, which packs this.

# The guide, with the version filled in and Windows line ends, whatever the checkout has.
configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt.in ${PROJECT_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS quillow RUNTIME DESTINATION . COMPONENT release)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION . COMPONENT release)

# Packing installs the component "release" alone, so that no other install rule (GoogleTest's
# among them) can add to the archive; and it builds nothing first, since the program is all
# the archive needs and scripts/release has just built it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};release;/")
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quillow)
set(CPACK_PACKAGE_FILE_NAME quillow-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/release)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The Debian package, built by `cpack -G DEB` in a build folder (tools/package).

set(CPACK_PACKAGE_NAME tavex)
set(CPACK_PACKAGE_VENDOR "The Tavex developers")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.tavex.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact tensor-product expansions of tabulated functions")
set(CPACK_PACKAGE_DESCRIPTION
"Tavex approximates a function of one to four independent variables known
only as a table of values: it lists an exact tensor-product expansion, one
coefficient per grid point, that reproduces every tabulated value up to
rounding. The expansion can be evaluated, plotted against the table, saved
and printed.

This package holds the Qt desktop program, tavex, and the command-line
program, tavex-cli.")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
# The builder's umask must not decide the package's directory modes.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Tavex developers <packages@tavex.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the Debian packages of the libraries the programs link,
# at the versions they need, so that no list here goes stale.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

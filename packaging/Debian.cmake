# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package `make package` builds with CPack. Included from the top
# level, before packaging/ and include(CPack).
set(TARVELO_PACKAGE_MAINTAINER "Tarvelo developers <tarvelo@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvelo)
set(CPACK_PACKAGE_VENDOR Tarvelo)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quiz that teaches 19 cattle breeds from photographs")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tarvelo shows photographs of cattle and asks for the breed. A round goes\n"
    "through all 19 breeds and ends with the number of mistakes. The interface\n"
    "is Czech. A drawn picture set is included, and tarvelo-check checks a set\n"
    "of one's own photographs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVELO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps; the fonts are what Qt substitutes
# for the Times New Roman the windows are laid out in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# The menu entry's Path was configured for this prefix, so the package must use it.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

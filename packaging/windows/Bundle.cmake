# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows folder a teacher unzips or installs: the two programs beside
# every DLL they load, Qt's windows platform, style and TLS plugins, the picture
# set, a README and the licences. Nothing in it comes from the Linux side.
# `cmake --install` into a folder makes it; make windows zips it.

install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    $<TARGET_FILE:Qt6::Network> DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
# Photographs from Wikimedia Commons come over HTTPS only, through Windows'
# own TLS (Schannel); without the plugin every request would fail.
if(NOT TARGET Qt6::QSchannelBackendPlugin)
    message(FATAL_ERROR "Qt's Schannel TLS plugin is missing; run scripts/windows-toolchain")
endif()
install(FILES $<TARGET_FILE:Qt6::QSchannelBackendPlugin> DESTINATION tls)

find_file(TARVELO_JPEG_DLL libjpeg-62.dll PATH_SUFFIXES bin REQUIRED)
install(FILES ${TARVELO_JPEG_DLL} DESTINATION .)
# libzip and its zlib, for a picture set shared as one file.
find_file(TARVELO_ZIP_DLL libzip.dll PATH_SUFFIXES bin REQUIRED)
find_file(TARVELO_ZLIB_DLL libzlib.dll PATH_SUFFIXES bin REQUIRED)
install(FILES ${TARVELO_ZIP_DLL} ${TARVELO_ZLIB_DLL} DESTINATION .)
# The toolchain keeps the licence beside the DLL's folder.
get_filename_component(zip_prefix ${TARVELO_ZIP_DLL} DIRECTORY)
set(zip_licence ${zip_prefix}/../share/licenses/libzip.txt)
if(NOT EXISTS ${zip_licence})
    message(FATAL_ERROR "libzip's licence is not at ${zip_licence}; run scripts/windows-toolchain")
endif()
install(FILES ${zip_licence} DESTINATION LICENSES)

# mingw-w64's C++ and thread runtime, which the Qt DLLs load too.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
        message(FATAL_ERROR "mingw-w64 runtime ${dll} not found")
    endif()
    install(FILES ${dll_path} DESTINATION .)
endforeach()

file(GLOB tarvelo_photos CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/obr/0/*.jpg)
install(FILES ${tarvelo_photos} DESTINATION obr/0)
# In the zip, obr/0 is the set the teacher edits with tarvelo-photos and the
# zip's quiz plays; the drawings to go back to are kept apart in kresby. Only
# make-bundles's zip takes this component: installed, the own set lives in
# %LOCALAPPDATA%\tarvelo instead.
install(FILES ${tarvelo_photos} DESTINATION kresby COMPONENT portable)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/README.txt DESTINATION .)
# LICENSES/GPL-3.0-or-later.txt is a link to LICENSE, which Windows would not follow.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION LICENSES RENAME GPL-3.0-or-later.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSES/CC-BY-SA-4.0.txt DESTINATION LICENSES)

# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a staging folder (DESTDIR) and checks the result
# against the installed menu entry, its launcher and metadata, and the source
# tree's photographs.
# Run with -DBUILD_DIR -DPHOTO_DIR -DSTAGE -DPREFIX -DDATADIR -DBINDIR
# -DLIBEXECDIR -DMANDIR -DAPP_ID.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE}
                        ${CMAKE_COMMAND} --install ${BUILD_DIR}
    RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "install failed: ${status}")
endif()

set(root ${STAGE}${PREFIX})
set(problems "")

function(desktop_key file key out)
    file(STRINGS ${file} lines REGEX "^${key}=")
    list(LENGTH lines count)
    if(NOT count EQUAL 1)
        set(${out} "" PARENT_SCOPE)
        return()
    endif()
    string(REGEX REPLACE "^${key}=" "" value "${lines}")
    # file(STRINGS) escapes the semicolons that end a list of types.
    string(REPLACE "\\;" ";" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(entry ${root}/${DATADIR}/applications/${APP_ID}.desktop)
if(NOT EXISTS ${entry})
    message(FATAL_ERROR "no menu entry at ${entry}")
endif()
desktop_key(${entry} Exec exec)
desktop_key(${entry} Icon icon)

# The entry runs the launcher, which finds the quiz and the installed set from
# where it is (so it must be where it was built to be) and starts the quiz in
# the picture set; launcher-order.sh checks which.
set(path ${PREFIX}/${DATADIR}/tarvelo)
if(NOT exec STREQUAL "${PREFIX}/${LIBEXECDIR}/tarvelo/tarvelo-launch")
    list(APPEND problems "Exec=${exec}, not the launcher ${PREFIX}/${LIBEXECDIR}/tarvelo/tarvelo-launch")
elseif(NOT EXISTS ${STAGE}${exec})
    list(APPEND problems "launcher ${exec} is not installed")
else()
    execute_process(COMMAND test -x ${STAGE}${exec} RESULT_VARIABLE not_executable)
    if(not_executable)
        list(APPEND problems "launcher ${exec} is not executable")
    endif()
endif()

# The photographs' own entry starts their window, which is installed beside
# the quiz it starts, and opens a shared set's file given to it.
set(photos_entry ${root}/${DATADIR}/applications/${APP_ID}.photos.desktop)
if(NOT EXISTS ${photos_entry})
    list(APPEND problems "no menu entry for the photographs at ${photos_entry}")
else()
    desktop_key(${photos_entry} Exec photos_exec)
    if(NOT photos_exec STREQUAL "${PREFIX}/${BINDIR}/tarvelo-photos %f")
        list(APPEND problems "photographs' entry runs '${photos_exec}', not ${PREFIX}/${BINDIR}/tarvelo-photos %f")
    endif()
    desktop_key(${photos_entry} MimeType photos_types)
    if(NOT photos_types STREQUAL "${SET_MIME_TYPE};")
        # A semicolon would split the message.
        string(REPLACE ";" " " photos_types "${photos_types}")
        list(APPEND problems "photographs' entry opens '${photos_types}', not ${SET_MIME_TYPE} alone")
    endif()
    file(STRINGS ${photos_entry} photos_name REGEX "^Name=" ENCODING UTF-8)
    if(NOT photos_name STREQUAL "Name=Tarvelo – vlastní fotografie")
        list(APPEND problems "photographs' entry is named '${photos_name}'")
    endif()
endif()

foreach(program tarvelo tarvelo-check tarvelo-photos)
    if(NOT EXISTS ${root}/${BINDIR}/${program} OR IS_DIRECTORY ${root}/${BINDIR}/${program})
        list(APPEND problems "program ${program} not installed in ${BINDIR}")
    endif()
endforeach()

# The software centre's entry names the menu entry it launches.
set(metainfo ${root}/${DATADIR}/metainfo/${APP_ID}.metainfo.xml)
if(NOT EXISTS ${metainfo})
    list(APPEND problems "no metainfo at ${DATADIR}/metainfo/${APP_ID}.metainfo.xml")
else()
    file(READ ${metainfo} xml)
    if(NOT xml MATCHES "<id>${APP_ID}</id>"
       OR NOT xml MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
       OR NOT xml MATCHES "<launchable type=\"desktop-id\">${APP_ID}.photos.desktop</launchable>")
        list(APPEND problems "metainfo's id or launchable is not ${APP_ID}")
    endif()
endif()

foreach(doc ${MANDIR}/man1/tarvelo.1.gz ${MANDIR}/man1/tarvelo-check.1.gz
        ${MANDIR}/man1/tarvelo-photos.1.gz)
    if(NOT EXISTS ${root}/${doc})
        list(APPEND problems "${doc} not installed")
    endif()
endforeach()

# The quiz reads obr/0/<n>.jpg from its working directory: the installed set,
# unless the user has one.
if(NOT IS_DIRECTORY ${STAGE}${path}/obr/0)
    list(APPEND problems "installed set ${path} has no obr/0 folder")
else()
    # "[[]" matches a "[" in a folder name, which would otherwise start a class.
    string(REPLACE "[" "[[]" photo_pattern "${PHOTO_DIR}/*.jpg")
    string(REPLACE "[" "[[]" installed_pattern "${STAGE}${path}/obr/0/*")
    file(GLOB photos "${photo_pattern}")
    file(GLOB installed "${installed_pattern}")
    if(NOT photos)
        list(APPEND problems "no photographs found in ${PHOTO_DIR}")
    endif()
    list(LENGTH photos expected)
    list(LENGTH installed got)
    if(NOT expected EQUAL got)
        list(APPEND problems "${got} files in ${path}/obr/0, ${expected} photographs in the source")
    endif()
    foreach(photo ${photos})
        get_filename_component(name ${photo} NAME)
        set(copy ${STAGE}${path}/obr/0/${name})
        if(NOT EXISTS ${copy})
            list(APPEND problems "photograph ${name} not installed")
        else()
            file(SHA256 ${photo} want)
            file(SHA256 ${copy} have)
            if(NOT want STREQUAL have)
                list(APPEND problems "photograph ${name} differs after install")
            endif()
        endif()
    endforeach()
endif()

foreach(icon_file scalable/apps/${icon}.svg 48x48/apps/${icon}.png 256x256/apps/${icon}.png)
    if(NOT EXISTS ${root}/${DATADIR}/icons/hicolor/${icon_file})
        list(APPEND problems "icon hicolor/${icon_file} not installed")
    endif()
endforeach()

# The shared set's file type, known by its name and its content, with an
# icon under the name the type asks for.
set(mime_file ${root}/${DATADIR}/mime/packages/tarvelo.xml)
if(NOT EXISTS ${mime_file})
    list(APPEND problems "no file type at ${DATADIR}/mime/packages/tarvelo.xml")
else()
    file(READ ${mime_file} xml)
    string(REPLACE "/" "-" set_icon ${SET_MIME_TYPE})
    if(NOT xml MATCHES "<mime-type type=\"${SET_MIME_TYPE}\">"
       OR NOT xml MATCHES "<glob pattern=\"\\*\\.tarvelo\"/>"
       OR NOT xml MATCHES "<icon name=\"${set_icon}\"/>")
        list(APPEND problems "tarvelo.xml does not give ${SET_MIME_TYPE} for *.tarvelo with icon ${set_icon}")
    endif()
    foreach(icon_file scalable/mimetypes/${set_icon}.svg 48x48/mimetypes/${set_icon}.png
            256x256/mimetypes/${set_icon}.png)
        if(NOT EXISTS ${root}/${DATADIR}/icons/hicolor/${icon_file})
            list(APPEND problems "icon hicolor/${icon_file} not installed")
        endif()
    endforeach()
endif()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "install does not match the menu entry:\n  ${text}")
endif()
message(STATUS "install matches the menu entry: Exec=${exec} (in ${path}) Icon=${icon}")

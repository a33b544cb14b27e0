# SPDX-FileCopyrightText: 2026 Tarvelo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvelo_copyright(TEMPLATE LICENCE OUTPUT): writes the Debian copyright file
# from TEMPLATE, with LICENCE's text in place of @TARVELO_CC_BY_SA_TEXT@, laid
# out as the copyright format wants a licence text: each line indented by one
# space, each empty line written as " .".
function(tarvelo_copyright template licence output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${licence})
    file(READ ${licence} text)
    string(STRIP "${text}" text)
    string(REPLACE "\n" "\n " text " ${text}")
    # Twice, as neighbouring empty lines share the newline between them.
    string(REPLACE "\n \n" "\n .\n" text "${text}")
    string(REPLACE "\n \n" "\n .\n" text "${text}")
    set(TARVELO_CC_BY_SA_TEXT "${text}")
    configure_file(${template} ${output} @ONLY)
endfunction()

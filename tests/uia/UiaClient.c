// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Does what a screen reader does first: sends WM_GETOBJECT, asking for the
// UI Automation root, to the top-level window titled TITLE, within 10 s.
// Usage: uia-client TITLE
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        fputs("usage: uia-client TITLE\n", stderr);
        return 2;
    }
    const LPARAM uiaRootObjectId = -25;
    for (int tries = 0; tries < 100; ++tries) {
        HWND window = FindWindowW(NULL, argv[1]);
        if (window != NULL) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(window, WM_GETOBJECT, 0, uiaRootObjectId, SMTO_ABORTIFHUNG,
                                    5000, &result) == 0) {
                fputs("uia-client: the window did not answer\n", stderr);
                return 1;
            }
            return 0;
        }
        Sleep(100);
    }
    fputs("uia-client: no such window\n", stderr);
    return 1;
}

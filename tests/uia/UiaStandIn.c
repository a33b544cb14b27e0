// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for UIAutomationCore.dll with the six functions Qt's windows
// platform looks up in it: a client is always listening, and every event a
// program raises is appended as one UTF-8 line to the file named by
// TARVELO_UIA_LOG (a Windows path):
//   notification KIND PROCESSING TEXT
//   event EVENTID
//   property PROPERTYID
// Elements are never handed out, so the program's providers are only ever
// asked for what it raises itself.
#include <stdio.h>
#include <windows.h>

static void record(const char* what, const wchar_t* text) {
    wchar_t path[MAX_PATH];
    if (GetEnvironmentVariableW(L"TARVELO_UIA_LOG", path, MAX_PATH) == 0) {
        return;
    }
    char utf8[4096] = "";
    if (text != NULL) {
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, (int)sizeof utf8, NULL, NULL);
    }
    FILE* log = _wfopen(path, L"ab");
    if (log != NULL) {
        fprintf(log, "%s%s%s\n", what, text != NULL ? " " : "", utf8);
        fclose(log);
    }
}

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening(void) {
    return TRUE;
}

__declspec(dllexport) LRESULT WINAPI
    UiaReturnRawElementProvider(HWND window, WPARAM wParam, LPARAM lParam, void* provider) {
    (void)window;
    (void)wParam;
    (void)lParam;
    (void)provider;
    return 0;
}

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND window, void** provider) {
    (void)window;
    if (provider != NULL) {
        *provider = NULL;
    }
    return E_NOTIMPL;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(void* provider, int eventId) {
    (void)provider;
    char line[32];
    snprintf(line, sizeof line, "event %d", eventId);
    record(line, NULL);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseAutomationPropertyChangedEvent(void* provider, int propertyId, VARIANT oldValue,
                                           VARIANT newValue) {
    (void)provider;
    (void)oldValue;
    (void)newValue;
    char line[32];
    snprintf(line, sizeof line, "property %d", propertyId);
    record(line, NULL);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseNotificationEvent(void* provider, int kind, int processing, BSTR text,
                              BSTR activityId) {
    (void)provider;
    (void)activityId;
    char line[48];
    snprintf(line, sizeof line, "notification %d %d", kind, processing);
    record(line, text != NULL ? text : L"");
    return S_OK;
}

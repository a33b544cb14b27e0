// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SetLocation.h"

#include <QDir>
#include <memory>
#include <shlobj.h>
#include <windows.h>

namespace tarvelo {

namespace {
struct CoTaskFreer {
    void operator()(wchar_t* p) const { CoTaskMemFree(p); }
};
} // namespace

QString defaultSetRoot() {
    // The folder the Start-menu entry's launcher plays from.
    wchar_t* raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &raw);
    const std::unique_ptr<wchar_t, CoTaskFreer> localAppData(raw);
    const QString base = SUCCEEDED(result) ? QString::fromWCharArray(localAppData.get())
                                           : qEnvironmentVariable("LOCALAPPDATA");
    return QDir::cleanPath(QDir::fromNativeSeparators(base) + QStringLiteral("/tarvelo"));
}

QStringList installedDrawingsDirs(const QString& programDir) {
    return {
        programDir + QStringLiteral("/kresby"),
        programDir + QStringLiteral("/obr/0"),
    };
}

} // namespace tarvelo

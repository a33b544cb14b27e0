// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicFile.h"

#include "SystemMessage.h"

namespace tarvelo {

namespace {

const char* stepText(WriteStep step) {
    switch (step) {
    case WriteStep::Create:
        return "creating the temporary file";
    case WriteStep::Write:
        return "writing";
    case WriteStep::Sync:
        return "flushing to the disk";
    case WriteStep::Close:
        return "closing";
    case WriteStep::Replace:
        return "replacing the old file";
    case WriteStep::SyncFolder:
        return "recording the new file in its folder";
    case WriteStep::Folder:
        return "reaching its folder";
    case WriteStep::Remove:
        return "removing it";
    }
    return "writing";
}

} // namespace

std::string writeErrorText(const std::string& path, const WriteError& error) {
    if (error.link) {
        return "cannot write " + path + ": a link on the way leads elsewhere (" +
               stepText(error.step) + ")";
    }
    return "cannot write " + path + ": " + systemErrorText(error.code) + " (" +
           stepText(error.step) + ")";
}

} // namespace tarvelo

// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <zip.h>

// libzip's objects, each let go the way libzip asks for it. An archive only
// read is discarded, never closed, since closing would write it.
namespace tarvelo::libzip {

struct ArchiveDiscarder {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct ErrorFini {
    void operator()(zip_error_t* error) const { zip_error_fini(error); }
};

using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;
using File = std::unique_ptr<zip_file_t, FileCloser>;
using Source = std::unique_ptr<zip_source_t, SourceFreer>;
using ErrorGuard = std::unique_ptr<zip_error_t, ErrorFini>;

} // namespace tarvelo::libzip

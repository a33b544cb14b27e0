// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImageIOHandler>
#include <QtPlugin>
#include <memory>

namespace tarvelo {

// Writes JPEG for Qt's image writers through the project's libjpeg-turbo
// encoder (encodeBaselineJpeg), honouring the quality asked for; it reads
// nothing. Qt's PDF engine stores a picture as JPEG only when some image
// plugin writes "jpeg", else as deflated pixels, many times bigger.
std::unique_ptr<QImageIOHandler> makeJpegWriteHandler();

// The same as a plugin Qt can be given (qRegisterStaticPluginFunction) where
// it was built without its own JPEG plugin.
QStaticPlugin jpegWriteStaticPlugin();

} // namespace tarvelo

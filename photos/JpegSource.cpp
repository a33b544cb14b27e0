// SPDX-FileCopyrightText: 2026 Tarvelo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegReader.h"
#include "PhotoImport.h"
#include "Placement.h"
#include "SourcePicture.h"
#include "UprightImage.h"

namespace tarvelo {

QSize placedSize(int width, int height) {
    const PlacementRect rect = placementRect(width, height, storedBoxWidth, storedBoxHeight);
    return {rect.width(), rect.height()};
}

UprightPicture readJpegPicture(QFile& file) {
    JpegReader reader(file);
    UprightPicture picture;
    picture.orientation = reader.orientation();
    const bool swap = swapsSides(picture.orientation);
    picture.storedSize = swap ? placedSize(reader.height(), reader.width())
                              : placedSize(reader.width(), reader.height());
    const QSize wanted = swap ? picture.storedSize.transposed() : picture.storedSize;
    picture.image =
        turnUpright(reader.decode(wanted.width(), wanted.height()), picture.orientation);
    if (!reader.iccProfile().isEmpty())
        picture.colourSpace = QColorSpace::fromIccProfile(reader.iccProfile());
    return picture;
}

} // namespace tarvelo

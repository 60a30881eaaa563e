// SPDX-License-Identifier: LGPL-2.1-or-later
#include "imageutilities.h"

#include <QBitmap>
#include <QColor>
#include <QImage>

namespace Quorvex {

QRegion ImageUtilities::maskFromAlphaChannel(const QImage &image, uchar threshold)
{
    const QRegion whole(0, 0, image.width(), image.height());
    if (!image.hasAlphaChannel() || image.depth() != 32)
        return whole;
    QImage mask(image.size(), QImage::Format_MonoLSB);
    if (mask.isNull())
        return whole;
    // A new one-bit image has black at index 0, which a bitmap reads as "set".
    mask.setColorCount(2);
    mask.setColor(0, QColor(Qt::color0).rgb());
    mask.setColor(1, QColor(Qt::color1).rgb());
    mask.fill(0);

    // The alpha is the fourth byte of each pixel in memory (ARGB32 on a
    // little-endian machine). Eight pixels make one byte of the mask at a time.
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const uchar *alpha = image.constScanLine(y) + 3;
        uchar *bits = mask.scanLine(y);
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            uchar byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                byte |= uchar((alpha[(x + bit) * 4] >= threshold) << bit);
            bits[x / 8] = byte;
        }
        for (; x < width; ++x) {
            if (alpha[x * 4] >= threshold)
                bits[x / 8] |= uchar(1 << (x % 8));
        }
    }
    return QRegion(QBitmap::fromImage(mask));
}

} // namespace Quorvex

// JPEG pictures decoded with libjpeg: scaled down by the decoder where the picture
// is much larger than the place it is shown in, always delivered as RGB.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace jpeg {

// The decoder's scale denominator (1, 2, 4 or 8) for a picture of `picture` pixels
// shown in an area of `area` pixels: the largest one that keeps the decoded picture
// at least as large as the area in both directions.
int ScaleDenominator(QSize picture, QSize area);

// Largest decoded picture accepted, in pixels; larger ones count as undecodable.
inline constexpr qint64 kMaxPixels = 64ll * 1024 * 1024;
// Most memory the decoder itself may take, in bytes; a picture that needs more
// counts as undecodable.
inline constexpr long kMaxDecoderBytes = 512l * 1024 * 1024;

// Decodes the JPEG file at `path` for showing in `area` (an empty area: full size).
// Returns a null image when the file is missing, is no regular file, is no JPEG,
// is corrupt or truncated; never ends the program.
QImage Decode(const QString& path, QSize area = QSize());

// The same for a JPEG held in memory.
QImage DecodeBytes(const QByteArray& data, QSize area = QSize());

}  // namespace jpeg

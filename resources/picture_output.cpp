#include "resources/picture_output.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace {

void AppendLe(QByteArray& bytes, quint32 value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(char((value >> (8 * i)) & 0xff));
}

// A 24-bit bottom-up BMP with the 40-byte information header and no
// palette: the form the panel's loader reads.
QByteArray EncodeBmp(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int width = rgb.width();
  const int height = rgb.height();
  const int stride = (width * 3 + 3) & ~3;
  const quint32 pixelBytes = quint32(stride) * quint32(height);
  QByteArray bytes;
  bytes.reserve(int(54 + pixelBytes));
  bytes.append("BM");
  AppendLe(bytes, 54 + pixelBytes, 4);
  AppendLe(bytes, 0, 4);
  AppendLe(bytes, 54, 4);
  AppendLe(bytes, 40, 4);
  AppendLe(bytes, quint32(width), 4);
  AppendLe(bytes, quint32(height), 4);
  AppendLe(bytes, 1, 2);   // planes
  AppendLe(bytes, 24, 2);  // bits per pixel
  AppendLe(bytes, 0, 4);   // uncompressed
  AppendLe(bytes, pixelBytes, 4);
  AppendLe(bytes, 2835, 4);  // 72 dpi
  AppendLe(bytes, 2835, 4);
  AppendLe(bytes, 0, 4);
  AppendLe(bytes, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    const uchar* line = rgb.constScanLine(y);
    for (int x = 0; x < width; ++x) {
      bytes.append(char(line[3 * x + 2]));
      bytes.append(char(line[3 * x + 1]));
      bytes.append(char(line[3 * x]));
    }
    for (int pad = width * 3; pad < stride; ++pad) bytes.append('\0');
  }
  return bytes;
}

}  // namespace

void Output::Write(const QImage& image, const QString& relative) {
  const QString path = root_ + "/Pictures/" + relative + ".bmp";
  QDir().mkpath(QFileInfo(path).absolutePath());
  // Written beside the target and renamed over it.
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && file.write(EncodeBmp(image)) >= 0 && file.commit()) {
    ++written_;
  } else {
    std::fprintf(stderr, "picture_generator: cannot write %s\n", qPrintable(path));
    ++failed_;
  }
}

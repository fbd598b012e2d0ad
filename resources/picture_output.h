// The pictures' files: 24-bit BMPs in Pictures/ below the output folder.
#pragma once

#include <QImage>
#include <QString>
#include <utility>

class Output {
 public:
  explicit Output(QString root) : root_(std::move(root)) {}

  // Pictures/<relative>.bmp below the root; a failure is reported and counted.
  void Write(const QImage& image, const QString& relative);
  int written() const { return written_; }
  int failed() const { return failed_; }

 private:
  QString root_;
  int written_ = 0;
  int failed_ = 0;
};

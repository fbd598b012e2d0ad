// A graph canvas of pixels in memory, for checking and timing the drawing.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "recording/graph.h"

// Pixels, with lines rasterised end point included (Bresenham) and texts
// left out.
class BitmapCanvas : public GraphCanvas {
 public:
  BitmapCanvas(int width, int height) : width(width), height(height), pixels(width * height, 0) {}
  void FillWhite(const GraphRect& area) override {
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) Set(x, y, 0xFFFFFF);
    }
  }
  void Line(int x1, int y1, int x2, int y2, std::uint32_t colour, bool) override {
    ++lineCount;
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
      Set(x1, y1, colour);
      if (x1 == x2 && y1 == y2) break;
      const int e2 = 2 * error;
      if (e2 >= dy) {
        error += dy;
        x1 += sx;
      }
      if (e2 <= dx) {
        error += dx;
        y1 += sy;
      }
    }
  }
  void Text(const GraphRect&, std::u16string_view, std::uint32_t, TextAlign, GraphFont) override {}
  std::uint32_t At(int x, int y) const { return pixels[y * width + x]; }
  // Rows of `colour` in column x, top to bottom.
  std::vector<int> Column(int x, std::uint32_t colour) const {
    std::vector<int> rows;
    for (int y = 0; y < height; ++y) {
      if (At(x, y) == colour) rows.push_back(y);
    }
    return rows;
  }

  int width, height;
  std::vector<std::uint32_t> pixels;
  int lineCount = 0;

 private:
  void Set(int x, int y, std::uint32_t colour) {
    if (x >= 0 && x < width && y >= 0 && y < height) pixels[y * width + x] = colour;
  }
};

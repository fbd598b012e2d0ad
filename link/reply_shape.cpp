#include "link/reply_shape.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "link/commands.h"

namespace {

constexpr std::size_t kStatusDigits = 24;
constexpr std::size_t kMostBatteryDigits = 3;
constexpr std::size_t kReadingFields = 3;
constexpr std::size_t kLeastIdentityFields = 4;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto comma = text.find(',');
    fields.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    text.remove_prefix(comma + 1);
  }
}

bool IsDigits(std::string_view text) { return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit); }

// A decimal integer text, perhaps negative.
bool IsInteger(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return IsDigits(text);
}

// A function or range token: letters, digits and the few marks tokens use.
bool IsToken(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' || c == '-';
  });
}

bool IsStatus(std::string_view reply) {
  return reply.size() >= kStatusDigits && IsDigits(reply.substr(0, kStatusDigits));
}

bool IsBattery(std::string_view reply) { return reply.size() <= kMostBatteryDigits && IsDigits(reply); }

bool IsReading(std::string_view reply) {
  if (command::IsCommandError(reply)) return true;  // nothing to read on that display
  const auto fields = Fields(reply);
  return fields.size() == kReadingFields && std::all_of(fields.begin(), fields.end(), IsInteger);
}

bool IsConfiguration(std::string_view reply) {
  if (command::IsCommandError(reply)) return true;  // no such display
  const auto fields = Fields(reply);
  return fields.size() == 2 && IsToken(fields[0]) && IsToken(fields[1]);
}

bool IsIdentity(std::string_view reply) { return Fields(reply).size() >= kLeastIdentityFields; }

struct Shape {
  std::string_view command;
  bool (*fits)(std::string_view reply);
};

constexpr Shape kShapes[] = {
    {command::kStatus, IsStatus},
    {command::kBattery, IsBattery},
    {command::kMainReading, IsReading},
    {command::kSubReading, IsReading},
    {command::kPeakMax, IsInteger},
    {command::kPeakMin, IsInteger},
    {command::kMainConfig, IsConfiguration},
    {command::kSubConfig, IsConfiguration},
    {command::kIdentify, IsIdentity},
};

const Shape* ShapeOf(std::string_view command) {
  for (const Shape& shape : kShapes) {
    if (shape.command == command) return &shape;
  }
  return nullptr;
}

}  // namespace

bool ReplyFits(std::string_view command, std::string_view reply) {
  const Shape* shape = ShapeOf(command);
  return shape == nullptr || shape->fits(reply);
}

bool HasReplyShape(std::string_view command) { return ShapeOf(command) != nullptr; }

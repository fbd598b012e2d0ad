// The texts of numbers, dates and clock times as the program shows and
// stores them, and the one search-and-replace of its texts.
#pragma once

#include <string>
#include <string_view>

// `number` in decimal, at least `width` characters with zeros after the
// sign, as printf's "%0*lld" writes it.  In place, without a narrow string
// to widen: the CSV export runs it several times for each of up to a
// million records.
void AppendNumber(std::u16string& text, long long number, int width = 0);
std::u16string NumberText(long long number);

// "2021/06/15", as "%04d/%02d/%02d".
std::u16string DateText(int year, int month, int day);
// "2021/6/15", as "%d/%d/%d": the dates the CSV files carry.
std::u16string ShortDateText(int year, int month, int day);
// "09:36:54", as "%02lld:%02lld:%02lld": hours are not limited to two digits.
std::u16string ClockText(long long hours, long long minutes, long long seconds);

// Every `from` in `text` replaced by `to`, from left to right; what a
// replacement puts in is not searched again.
void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);
// An interface text with every "%s" in it replaced by `value`.
std::u16string Filled(std::u16string_view pattern, std::u16string_view value);

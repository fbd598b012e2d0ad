// The time texts of records, statistics lines and files.
#pragma once

#include <string>

#include "persistence/date_time.h"

// "2021/06/15,09:36:54"; empty for a time that is not a valid date.
std::u16string RealTimeText(const CDateTime& time);
// Whole seconds since `first` as "%02d:%02d:%02d" (hours not limited to two digits).
std::u16string RelativeTimeText(const CDateTime& time, const CDateTime& first);

// The record information page's texts from the save settings.
#pragma once

#include "persistence/settings.h"
#include "window/controls.h"

// Company, memo, date, operator, temperature and humidity, and the interval;
// shown whether or not they go into a CSV header.
void ShowSaveSettings(Controls& info, const Settings& settings);

// What the user is told instead of "no meter" when the meter's cable is
// there but its port would not open: which port, why, and the fix.
#pragma once

#include <string>

#include "link/port_refusal.h"

// The hint for `refused` in `language` (0 Japanese, anything else English).
std::u16string PortRefusalHint(const RefusedPort& refused, int language);

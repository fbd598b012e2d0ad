// Setting and removing environment variables in tests, on both systems:
// Windows has no setenv().
#pragma once

#include <stdlib.h>

inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

inline void UnsetEnvironment(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");  // an empty value removes the variable
#else
  unsetenv(name);
#endif
}

// The models by their ModelIndex: the model's place in the catalogue's
// table, as the settings, the recordings and the identification keep it.
// The names the meters answer with are kept beside the identification.
#pragma once

inline constexpr int kRv7321 = 0;
inline constexpr int kRv7322 = 1;
inline constexpr int kRv7323 = 2;
inline constexpr int kRv7324 = 3;
inline constexpr int kRv7325 = 4;
inline constexpr int kRv7326 = 5;
inline constexpr int kRv7341 = 6;
inline constexpr int kRv734x = 7;  // the family's name as a model: no pictures, no diagram
inline constexpr int kRv7361 = 8;
inline constexpr int kRv7362 = 9;
inline constexpr int kModelCount = 10;
inline constexpr int kNoModel = 10;  // the last probe's reply matched no model
// Until a meter is identified, and for a settings file without one.
inline constexpr int kDefaultModel = kRv7361;

// The two RV736X meters themselves.  Which family's tables apply is
// FamilyOf's (catalogue/catalogue.h): RV736X also for kNoModel.
constexpr bool IsRv736x(int model) { return model == kRv7361 || model == kRv7362; }
constexpr bool IsRv7341(int model) { return model == kRv7341; }

#pragma once
// Whether the intro videos play before the main menu. "-nointro" on the command line
// or the settings value "Skip Intro" = 1 leaves them out, for players who have seen
// them often enough (and for start-up timing).
inline constexpr const char* kNoIntroOption = "-nointro";
inline constexpr const char* kSkipIntroSetting = "Skip Intro";

bool IntroWanted();

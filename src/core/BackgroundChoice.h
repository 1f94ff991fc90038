#pragma once
#include <string>

#include "core/DevInfo.h"

class CIniFile;

// The background bitmap an INI file names: its Background key, or with "AutoDetectBg" the entry of
// section AutoDetectBg for the first device that has one, else that section's Default.
std::string ChooseBackground(const CIniFile& ini, const CDevList& devices);

#pragma once
#include <functional>
#include <memory>

#include "core/SystemFacts.h"
#include "win32/WMIQuery.h"

// The facts of the running Windows. WMI failures the user should hear of go to `onWmiFailure`, as
// they happen; this layer shows nothing itself.
std::unique_ptr<SystemFacts> MakeWin32SystemFacts(std::function<void(const WmiFailure&)> onWmiFailure);

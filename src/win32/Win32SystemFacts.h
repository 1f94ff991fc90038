#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "core/SystemFacts.h"
#include "win32/WMIQuery.h"

// Reads the token's groups as GetTokenInformation(TokenGroups) does: FALSE, with the size it needs,
// when the buffer is too small.
using TokenGroupsReader = std::function<BOOL(void* buffer, DWORD size, DWORD* needed)>;
// Whether the groups hold the Administrators group.
bool GroupsHoldAdministrators(const TokenGroupsReader& read);

// The facts of the running Windows. WMI failures the user should hear of go to `onWmiFailure`, as
// they happen; this layer shows nothing itself.
std::unique_ptr<SystemFacts> MakeWin32SystemFacts(std::function<void(const WmiFailure&)> onWmiFailure);

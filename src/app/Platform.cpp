// The Windows program's platform objects, made once and handed to the core through its Default*()
// seams, with the application's way of telling the user. Linked into every Windows program of this
// project (the core links to no platform library).
#include "app/Messages.h"
#include "core/Token.h"
#include "win32/Win32DetectPlatform.h"
#include "win32/Win32ProfileCache.h"
#include "win32/Win32SystemFacts.h"

SystemFacts& DefaultSystemFacts() {
    static const std::unique_ptr<SystemFacts> facts = MakeWin32SystemFacts(ShowWmiFailure);
    return *facts;
}

ProfileStore& SystemProfileStore() {
    static Win32ProfileStore store;
    return store;
}

ProfileStore& DefaultProfileStore() {
    static Win32ProfileCache store;
    return store;
}

DetectPlatform& DefaultDetectPlatform() {
    static CWin32DetectPlatform platform(CToken().GetVariable("Path"), CToken().GetVariable("WinSystem"));
    return platform;
}

// The Windows program's platform objects, with the application's way of telling the user.
#include "app/Messages.h"
#include "win32/Win32SystemFacts.h"

SystemFacts& DefaultSystemFacts() {
    static const std::unique_ptr<SystemFacts> facts = MakeWin32SystemFacts(ShowWmiFailure);
    return *facts;
}

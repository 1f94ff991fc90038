#!/bin/sh
# A layer that includes a header of a layer above it must not build. Each probe is one file compiled
# against one layer's library (tests/layers/upward.cpp); the compiler must stop at that header.
# usage: upward-include.sh NATIVE_BUILD WINDOWS_BUILD
status=0
probe() {
    out=$(cmake --build "$1" --target "$2" 2>&1) && { echo "$2 built: $3 is within its reach"; status=1; return; }
    if echo "$out" | grep -q "$3: No such file"; then
        echo "$2: $3 out of reach"
    else
        echo "$2 failed for another reason:"; echo "$out"; status=1
    fi
}
probe "$1" upward_core win32/OS.h
probe "$2" upward_win32 ui/Window.h
probe "$2" upward_ui app/Messages.h
exit $status

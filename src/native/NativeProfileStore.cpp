#include "core/ProfileEngine.h"

ProfileStore& SystemProfileStore() {
    static ProfileEngine engine;
    return engine;
}

ProfileStore& DefaultProfileStore() {
    return SystemProfileStore();
}

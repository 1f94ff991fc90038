#include "core/ProfileEngine.h"

ProfileStore& DefaultProfileStore() {
    static ProfileEngine engine;
    return engine;
}

#pragma once
#include <string>

namespace veskor {

// Numbered places shared by every process of the user, each held by at most one process at a
// time; a place is freed when its holder releases it or ends, however it ends.
class IInstanceSlots {
public:
    enum class Take {
        Taken,      // this process now holds one of the places
        Full,       // every place is held
        Unavailable // the places cannot be made or locked here
    };

    virtual ~IInstanceSlots() = default;
    // Takes the first free one of `count` places of that name; at most one per object.
    virtual Take take(const std::string& name, int count) = 0;
    // Frees the place this object holds, if any.
    virtual void release() = 0;
};

} // namespace veskor

#pragma once
#include "platform/InstanceSlots.h"

#include <map>
#include <string>

namespace veskor {

// Places counted in a map shared by the fakes of one test, as if by the processes of the user.
class FakeInstanceSlots final : public IInstanceSlots {
public:
    using Held = std::map<std::string, int>;

    explicit FakeInstanceSlots(Held& held) : m_held(held) {}

    Take take(const std::string& name, int count) override {
        if (unavailable) {
            return Take::Unavailable;
        }
        if (!m_name.empty()) {
            return Take::Taken;
        }
        if (m_held[name] >= count) {
            return Take::Full;
        }
        ++m_held[name];
        m_name = name;
        return Take::Taken;
    }
    void release() override {
        if (!m_name.empty()) {
            --m_held[m_name];
            m_name.clear();
        }
    }

    bool unavailable = false;

private:
    Held& m_held;
    std::string m_name;
};

} // namespace veskor

#pragma once
#include "platform/SessionService.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace veskor {

// A session manager that records the requests; each step can be made to fail with an error
// number.
class FakeSessionService final : public ISessionService {
public:
    int platformId() override { return id; }
    bool openPrivilege() override {
        ++opens;
        return step(openError);
    }
    bool adjustPrivilege(std::uint32_t flags) override {
        adjusted.push_back(flags);
        return step(adjustError);
    }
    bool exitSession(std::uint32_t flags) override {
        requests.push_back(flags);
        if (onRequest) {
            onRequest(flags);
        }
        return step(exitError);
    }
    [[nodiscard]] int lastError() const override { return error; }

    int id = 2;
    int openError = 0;
    int adjustError = 0;
    int exitError = 0;
    int error = 0;
    int opens = 0;
    std::vector<std::uint32_t> adjusted;
    std::vector<std::uint32_t> requests;
    // Run at every request, to see the caller's state at that moment.
    std::function<void(std::uint32_t)> onRequest;

private:
    bool step(int failure) {
        error = failure;
        return failure == 0;
    }
};

} // namespace veskor

#pragma once
#include "platform/SessionService.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veskor {

// A session manager that records the requests and answers at once; each step can be made to
// fail with an error number and a reason.
class FakeSessionService final : public ISessionService {
public:
    int platformId() override { return id; }
    void openPrivilege(Reply reply) override {
        ++opens;
        reply({openError, openError != 0 ? reason : std::string()});
    }
    void adjustPrivilege(std::uint32_t flags, Reply reply) override {
        adjusted.push_back(flags);
        reply({adjustError, adjustError != 0 ? reason : std::string()});
    }
    void exitSession(std::uint32_t flags, Reply reply) override {
        requests.push_back(flags);
        if (onRequest) {
            onRequest(flags);
        }
        reply({exitError, exitError != 0 ? reason : std::string()});
    }

    int id = 2;
    int openError = 0;
    int adjustError = 0;
    int exitError = 0;
    std::string reason = "refused";
    int opens = 0;
    std::vector<std::uint32_t> adjusted;
    std::vector<std::uint32_t> requests;
    // Run at every request, to see the caller's state at that moment.
    std::function<void(std::uint32_t)> onRequest;
};

} // namespace veskor

#pragma once
// Helpers shared by the tests: an independent UTF-8 to Windows-1250 conversion (iconv,
// not the program's own converter), a fresh folder per test, and a child process for cases that
// need an ordinary user's rights or a resource limit.

#include "common/Error.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

namespace veskor::test {

namespace fs = std::filesystem;

inline std::string cp1250(std::string_view utf8) {
    const iconv_t cd = iconv_open("CP1250", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no CP1250";
        return {};
    }
    std::string in(utf8);
    std::string out(in.size(), '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "iconv cannot convert " << utf8;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// The program's error text of an operation, or "no error".
template <typename F> std::string errorOf(F&& operation) {
    try {
        operation();
    } catch (const veskor::Error& e) {
        return e.what();
    }
    return "no error";
}

class TempDir final {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "veskor-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    ~TempDir() {
        // Tests take rights away; give them back so that the folder can go.
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(m_path, ec);
             it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    TempDir(TempDir&&) = delete;
    TempDir& operator=(TempDir&&) = delete;

    const fs::path& path() const { return m_path; }
    fs::path operator/(const fs::path& name) const { return m_path / name; }

private:
    fs::path m_path;
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

// Runs body in a child process and returns the text it produced; nullopt when the child could
// not take the asked identity. With unprivileged set, a root parent's child becomes "nobody", so
// that permission checks apply although the tests may run as root.
inline std::optional<std::string> runInChild(const std::function<std::string()>& body,
                                             bool unprivileged) {
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return std::nullopt;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (unprivileged && geteuid() == 0) {
            constexpr uid_t kNobody = 65534;
            if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
                setresuid(kNobody, kNobody, kNobody) != 0) {
                _exit(2);
            }
        }
        std::string text;
        try {
            text = body();
        } catch (const std::exception& e) {
            text = std::string("unexpected exception: ") + e.what();
        }
        const bool written =
            write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(written ? 0 : 1);
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) {
        return std::nullopt;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return text;
}

} // namespace veskor::test

// Driver for bench/versionresource.sh.
//   make FILE MB      writes a PE32 image: a zero-filled section of MB megabytes, then a resource
//   read FILE         reads its version texts through the mapped file, prints them and the time
//   evict FILE        drops the file's pages from the page cache (a cold read follows)
//   run CMD ARGS...   runs CMD and prints its wall time and the bytes it read (/proc/PID/io)

#include "fileinfo/core/VersionResource.h"

#include "../tests/fileinfo/VersionImages.h"
#include "platform/linux/PosixMappedFile.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// rchar (bytes through read calls) and read_bytes (bytes fetched from storage) of a process.
std::string ioOf(const std::string& pid) {
    std::ifstream io("/proc/" + pid + "/io");
    std::string line;
    std::string out;
    while (std::getline(io, line)) {
        if (line.rfind("rchar:", 0) == 0 || line.rfind("read_bytes:", 0) == 0)
            out += line + "  ";
    }
    return out;
}

int make(const char* path, long megabytes) {
    using namespace veskor::testimages;
    Version v;
    v.tables = {{u"040904B0",
                 {{u"CompanyName", u"Orvane"},
                  {u"FileDescription", u"Large test image"},
                  {u"ProductName", u"Veskor Pro"},
                  {u"ProductVersion", u"1.0"}}}};
    v.translations = {0x040904B0};
    const Bytes image = peImage({{0x0409, versionResource(v)}},
                                {.zeroSection = static_cast<std::size_t>(megabytes) << 20});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    std::printf("wrote %s: %zu bytes\n", path, image.size());
    return 0;
}

int read(const char* path) {
    const auto start = Clock::now();
    const veskor::PosixMappedFiles files;
    veskor::VersionResource resource(files, QString::fromLocal8Bit(path));
    const double ms = millisecondsSince(start);
    const auto again = Clock::now();
    resource.setFileName(QString::fromLocal8Bit(path));
    const double warm = millisecondsSince(again);
    const veskor::VersionInfo& info = resource.versionInfo();
    std::printf("CompanyName=%s ProductName=%s FileVersion=%s\n", qPrintable(info.companyName),
                qPrintable(info.productName), qPrintable(info.fileVersion));
    std::printf("read: first %.3f ms, again %.3f ms  %s\n", ms, warm, ioOf("self").c_str());
    return info.productName.isEmpty() ? 1 : 0;
}

int evict(const char* path) {
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0)
        return 1;
    ::fdatasync(fd);
    const int rc = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
    return rc == 0 ? 0 : 1;
}

int run(char** argv) {
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execvp(argv[0], argv);
        ::_exit(127);
    }
    // Wait without reaping, so that the child's counters can still be read.
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    const double ms = millisecondsSince(start);
    const std::string io = ioOf(std::to_string(pid));
    int status = 0;
    ::waitpid(pid, &status, 0);
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%-10s %9.1f ms  %s majflt: %ld  minflt: %ld  status: %d\n", argv[0], ms,
                io.c_str(), usage.ru_majflt, usage.ru_minflt, WEXITSTATUS(status));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "make") == 0)
        return make(argv[2], std::stol(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "read") == 0)
        return read(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "evict") == 0)
        return evict(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
        return run(argv + 2);
    std::fprintf(stderr, "usage: %s make FILE MB | read FILE | evict FILE | run CMD...\n", argv[0]);
    return 2;
}

#include "platform/linux/CompoundFile.h"

#include "platform/linux/LazyLibrary.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veskor {

namespace {

struct Gsf {
    decltype(&::gsf_input_stdio_new_FILE) inputStdioNewFile = nullptr;
    decltype(&::gsf_infile_msole_new) infileMsoleNew = nullptr;
    decltype(&::gsf_infile_child_by_name) infileChildByName = nullptr;
    decltype(&::gsf_infile_num_children) infileNumChildren = nullptr;
    decltype(&::gsf_infile_get_type) infileGetType = nullptr;
    decltype(&::g_type_check_instance_is_a) typeCheckInstanceIsA = nullptr;
    decltype(&::gsf_input_size) inputSize = nullptr;
    decltype(&::gsf_input_read) inputRead = nullptr;
    decltype(&::g_object_unref) objectUnref = nullptr;
    decltype(&::g_error_free) errorFree = nullptr;
    decltype(&::g_log_set_handler) logSetHandler = nullptr;
};

// What the library says about a broken document while it is read.
std::vector<std::string>* g_libraryMessages = nullptr;

void collectLibraryMessage(const gchar* domain, GLogLevelFlags /*level*/, const gchar* message,
                           gpointer /*data*/) {
    if (g_libraryMessages != nullptr && g_libraryMessages->size() < 20) {
        g_libraryMessages->push_back(std::string(domain != nullptr ? domain : "") + ": " +
                                     (message != nullptr ? message : ""));
    }
}

// Collects the library's messages for as long as it lives.
class LibraryMessages final {
public:
    explicit LibraryMessages(std::vector<std::string>& into) { g_libraryMessages = &into; }
    ~LibraryMessages() { g_libraryMessages = nullptr; }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;
    LibraryMessages(LibraryMessages&&) = delete;
    LibraryMessages& operator=(LibraryMessages&&) = delete;
};

bool bindGsf(const LibrarySymbols& symbol, Gsf& gsf) {
    if (!symbol("gsf_input_stdio_new_FILE", gsf.inputStdioNewFile) ||
        !symbol("gsf_infile_msole_new", gsf.infileMsoleNew) ||
        !symbol("gsf_infile_child_by_name", gsf.infileChildByName) ||
        !symbol("gsf_infile_num_children", gsf.infileNumChildren) ||
        !symbol("gsf_infile_get_type", gsf.infileGetType) ||
        !symbol("g_type_check_instance_is_a", gsf.typeCheckInstanceIsA) ||
        !symbol("gsf_input_size", gsf.inputSize) || !symbol("gsf_input_read", gsf.inputRead) ||
        !symbol("g_object_unref", gsf.objectUnref) || !symbol("g_error_free", gsf.errorFree) ||
        !symbol("g_log_set_handler", gsf.logSetHandler)) {
        return false;
    }
    const auto everyLevel =
        static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
    // Some of its files log without a domain of their own.
    for (const char* domain :
         {static_cast<const char*>(nullptr), "libgsf", "libgsf:msole", "libgsf:utils"}) {
        gsf.logSetHandler(domain, everyLevel, collectLibraryMessage, nullptr);
    }
    return true;
}

const Gsf* gsfLibrary() {
    static const LazyLibrary<Gsf> library({"libgsf-1.so.114", "libgsf-1.so"}, bindGsf);
    return library.functions();
}

struct GObjectUnref {
    void operator()(void* object) const {
        const Gsf* const gsf = gsfLibrary(); // loaded, or no object was made
        if (object != nullptr && gsf != nullptr) {
            gsf->objectUnref(object);
        }
    }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref>;

std::string gErrorText(const Gsf& gsf, GError* error) {
    std::string text = error != nullptr ? error->message : "";
    if (error != nullptr) {
        gsf.errorFree(error);
    }
    return text;
}

CompoundStream failed(CompoundStream::Failure failure, std::string reason = {}) {
    CompoundStream result;
    result.failure = failure;
    result.reason = std::move(reason);
    return result;
}

} // namespace

CompoundStream readGsfStream(const std::filesystem::path& path, const std::string& name,
                             std::size_t maxBytes) {
    using Failure = CompoundStream::Failure;
    const Gsf* const gsf = gsfLibrary();
    if (gsf == nullptr) {
        return failed(Failure::NoLibrary);
    }
    // Opened here, and only a regular file handed on: the container reader would wait forever on
    // a FIFO, also one swapped in for the file after a check of its name.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return failed(Failure::CannotOpen, std::strerror(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return failed(Failure::CannotOpen, "not a regular file");
    }
    FILE* const stdioFile = ::fdopen(fd, "rb");
    if (stdioFile == nullptr) {
        const int error = errno;
        ::close(fd);
        return failed(Failure::CannotOpen, std::strerror(error));
    }
    CompoundStream result;
    const LibraryMessages collecting(result.messages);
    // The input closes the file when it goes.
    const GPtr<GsfInput> file(gsf->inputStdioNewFile(path.c_str(), stdioFile, FALSE));
    if (!file) {
        std::fclose(stdioFile);
        return failed(Failure::CannotOpen);
    }
    GError* error = nullptr;
    const GPtr<GsfInfile> storage(gsf->infileMsoleNew(file.get(), &error));
    if (!storage) {
        return failed(Failure::NotCompound, gErrorText(*gsf, error));
    }
    const GPtr<GsfInput> child(gsf->infileChildByName(storage.get(), name.c_str()));
    GsfInput* const stream = child.get();
    // A storage of that name is no stream.
    if (stream == nullptr || (gsf->typeCheckInstanceIsA(reinterpret_cast<GTypeInstance*>(stream),
                                                        gsf->infileGetType()) != 0 &&
                              gsf->infileNumChildren(reinterpret_cast<GsfInfile*>(stream)) >= 0)) {
        return failed(Failure::NoStream);
    }
    const gsf_off_t size = std::max<gsf_off_t>(gsf->inputSize(stream), 0);
    result.size = static_cast<std::uint64_t>(size);
    result.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(result.size, maxBytes)));
    if (!result.bytes.empty() &&
        gsf->inputRead(stream, result.bytes.size(),
                       reinterpret_cast<guint8*>(result.bytes.data())) == nullptr) {
        return failed(Failure::CannotRead);
    }
    return result;
}

} // namespace veskor

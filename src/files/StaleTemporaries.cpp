#include "StaleTemporaries.h"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kPrefix[] = ".keymill-";
constexpr size_t kPrefixSize = sizeof kPrefix - 1;
constexpr size_t kRandomLetters = 6;

// The names the writer gives its temporary files (mkostemp's and its own alike).
bool IsTemporaryName(const char* name) {
    if (std::strncmp(name, kPrefix, kPrefixSize) != 0 ||
        std::strlen(name) != kPrefixSize + kRandomLetters)
        return false;
    for (const char* c = name + kPrefixSize; *c != '\0'; ++c) {
        const bool letterOrDigit =
            (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9');
        if (!letterOrDigit)
            return false;
    }
    return true;
}
} // namespace

int RemoveStaleTemporaries(const QByteArray& directory, time_t now) {
    DIR* dir = ::opendir(directory.constData());
    if (dir == nullptr)
        return 0;
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsTemporaryName(entry->d_name))
            continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
            info.st_mtime > now - kStaleTemporarySeconds)
            continue;
        if (::unlinkat(dirFd, entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

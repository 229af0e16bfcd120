// The item cache's files: DIR/<encoder identity>/<size>-<crc32>-<adler32>.entry. The name
// only finds an entry; what decides is the check of its content (cache_entry.h).
#include "payload/item_cache.h"
#include "payload/cache_entry.h"
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>
#include <zlib.h>

static std::string EntryPath(const std::string &dir, const std::string &identity,
                             const Bytes &plain)
{
    char name[64];
    snprintf(name, sizeof name, "%llx-%08lx-%08lx.entry", (unsigned long long)plain.size(),
             crc32(crc32(0L, Z_NULL, 0), plain.data(), (uInt)plain.size()),
             adler32(adler32(0L, Z_NULL, 0), plain.data(), (uInt)plain.size()));
    return dir + "/" + identity + "/" + name;
}

static bool ReadWhole(const std::string &path, Bytes *out)
{
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    struct stat info;
    bool ok = fstat(fileno(file), &info) == 0;
    if (ok) {
        out->resize(info.st_size);
        ok = fread(out->data(), 1, out->size(), file) == out->size();
    }
    fclose(file);
    return ok;
}

bool CacheLoad(const std::string &dir, const std::string &identity, const Bytes &plain,
               Bytes *packed)
{
    std::string path = EntryPath(dir, identity, plain);
    Bytes entry;
    if (!ReadWhole(path, &entry) || !TakeCachedStream(entry, identity, plain, packed))
        return false;
    utimes(path.c_str(), NULL);     // used: not pruned
    return true;
}

// Written under a name of its own, then renamed over the entry's: a reader sees the old
// entry, the new one, or none, never a part.
void CacheStore(const std::string &dir, const std::string &identity, const Bytes &plain,
                const Bytes &packed)
{
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/" + identity).c_str(), 0755);
    std::string path = EntryPath(dir, identity, plain);
    std::string temporary = path + ".XXXXXX";
    int fd = mkstemp(&temporary[0]);
    if (fd < 0)
        return;
    Bytes entry = MakeCacheEntry(identity, plain, packed);
    bool ok = write(fd, entry.data(), entry.size()) == (ssize_t)entry.size();
    ok = fchmod(fd, 0644) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (!ok || rename(temporary.c_str(), path.c_str()) != 0)
        unlink(temporary.c_str());
}

int CacheLock(const std::string &dir, const std::string &identity, const Bytes &plain)
{
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/" + identity).c_str(), 0755);
    std::string path = EntryPath(dir, identity, plain) + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0 && flock(fd, LOCK_EX) != 0) {
        close(fd);
        fd = -1;
    }
    return fd;
}

void CacheUnlock(int lock)
{
    if (lock >= 0)
        close(lock);
}

// Entries, locks and the leftovers of a killed build alike go when unused that long; a
// lock removed while held only lets two builds compress the same item.
static void PruneFolder(const std::string &folder, time_t oldest)
{
    DIR *listing = opendir(folder.c_str());
    if (!listing)
        return;
    while (dirent *entry = readdir(listing)) {
        std::string path = folder + "/" + entry->d_name;
        struct stat info;
        if (entry->d_name[0] != '.' && stat(path.c_str(), &info) == 0 &&
            S_ISREG(info.st_mode) && info.st_mtime < oldest)
            unlink(path.c_str());
    }
    closedir(listing);
    rmdir(folder.c_str());          // only when empty
}

void CachePrune(const std::string &dir, long maxAgeSeconds)
{
    DIR *listing = opendir(dir.c_str());
    if (!listing)
        return;
    time_t oldest = time(NULL) - maxAgeSeconds;
    while (dirent *entry = readdir(listing))
        if (entry->d_name[0] != '.')
            PruneFolder(dir + "/" + entry->d_name, oldest);
    closedir(listing);
}

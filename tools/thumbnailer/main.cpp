// tavrel-thumbnailer -s SIZE INPUT OUTPUT: writes the icon of the package INPUT as a PNG of at
// most SIZE x SIZE pixels to OUTPUT, as file managers' thumbnailers do. OUTPUT is written whole
// or not at all; a failure says why in one line on stderr.
#include "convert.h"
#include "icon_limits.h"
#include "thumbnail.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *g_input = "";

extern "C" void onTimeLimit(int)
{
    // Nothing was written yet: the clock is stopped before the output is.
    static const char prefix[] = "tavrel-thumbnailer: ";
    static const char suffix[] = ": took too long, gave up\n";
    (void)!write(2, prefix, sizeof prefix - 1);
    (void)!write(2, g_input, std::strlen(g_input));
    (void)!write(2, suffix, sizeof suffix - 1);
    _exit(3);
}

enum class InPlace { NotEmpty, Written, Failed };

// Some thumbnail services create OUTPUT empty and read the thumbnail back through the descriptor
// they keep open, so a file renamed over it would go unseen. An existing empty regular file is
// therefore filled in place, all at once from memory, and emptied again when that fails.
InPlace writeIntoEmptyFile(const char *path, const std::string &data, std::string &error)
{
    const int fd = open(path, O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return InPlace::NotEmpty;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size != 0) {
        close(fd);
        return InPlace::NotEmpty;
    }
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::strerror(errno);
            (void)!ftruncate(fd, 0);
            close(fd);
            return InPlace::Failed;
        }
        done += size_t(n);
    }
    if (close(fd) != 0) {
        error = std::strerror(errno);
        (void)!truncate(path, 0);
        return InPlace::Failed;
    }
    return InPlace::Written;
}

int usage()
{
    std::fprintf(stderr, "usage: tavrel-thumbnailer -s SIZE INPUT OUTPUT\n");
    return 2;
}

int fail(const char *input, const char *why)
{
    std::fprintf(stderr, "tavrel-thumbnailer: %s: %s\n", input, why);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5 || std::strcmp(argv[1], "-s") != 0)
        return usage();
    char *end = nullptr;
    const long size = std::strtol(argv[2], &end, 10);
    if (!*argv[2] || *end || size < 1 || size > thumb::MaxRequestSize)
        return usage();
    g_input = argv[3];
    // Image buffers from the heap rather than each from a mapping of its own: one freed is
    // reused by the next instead of being unmapped and its pages faulted in anew.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    std::signal(SIGALRM, onTimeLimit);
    alarm(thumb::TimeLimitSeconds);

    std::string png;
    try {
        png = thumb::packageThumbnailOfFile(argv[3], int(size));
    } catch (const std::bad_alloc &) {
        return fail(argv[3], "out of memory");
    } catch (const std::exception &e) {
        return fail(argv[3], e.what());
    }

    // Everything is read and encoded: the output is written whatever the clock says now.
    alarm(0);
    std::string error;
    switch (writeIntoEmptyFile(argv[4], png, error)) {
    case InPlace::Written:
        return 0;
    case InPlace::Failed:
        return fail(argv[4], error.c_str());
    case InPlace::NotEmpty:
        break;
    }
    pc::AtomicFile out;
    if (!out.open(argv[4], error))
        return fail(argv[4], error.c_str());
    out.write(png);
    if (!out.commit(error))
        return fail(argv[4], error.c_str());
    return 0;
}

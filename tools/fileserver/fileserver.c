/* A file server for the tests and benchmarks: a FUSE file system that passes through to a
 * folder, delays every operation, or blocks them all as a dead server does, and counts what it
 * serves.
 *
 *   vorlanx-fileserver FOLDER MOUNTPOINT CONTROL [fuse options]
 *
 * CONTROL is a file outside the mount that the server reads every 20 ms while mounted:
 * "delay=MS dead=0|1 fail=0|1 room=BYTES". The server writes "operations=N getattr=N readdir=N ..." to CONTROL.count
 * as it goes: all it served, then by kind (readlink and statfs count as getattr; a change is a
 * mkdir, unlink, rmdir, symlink or rename). While dead, every operation waits until the server is
 * alive again or unmounted; while failing, every operation answers EIO at once, as a server
 * that drops its sessions does. With room=BYTES (not -1, the default), writes take that many bytes
 * more, counted from when the value last changed, and then answer ENOSPC as a full disk does: the
 * write that reaches the limit takes what fits. A new value frees the room again.
 *
 * It ends by itself once CONTROL is removed (the test's folder with it): a server that outlives
 * its test keeps a mount, and whatever waits on it, for ever. Not when the process that started
 * it ends: Wine starts a Unix program through a parent that ends at once. */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

static int g_source = -1;          /* the folder served, as a directory descriptor */
static const char* g_control;
static pthread_mutex_t g_lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t g_revived = PTHREAD_COND_INITIALIZER;
static int g_delayMs;
static int g_dead;
static int g_failing;
static long long g_room = -1;     /* the bytes writes may still take; -1 without limit */
static long long g_roomSet = -1;  /* the value that set it, so that a new one starts afresh */
static int g_stopping;
static unsigned long long g_operations;

enum Kind { ATTR, LIST, OPEN, READ, WRITE, CHANGE, KINDS };
static const char* const g_kindNames[KINDS] = {"getattr", "readdir", "open", "read", "write",
                                               "change"};
static unsigned long long g_byKind[KINDS];

/* 0 when CONTROL is gone. */
static int ReadControl(void)
{
    FILE* f = fopen(g_control, "r");
    const int present = f || errno != ENOENT;
    int delay = 0, dead = 0, fail = 0;
    long long room = -1;
    int fields = 0;
    if (f) {
        fields = fscanf(f, "delay=%d dead=%d fail=%d room=%lld", &delay, &dead, &fail, &room);
        if (fields < 1)
            delay = 0;
        fclose(f);
    }
    pthread_mutex_lock(&g_lock);
    g_delayMs = delay < 0 ? 0 : delay;
    g_dead = dead != 0;
    g_failing = fail != 0;
    /* Only from a whole line: a file read while it is rewritten must not free the room. */
    if (fields == 4 && room != g_roomSet)
        g_room = g_roomSet = room < 0 ? -1 : room;
    if (!g_dead)
        pthread_cond_broadcast(&g_revived);
    pthread_mutex_unlock(&g_lock);
    return present;
}

static void WriteCount(void)
{
    char path[4096], temp[4120];
    snprintf(path, sizeof path, "%s.count", g_control);
    snprintf(temp, sizeof temp, "%s.tmp", path);
    pthread_mutex_lock(&g_lock);
    const unsigned long long n = g_operations;
    unsigned long long byKind[KINDS];
    memcpy(byKind, g_byKind, sizeof byKind);
    pthread_mutex_unlock(&g_lock);
    FILE* f = fopen(temp, "w");
    if (!f)
        return;
    fprintf(f, "operations=%llu", n);
    for (int k = 0; k < KINDS; ++k)
        fprintf(f, " %s=%llu", g_kindNames[k], byKind[k]);
    fprintf(f, "\n");
    fclose(f);
    rename(temp, path);
}

static void* Watch(void* unused)
{
    (void)unused;
    /* The stop signal goes to the threads that serve, so that fuse_main ends and unmounts. */
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, NULL);
    int stopped = 0;
    for (;;) {
        /* Gone: alive again (ReadControl), so that no operation stays held while it stops. */
        if (!ReadControl() && !stopped) {
            stopped = 1;
            kill(getpid(), SIGTERM);
        }
        WriteCount();
        pthread_mutex_lock(&g_lock);
        const int stop = g_stopping;
        pthread_mutex_unlock(&g_lock);
        if (stop)
            return NULL;
        usleep(20000);
    }
}

/* Every operation passes here first: counted, then held while dead, then delayed; -EIO while
 * the server fails, which the operation answers (SERVE). */
static int Serve(enum Kind kind)
{
    pthread_mutex_lock(&g_lock);
    ++g_operations;
    ++g_byKind[kind];
    while (g_dead && !g_stopping)
        pthread_cond_wait(&g_revived, &g_lock);
    const int delay = g_delayMs, failing = g_failing;
    pthread_mutex_unlock(&g_lock);
    if (delay > 0) {
        struct timespec t = {delay / 1000, (long)(delay % 1000) * 1000000L};
        nanosleep(&t, NULL);
    }
    return failing ? -EIO : 0;
}
#define SERVE(kind)                      \
    do {                                 \
        const int failed_ = Serve(kind); \
        if (failed_)                     \
            return failed_;              \
    } while (0)

/* The path below the served folder: "/" is ".", "/a/b" is "a/b". */
static const char* Rel(const char* path)
{
    return path[1] ? path + 1 : ".";
}

static int Result(int r)
{
    return r < 0 ? -errno : r;
}

static int fs_getattr(const char* path, struct stat* st, struct fuse_file_info* fi)
{
    SERVE(ATTR);
    if (fi)
        return Result(fstat((int)fi->fh, st));
    return Result(fstatat(g_source, Rel(path), st, AT_SYMLINK_NOFOLLOW));
}

static int fs_readlink(const char* path, char* buf, size_t size)
{
    SERVE(ATTR);
    const ssize_t n = readlinkat(g_source, Rel(path), buf, size - 1);
    if (n < 0)
        return -errno;
    buf[n] = '\0';
    return 0;
}

static int fs_readdir(const char* path, void* buf, fuse_fill_dir_t fill, off_t offset,
                      struct fuse_file_info* fi, enum fuse_readdir_flags flags)
{
    (void)offset, (void)fi, (void)flags;
    SERVE(LIST);
    const int fd = openat(g_source, Rel(path), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return -errno;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return -errno;
    }
    struct dirent* e;
    while ((e = readdir(dir)) != NULL) {
        struct stat st = {0};
        st.st_ino = e->d_ino;
        st.st_mode = (mode_t)e->d_type << 12;
        if (fill(buf, e->d_name, &st, 0, 0))
            break;
    }
    closedir(dir);
    return 0;
}

static int fs_mkdir(const char* path, mode_t mode)
{
    SERVE(CHANGE);
    return Result(mkdirat(g_source, Rel(path), mode));
}

static int fs_unlink(const char* path)
{
    SERVE(CHANGE);
    return Result(unlinkat(g_source, Rel(path), 0));
}

static int fs_rmdir(const char* path)
{
    SERVE(CHANGE);
    return Result(unlinkat(g_source, Rel(path), AT_REMOVEDIR));
}

static int fs_symlink(const char* target, const char* path)
{
    SERVE(CHANGE);
    return Result(symlinkat(target, g_source, Rel(path)));
}

static int fs_rename(const char* from, const char* to, unsigned int flags)
{
    SERVE(CHANGE);
    return Result(renameat2(g_source, Rel(from), g_source, Rel(to), flags));
}

static int fs_chmod(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    SERVE(WRITE);
    if (fi)
        return Result(fchmod((int)fi->fh, mode));
    return Result(fchmodat(g_source, Rel(path), mode, 0));
}

static int fs_truncate(const char* path, off_t size, struct fuse_file_info* fi)
{
    SERVE(WRITE);
    if (fi)
        return Result(ftruncate((int)fi->fh, size));
    const int fd = openat(g_source, Rel(path), O_WRONLY);
    if (fd < 0)
        return -errno;
    const int r = Result(ftruncate(fd, size));
    close(fd);
    return r;
}

static int fs_utimens(const char* path, const struct timespec tv[2], struct fuse_file_info* fi)
{
    SERVE(WRITE);
    if (fi)
        return Result(futimens((int)fi->fh, tv));
    return Result(utimensat(g_source, Rel(path), tv, AT_SYMLINK_NOFOLLOW));
}

static int fs_open(const char* path, struct fuse_file_info* fi)
{
    SERVE(OPEN);
    const int fd = openat(g_source, Rel(path), fi->flags & ~O_NOFOLLOW);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_create(const char* path, mode_t mode, struct fuse_file_info* fi)
{
    SERVE(OPEN);
    const int fd = openat(g_source, Rel(path), fi->flags, mode);
    if (fd < 0)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int fs_read(const char* path, char* buf, size_t size, off_t offset,
                   struct fuse_file_info* fi)
{
    (void)path;
    SERVE(READ);
    const ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n < 0 ? -errno : (int)n;
}

static int fs_write(const char* path, const char* buf, size_t size, off_t offset,
                    struct fuse_file_info* fi)
{
    (void)path;
    SERVE(WRITE);
    /* The room is taken before the write and what it did not use given back. */
    pthread_mutex_lock(&g_lock);
    const int limited = g_room >= 0;
    const size_t fits = limited && (unsigned long long)g_room < size ? (size_t)g_room : size;
    if (limited)
        g_room -= (long long)fits;
    pthread_mutex_unlock(&g_lock);
    if (fits == 0 && size > 0)
        return -ENOSPC;
    const ssize_t n = pwrite((int)fi->fh, buf, fits, offset);
    if (limited && (size_t)(n < 0 ? 0 : n) < fits) {
        pthread_mutex_lock(&g_lock);
        g_room += (long long)(fits - (size_t)(n < 0 ? 0 : n));
        pthread_mutex_unlock(&g_lock);
    }
    return n < 0 ? -errno : (int)n;
}

static int fs_statfs(const char* path, struct statvfs* st)
{
    (void)path;
    SERVE(ATTR);
    return Result(fstatvfs(g_source, st));
}

static int fs_release(const char* path, struct fuse_file_info* fi)
{
    (void)path;
    /* Not held while dead: the kernel sends it when a handle closes and waits for no answer. */
    close((int)fi->fh);
    return 0;
}

static int fs_fsync(const char* path, int datasync, struct fuse_file_info* fi)
{
    (void)path;
    SERVE(WRITE);
    return Result(datasync ? fdatasync((int)fi->fh) : fsync((int)fi->fh));
}

static void* fs_init(struct fuse_conn_info* conn, struct fuse_config* cfg)
{
    (void)conn;
    /* A server's answers are not kept by the client: every call reaches the server. */
    cfg->entry_timeout = 0;
    cfg->attr_timeout = 0;
    cfg->negative_timeout = 0;
    cfg->use_ino = 1;
    return NULL;
}

static void fs_destroy(void* data)
{
    (void)data;
    pthread_mutex_lock(&g_lock);
    g_stopping = 1;
    pthread_cond_broadcast(&g_revived);
    pthread_mutex_unlock(&g_lock);
}

static const struct fuse_operations g_operations_table = {
    .init = fs_init,
    .destroy = fs_destroy,
    .getattr = fs_getattr,
    .readlink = fs_readlink,
    .readdir = fs_readdir,
    .mkdir = fs_mkdir,
    .unlink = fs_unlink,
    .rmdir = fs_rmdir,
    .symlink = fs_symlink,
    .rename = fs_rename,
    .chmod = fs_chmod,
    .truncate = fs_truncate,
    .utimens = fs_utimens,
    .open = fs_open,
    .create = fs_create,
    .read = fs_read,
    .write = fs_write,
    .statfs = fs_statfs,
    .release = fs_release,
    .fsync = fs_fsync,
};

int main(int argc, char* argv[])
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s FOLDER MOUNTPOINT CONTROL [fuse options]\n", argv[0]);
        return 2;
    }
    g_source = open(argv[1], O_RDONLY | O_DIRECTORY);
    if (g_source < 0) {
        perror(argv[1]);
        return 1;
    }
    g_control = argv[3];
    ReadControl();
    pthread_t watcher;
    if (pthread_create(&watcher, NULL, Watch, NULL) != 0)
        return 1;
    pthread_detach(watcher);
    /* fuse_main takes: program, mount point, then its own options; -f keeps it in front so the
     * caller's kill ends it. */
    char* args[64];
    int n = 0;
    args[n++] = argv[0];
    args[n++] = argv[2];
    args[n++] = "-f";
    for (int i = 4; i < argc && n < 63; ++i)
        args[n++] = argv[i];
    args[n] = NULL;
    return fuse_main(n, args, &g_operations_table, NULL);
}

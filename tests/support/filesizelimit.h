// A full disk for tests: writes beyond a size fail while a FileSizeLimit lives. Windows has no
// limit of this kind, so there the full-disk cases skip (TB_SKIP_WITHOUT_FILE_SIZE_LIMIT).
#pragma once

#ifdef _WIN32
#include <QtGlobal>

#define TB_SKIP_WITHOUT_FILE_SIZE_LIMIT() QSKIP("a full disk is made with a file size limit, which Windows lacks")

namespace tb::test {
using rlim_t = long long;
// Only reached by a full-disk case that forgot its skip: that must not pass for a tested one.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t) { qFatal("FileSizeLimit: no file size limits on Windows"); }
};
} // namespace tb::test
#else
#define TB_SKIP_WITHOUT_FILE_SIZE_LIMIT() \
    do { \
    } while (false)

#include <csignal>
#include <sys/resource.h>

namespace tb::test {

// Makes writes beyond `bytes` of any file fail while it lives, as a full disk does.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace tb::test

#endif

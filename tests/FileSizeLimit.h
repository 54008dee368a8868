#pragma once
// Writes that fail as on a full disk, for root too: a file-size limit with
// the signal that would end the process ignored, so write() reports EFBIG.

#include <csignal>
#include <sys/resource.h>

// The limit for this process while the object lives.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = m_old;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    TFileSizeLimit(const TFileSizeLimit &) = delete;
    TFileSizeLimit &operator=(const TFileSizeLimit &) = delete;

    // For a child between fork and exec (QProcess::setChildProcessModifier):
    // the ignored signal survives the exec.
    static void Apply(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r;
        getrlimit(RLIMIT_FSIZE, &r);
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

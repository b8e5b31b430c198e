#include "poollock.h"

#include "pool.h"
#include "textfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace gs {

PoolLock& PoolLock::operator=(PoolLock&& other) noexcept {
    if (this != &other) {
        release();
        m_state = std::move(other.m_state);
    }
    return *this;
}

void PoolLock::release() {
    if (!m_state)
        return;
    if (--m_state->depth == 0) {
        // Closing the only descriptor of the lock file drops the lock.
        ::close(m_state->fd);
        m_state->fd = -1;
    }
    m_state.reset();
}

Result<PoolLock> lockPoolFiles(const Pool& pool, std::chrono::milliseconds wait) {
    std::shared_ptr<PoolLockState> state = pool.lockState();
    if (state->depth > 0) {
        ++state->depth;
        return PoolLock(state);
    }
    if (Status made = createDataFolder(pool.folders().program); !made)
        return failure(made.error());
    std::filesystem::path path = pool.folders().program / kLockFileName;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return failure(ErrorKind::Unwritable,
                       "Cannot open the lock file " + path.string() + ": " + std::strerror(errno));
    auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int reason = errno;
        if (reason == EINTR)
            continue;
        if (reason != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (reason != EWOULDBLOCK)
                return failure(ErrorKind::Unwritable,
                               "Cannot lock " + path.string() + ": " + std::strerror(reason));
            return failure(ErrorKind::Busy, kPoolBusyMessage);
        }
        std::this_thread::sleep_for(pause);
        // Short at first, since most writes take a few milliseconds.
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
    state->fd = fd;
    state->depth = 1;
    return PoolLock(state);
}

} // namespace gs

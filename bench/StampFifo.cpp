#include "StampFifo.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo::bench {

StampFifo::StampFifo() {
    const QByteArray name = QFile::encodeName(path());
    if (m_folder.isValid() && ::mkfifo(name.constData(), 0600) == 0)
        m_fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

StampFifo::~StampFifo() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QString StampFifo::path() const {
    return m_folder.filePath(QStringLiteral("stamps"));
}

std::optional<std::int64_t> StampFifo::takeLine() {
    const std::size_t end = m_pending.find('\n');
    if (end == std::string::npos)
        return std::nullopt;
    const std::int64_t stamp = std::stoll(m_pending.substr(0, end));
    m_pending.erase(0, end + 1);
    return stamp;
}

std::optional<std::int64_t> StampFifo::nextStamp(QDeadlineTimer deadline) {
    while (true) {
        if (auto stamp = takeLine())
            return stamp;
        pollfd waitFor{m_fd, POLLIN, 0};
        const int ready =
            ::poll(&waitFor, 1, static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length > 0)
            m_pending.append(buffer, static_cast<std::size_t>(length));
    }
}

} // namespace mivo::bench

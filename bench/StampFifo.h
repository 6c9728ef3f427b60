#pragma once

#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <cstdint>
#include <optional>
#include <string>

namespace mivo::bench {

// A FIFO, in a folder of its own, into which each started stand-in writes the moment its main began.
// It is held open for reading and writing: so it never reads as ended between two stand-ins, and a
// stand-in opening it never has to wait for a reader.
class StampFifo {
public:
    StampFifo();
    ~StampFifo();
    StampFifo(const StampFifo&) = delete;
    StampFifo& operator=(const StampFifo&) = delete;

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] QString path() const;
    // The next stamp written, waiting for it on the FIFO until the deadline.
    [[nodiscard]] std::optional<std::int64_t> nextStamp(QDeadlineTimer deadline);

private:
    [[nodiscard]] std::optional<std::int64_t> takeLine();

    QTemporaryDir m_folder;
    int m_fd = -1;
    std::string m_pending;
};

} // namespace mivo::bench

#pragma once

#include <unistd.h>

namespace mivo {

// An open file descriptor of Mivo's own, closed when its owner lets it go.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor)
        : m_descriptor(descriptor) {}
    ~FileDescriptor() { ::close(m_descriptor); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

} // namespace mivo

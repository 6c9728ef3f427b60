#include "platform/QtProgramStarter.h"

#include "platform/ErrorRelay.h"
#include "platform/StartedProgramWatch.h"
#include "platform/SystemMessage.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
#include <spawn.h>
#include <unistd.h>
#include <vector>

namespace mivo {

namespace {

// Signal dispositions and mask as a freshly started program expects them, whatever Mivo or Qt changed.
class SpawnAttributes {
public:
    SpawnAttributes() {
        // The mask set is the one initialisation leaves: empty, as glibc fills the attributes with zeros.
        ::posix_spawnattr_init(&m_attributes);
        sigset_t defaults{}; // empty
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        ::posix_spawnattr_setsigdefault(&m_attributes, &defaults);
        // A session of its own, as a detached start gave it: the hang-up of the terminal Mivo was started
        // from, or Ctrl+C there, ends Mivo and not the game.
        ::posix_spawnattr_setflags(&m_attributes,
                                   POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    [[nodiscard]] const posix_spawnattr_t* get() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes{};
};

class SpawnFileActions {
public:
    // The program's standard error, where it is not Mivo's own.
    explicit SpawnFileActions(const std::optional<ErrorRelay>& relay) {
        ::posix_spawn_file_actions_init(&m_actions);
        if (relay)
            ::posix_spawn_file_actions_adddup2(&m_actions, relay->programSide.get(), STDERR_FILENO);
    }
    ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&m_actions); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;

    [[nodiscard]] const posix_spawn_file_actions_t* get() const { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions{};
};

} // namespace

QtProgramStarter::QtProgramStarter(std::chrono::milliseconds watchTime, QObject* parent)
    : ProgramStarter(parent)
    , m_watchTime(watchTime) {}

StartResult QtProgramStarter::start(const ProgramInvocation& invocation) {
    // The program and every argument go to the system as they are, with no shell in between, so no
    // character of a file name can ever be taken for a command. It is Mivo's direct child, so that its
    // exit status can be known: a double fork would leave it to init and its end unseen.
    std::vector<QByteArray> words{QFile::encodeName(invocation.program)};
    for (const QString& argument : invocation.arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv(words.size() + 1, nullptr); // ends with the null the system looks for
    std::ranges::transform(words, argv.begin(), [](QByteArray& word) { return word.data(); });

    // Made first: a program whose standard error had no reader would die of its first message.
    std::optional<ErrorRelay> relay = ErrorRelay::start();
    const SpawnFileActions actions(relay);
    const SpawnAttributes attributes;
    pid_t pid{};
    // posix_spawnp searches PATH for a name without a slash, as a shell would, and reports a failed
    // exec itself; it no longer runs a file that is no program through /bin/sh.
    const int error =
        ::posix_spawnp(&pid, argv.front(), actions.get(), attributes.get(), argv.data(), environ);
    if (error != 0) {
        // For a folder the system answers "Permission denied", which sends the user looking at file
        // permissions instead of at the path they chose.
        return {false, systemMessage(QFileInfo(invocation.program).isDir() ? EISDIR : error)};
    }

    const QString commandLine = (QStringList{invocation.program} + invocation.arguments).join(u' ');
    std::optional<FileDescriptor> errorCopies;
    if (relay)
        errorCopies.emplace(std::move(relay->copies));
    relay.reset(); // the program holds its own end of the pipe
    // The watch lives on its own until its program has ended, even past this starter; one whose program
    // outlives Mivo goes with the application and lets the program go on.
    auto* const watching =
        new StartedProgramWatch(pid, m_watchTime, std::move(errorCopies), QCoreApplication::instance());
    connect(watching, &StartedProgramWatch::failedEarly, this,
            [this, commandLine](const QString& howItEnded, const QStringList& lastErrorLines) {
                emit endedEarly(commandLine, howItEnded, lastErrorLines);
            });
    return {true, {}};
}

} // namespace mivo

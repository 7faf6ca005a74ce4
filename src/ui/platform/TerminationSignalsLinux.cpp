#include "ui/platform/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
int wakeFds[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeFds[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeFds) != 0) {
        return;  // no clean shutdown on signals, but the program still runs
    }
    m_notifier = new QSocketNotifier(wakeFds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const auto got = ::read(wakeFds[1], &byte, 1);
        emit terminationRequested();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(sig, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(sig, SIG_DFL);
    }
    if (wakeFds[0] >= 0) {
        ::close(wakeFds[0]);
        ::close(wakeFds[1]);
        wakeFds[0] = wakeFds[1] = -1;
    }
}

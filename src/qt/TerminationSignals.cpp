#include "qt/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>

namespace kelvora::qt {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may only write to a pipe; the event loop reads it.
int wakePipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(QWidget* window) : window_(window) {
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::CloseWindow);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr) return;
    for (const int signal : kSignals) ::signal(signal, SIG_DFL);
    ::close(wakePipe[0]);
    ::close(wakePipe[1]);
}

void TerminationSignals::CloseWindow() {
    char bytes[16];
    while (::read(wakePipe[0], bytes, sizeof(bytes)) > 0) {
    }
    if (window_ != nullptr) window_->close();
}

}  // namespace kelvora::qt

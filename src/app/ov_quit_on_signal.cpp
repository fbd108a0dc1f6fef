#include "ov_quit_on_signal.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <atomic>
#include <csignal>

namespace {
int g_fds[2] = {-1, -1};
const int g_signals[] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t g_count = 0;
std::atomic<bool> g_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "used from a signal handler");
}  // namespace

ov_quit_on_signal::ov_quit_on_signal(QObject* parent) : QObject(parent) {
  g_count = 0;
  g_requested = false;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_fds) != 0) g_fds[0] = g_fds[1] = -1;
  struct sigaction action {};
  action.sa_handler = &ov_quit_on_signal::handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : g_signals) ::sigaction(s, &action, nullptr);
}

ov_quit_on_signal::~ov_quit_on_signal() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : g_signals) ::sigaction(s, &action, nullptr);
  delete notifier_;
  notifier_ = nullptr;
  for (int& fd : g_fds) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void ov_quit_on_signal::attach() {
  if (notifier_ || g_fds[1] < 0) return;
  notifier_ = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char buffer[16];
    while (::read(g_fds[1], buffer, sizeof(buffer)) > 0) {
    }
    emit esignal_quit_requested();
  });
  if (requested()) QTimer::singleShot(0, this, &ov_quit_on_signal::esignal_quit_requested);
}

bool ov_quit_on_signal::requested() {
  return g_requested.load();
}

void ov_quit_on_signal::handler(int signal_number) {
  if (g_count > 0) {
    // The first request is still being handled: end now.
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
    return;
  }
  g_count = 1;
  g_requested.store(true);
  const char byte = 1;
  if (g_fds[0] >= 0) {
    const ssize_t written = ::write(g_fds[0], &byte, 1);
    (void)written;
  }
}

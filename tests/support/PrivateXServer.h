#pragma once

// An X server of the test's own (Xvfb, which the set-up installs), for the few tests that need
// what only a real X11 desktop does: a list that pops up leaves the keyboard focus where it was,
// where Qt's offscreen platform gives it to the list.

#include <csignal>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace platform::testing {

class PrivateXServer {
  public:
    // Starts the server on the first free display; display() is empty when it could not start.
    PrivateXServer() {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        std::string fd = std::to_string(ready[1]);
        std::string program = "Xvfb";
        std::string displayFd = "-displayfd", noTcp = "-nolisten", tcp = "tcp", screen = "-screen",
                    first = "0", size = "1024x768x24";
        char* argv[] = {program.data(), displayFd.data(), fd.data(),   noTcp.data(), tcp.data(),
                        screen.data(),  first.data(),     size.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, ready[0]);
        const int spawned = ::posix_spawnp(&m_pid, "Xvfb", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ready[1]);
        // The server writes its display's number once it takes connections.
        std::string number;
        char c;
        while (spawned == 0 && ::read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(ready[0]);
        if (spawned != 0)
            m_pid = 0;
        else if (!number.empty())
            m_display = ":" + number;
    }
    ~PrivateXServer() {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    const std::string& display() const { return m_display; }

  private:
    pid_t m_pid = 0;
    std::string m_display;
};

} // namespace platform::testing

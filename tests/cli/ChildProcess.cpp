#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace tarvix::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, int stderrPipeSize)
{
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    if (stderrPipeSize > 0 && fcntl(err[1], F_SETPIPE_SZ, stderrPipeSize) < 0)
        throw std::runtime_error("pipe size");
    // Built before fork: the child may only make async-signal-safe calls.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork");
    if (pid_ == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        dup2(out[1], 1);
        dup2(err[1], 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
}

ChildProcess::~ChildProcess()
{
    if (!status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    close(outFd_);
    close(errFd_);
}

bool ChildProcess::Pump(std::chrono::milliseconds wait)
{
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    bool open = false;
    for (const auto& f : fds)
        open = open || f.fd >= 0;
    if (!open) {
        usleep(static_cast<useconds_t>(wait.count()) * 1000); // keeps a caller's loop from spinning
        return false;
    }
    if (poll(fds, 2, static_cast<int>(wait.count())) <= 0)
        return true;
    std::string* sinks[2] = {&out_, &err_};
    int* owners[2] = {&outFd_, &errFd_};
    for (int i = 0; i < 2; ++i) {
        if (fds[i].revents == 0)
            continue;
        char buf[4096];
        const ssize_t n = read(fds[i].fd, buf, sizeof buf);
        if (n > 0) {
            sinks[i]->append(buf, static_cast<size_t>(n));
        } else {
            close(fds[i].fd);
            *owners[i] = -1;
        }
    }
    return true;
}

bool ChildProcess::WaitForStderr(const std::string& needle, std::chrono::milliseconds timeout, int count)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (CountOf(err_, needle) < count) {
        if (std::chrono::steady_clock::now() >= end || !Pump(20ms))
            return false;
    }
    return true;
}

void ChildProcess::Signal(int signal)
{
    if (!status_)
        kill(pid_, signal);
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds timeout, bool readOutput)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!status_) {
        int st = 0;
        if (waitpid(pid_, &st, WNOHANG) == pid_) {
            status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            break;
        }
        if (std::chrono::steady_clock::now() >= end)
            return std::nullopt;
        if (readOutput)
            Pump(20ms);
        else
            usleep(20000);
    }
    // The child is gone: whatever it wrote is in the pipes (unless it left a child holding them).
    const auto drainEnd = std::chrono::steady_clock::now() + 2s;
    while (Pump(20ms) && std::chrono::steady_clock::now() < drainEnd) {
    }
    return status_;
}

RunResult RunToEnd(const std::string& program, const std::vector<std::string>& args, std::chrono::milliseconds timeout)
{
    ChildProcess p(program, args);
    const auto code = p.WaitExit(timeout);
    return {code.value_or(-1), p.Stdout(), p.Stderr()};
}

int CountOf(const std::string& text, const std::string& needle)
{
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

} // namespace tarvix::test

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "fatal/g_errors.h"
#include "shell/desktop_icons.h"

namespace corvane {
namespace {

struct fatal_signal {
    int number;
    std::uint32_t code;
    char text[128];
};

// Built before any fault: the handler may neither allocate nor format.
std::array<fatal_signal, 4>& fatal_signals() {
    static std::array<fatal_signal, 4> signals = [] {
        std::array<fatal_signal, 4> list{{{SIGSEGV, 0xC0000005u, {}},
                                          {SIGBUS, 0xC0000005u, {}},
                                          {SIGFPE, 0xC0000094u, {}},
                                          {SIGILL, 0xC000001Du, {}}}};
        for (fatal_signal& entry : list) {
            const std::string text = fatal_error_text(entry.code) + "\n";
            std::memcpy(entry.text, text.data(), std::min(text.size(), sizeof entry.text - 1));
        }
        return list;
    }();
    return signals;
}

void on_fatal_signal(int number) {
    close_shared_buffers();
    for (const fatal_signal& entry : fatal_signals()) {
        if (entry.number != number) continue;
        const ssize_t ignored = ::write(STDERR_FILENO, entry.text, std::strlen(entry.text));
        (void)ignored;
    }
    // End by the same signal, so that whoever waits sees how the process died.
    ::signal(number, SIG_DFL);
    ::raise(number);
}

}  // namespace

void set_fatal_error_filter() {
    // A stack overflow leaves no stack to run the handler on.
    static std::vector<char> alternate_stack(1 << 16);
    stack_t stack{};
    stack.ss_sp = alternate_stack.data();
    stack.ss_size = alternate_stack.size();
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_handler = on_fatal_signal;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const fatal_signal& entry : fatal_signals()) ::sigaction(entry.number, &action, nullptr);
}

}  // namespace corvane

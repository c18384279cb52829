#pragma once
// The route to the application's error display for exceptions that no caller can catch: those raised while
// the event loop delivers a socket notification or a tray click. Qt must not see an exception leave one of
// its slots, so components catch there and hand the exception on through HandleApplicationException.
//
// The application installs its display once at start-up, the same one its QApplication::notify override uses:
//   tarvix::SetApplicationExceptionHandler([](std::exception_ptr e) { ShowException(e); });
// Until then the exception's text only goes to the debug output.
#include <exception>
#include <functional>
#include <string>

namespace tarvix {

using TApplicationExceptionHandler = std::function<void(std::exception_ptr)>;

// Installs the handler (an empty one restores the default) and returns the previous one.
TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler);

// Hands the exception to the installed handler; whatever the handler throws is dropped.
void HandleApplicationException(std::exception_ptr error) noexcept;

// The UTF-8 text of an exception: what() for std::exception, a fixed text otherwise.
std::string ExceptionText(std::exception_ptr error);

// Runs f; an exception leaving it goes to HandleApplicationException.
template <typename F>
void RunGuarded(F&& f) noexcept
{
    try {
        f();
    } catch (...) {
        HandleApplicationException(std::current_exception());
    }
}

} // namespace tarvix

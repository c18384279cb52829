#include "ui/ApplicationErrors.h"

#include <QtGlobal>

#include <mutex>

namespace tarvix {
namespace {

std::mutex gMutex;
TApplicationExceptionHandler gHandler;

} // namespace

TApplicationExceptionHandler SetApplicationExceptionHandler(TApplicationExceptionHandler handler)
{
    std::lock_guard lock(gMutex);
    std::swap(gHandler, handler);
    return handler;
}

std::string ExceptionText(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "unknown exception";
}

void HandleApplicationException(std::exception_ptr error) noexcept
{
    TApplicationExceptionHandler handler;
    {
        std::lock_guard lock(gMutex);
        handler = gHandler;
    }
    try {
        if (handler)
            handler(error);
        else
            qWarning("%s", ExceptionText(error).c_str());
    } catch (...) {
        // The error display itself failed: nothing is left to show it with.
    }
}

} // namespace tarvix

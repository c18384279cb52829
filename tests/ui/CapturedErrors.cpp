#include "CapturedErrors.h"

#include "ui/ApplicationErrors.h"

namespace tarvix::test {

CapturedErrors::CapturedErrors()
{
    previous_ =
        SetApplicationExceptionHandler([this](std::exception_ptr error) { texts_.push_back(ExceptionText(error)); });
}

CapturedErrors::~CapturedErrors()
{
    SetApplicationExceptionHandler(previous_);
}

} // namespace tarvix::test

#pragma once
// Collects what reaches the application's error display, so that a test can see which errors were shown.
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace tarvix::test {

// Collects what reaches the application's error display while it lives.
class CapturedErrors {
public:
    CapturedErrors();
    ~CapturedErrors();
    const std::vector<std::string>& Texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
    std::function<void(std::exception_ptr)> previous_;
};

} // namespace tarvix::test

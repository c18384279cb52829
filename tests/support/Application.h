#pragma once
// The one Qt application object of a test program, made either on first need or around all of its tests.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace tarvix::test {

// Makes an application object of type App unless one exists. Never destroyed: at exit Qt's own globals may
// already be gone.
template <class App>
void EnsureApplication(const char* name)
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    static App* app = new App(argc, argv);
    (void)app;
}

// Holds one application object of type App from before the first test to after the last.
template <class App>
class ApplicationEnvironment : public ::testing::Environment {
public:
    explicit ApplicationEnvironment(const char* name) : name_(name) {}
    void SetUp() override { app_ = std::make_unique<App>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    const char* name_;
    int argc_ = 1;
    char* argv_[2] = {const_cast<char*>(name_), nullptr};
    std::unique_ptr<App> app_;
};

// For a test program's namespace scope: const auto* const kApplication = UseApplicationForAllTests<App>("name");
template <class App>
::testing::Environment* UseApplicationForAllTests(const char* name)
{
    return ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment<App>(name));
}

} // namespace tarvix::test

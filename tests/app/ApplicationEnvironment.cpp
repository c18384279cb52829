// The program's own application object around every test of this program.
#include "app/Application.h"
#include "support/Application.h"

namespace {

const auto* const kApplication = tarvix::test::UseApplicationForAllTests<tarvix::TApplication>("test_app");

} // namespace

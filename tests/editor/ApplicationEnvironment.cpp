// One widget application object around every test of this program.
#include "support/Application.h"

#include <QApplication>

namespace {

const auto* const kApplication = tarvix::test::UseApplicationForAllTests<QApplication>("test_editor");

} // namespace

#pragma once
// What this test process holds and has used: open descriptors and CPU time.

namespace tarvix::test {

int CountOpenDescriptors();
// CPU time (user + system) used by the whole process so far, in milliseconds.
double ProcessCpuMs();

} // namespace tarvix::test

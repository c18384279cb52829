#pragma once
// A process that ends with connections open has the system close them, and an ordinary close tells each peer
// that the stream ended cleanly: a cut download would pass for a complete one.

namespace tarvix {

// Makes every TCP connection of the process close with a reset from now on. For a process about to end
// without closing its connections itself; a normal close after this call resets too.
void SetConnectionsToResetOnExit();

} // namespace tarvix

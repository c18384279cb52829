#include "support/EventLoop.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

namespace tarvix::test {

void ProcessEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs)
{
    // Unlike a nested loop, this also deletes what deleteLater() left behind between two looks.
    return QTest::qWaitFor(done, timeoutMs);
}

} // namespace tarvix::test

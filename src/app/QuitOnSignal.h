#pragma once
// SIGTERM, SIGHUP and SIGINT end the program the orderly way: the handler only writes a byte into a pipe,
// and the event loop runs the stop sequence when it reads it.
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tarvix {

class TQuitOnSignal : public QObject {
    Q_OBJECT
public:
    // One instance at a time; onSignal runs on the thread that created it, from its event loop.
    TQuitOnSignal(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TQuitOnSignal() override;

private:
    void Received();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tarvix

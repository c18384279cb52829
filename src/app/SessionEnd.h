#pragma once
// The end of the session: the stop sequence runs when the session manager (or the platform) asks the
// application to quit, or when the event loop ends some other way; a request to save the session's data
// only is not an end and leaves the program running.
#include <QObject>

#include <functional>

namespace tarvix {

class TSessionEnd : public QObject {
    Q_OBJECT
public:
    // Watches the application object; onEnd runs on the UI thread, at most once per quit request.
    explicit TSessionEnd(std::function<void()> onEnd, QObject* parent = nullptr);
    ~TSessionEnd() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void End();

    std::function<void()> onEnd_;
    bool ended_ = false;
};

} // namespace tarvix

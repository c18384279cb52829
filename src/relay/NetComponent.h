#pragma once
// Base of the server and of every connection: holds the shared socket stack while it lives and raises
// status notifications.
#include <functional>
#include <string>

namespace tarvix {

class TNetStack;
class TNetComponent;

enum class TNetStatus { stResolving, stConnecting, stConnected, stDisconnecting, stDisconnected, stStatusText };

using TNetStatusEvent = std::function<void(TNetComponent* sender, TNetStatus status, const std::string& text)>;

class TNetComponent {
public:
    TNetComponent();
    virtual ~TNetComponent();
    TNetComponent(const TNetComponent&) = delete;
    TNetComponent& operator=(const TNetComponent&) = delete;

    TNetStack& Stack() const { return stack_; }

    // Set before the component is used from another thread; the text is formatted only when it is set.
    TNetStatusEvent OnStatus;

protected:
    void DoStatus(TNetStatus status, const std::string& argument);

private:
    TNetStack& stack_;
};

} // namespace tarvix

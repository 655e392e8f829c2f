#pragma once

#include <functional>
#include <type_traits>
#include <utility>

namespace platform {

template <class Signature> class Event;

// A control event: the platform raises it with the control as sender; a window binds one of
// its methods, which then receives the control followed by the event's own arguments. An event
// without a binding returns the default result (false: not handled).
template <class R, class Sender, class... Args> class Event<R(Sender&, Args...)> {
  public:
    using Handler = std::function<R(Sender&, Args...)>;

    template <class W> void Bind(W& window, R (W::*method)(Sender&, Args...)) {
        m_handler = [&window, method](Sender& sender, Args... args) -> R {
            return (window.*method)(sender, std::forward<Args>(args)...);
        };
    }
    void Bind(Handler handler) { m_handler = std::move(handler); }
    bool IsBound() const { return static_cast<bool>(m_handler); }

    R Raise(Sender& sender, Args... args) const {
        if (!m_handler) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return m_handler(sender, std::forward<Args>(args)...);
    }

  private:
    Handler m_handler;
};

} // namespace platform

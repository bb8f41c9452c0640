#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <type_traits>

// A component's event: a handler bound to an object, fired only while one is bound.
// Binding to a QObject ties the handler to that object's life: once the object is
// gone the event is unbound. A handler may rebind, unbind or destroy the event's
// owner while it runs; the call in progress keeps its own reference.
template <typename... Args>
class Event {
public:
    using Function = std::function<void(Args...)>;

    Event() = default;

    template <typename T, typename R>
    void bind(T* object, R (T::*method)(Args...))
    {
        if constexpr (std::is_base_of_v<QObject, T>) {
            QPointer<T> guard(object);
            set([guard, method](Args... args) {
                if (guard)
                    (guard.data()->*method)(args...);
            });
        } else {
            set([object, method](Args... args) { (object->*method)(args...); });
        }
    }

    void bind(Function function) { set(std::move(function)); }
    void unbind() { handler_.reset(); }
    bool bound() const { return handler_ != nullptr; }
    explicit operator bool() const { return bound(); }

    void operator()(Args... args) const
    {
        if (auto keep = handler_)
            (*keep)(args...);
    }

private:
    void set(Function function)
    {
        handler_ = function ? std::make_shared<const Function>(std::move(function)) : nullptr;
    }

    std::shared_ptr<const Function> handler_;
};

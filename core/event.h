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

    // A method of object; its parameters need only accept the event's arguments
    // (a handler may take a QString by const reference, say).
    template <typename T, typename Method>
    requires std::is_member_function_pointer_v<Method>
    void bind(T* object, Method method)
    {
        if constexpr (std::is_base_of_v<QObject, T>) {
            QPointer<T> guard(object);
            set([guard, method](Args... args) {
                if (guard)
                    std::invoke(method, guard.data(), args...);
            });
        } else {
            set([object, method](Args... args) { std::invoke(method, object, args...); });
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

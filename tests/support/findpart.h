#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

// A window's part by its object name; a part that is not there fails the test
// (gtest reports the exception) instead of crashing it.
template <typename T>
T* part(const QObject& owner, const char* name)
{
    T* found = owner.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no part named ") + name + " in " +
                                 owner.objectName().toStdString());
    return found;
}

template <typename T>
T* part(const QObject* owner, const char* name)
{
    if (!owner)
        throw std::runtime_error(std::string("no window to find ") + name + " in");
    return part<T>(*owner, name);
}

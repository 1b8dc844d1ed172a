#pragma once

#include <memory>
#include <typeinfo>

class THintWindow;

// A kind of hint window, held by value: which class it is and how to make
// one. Two values are equal when they name the same class; a window belongs
// to a value only when it is exactly of that class, not of a subclass, so
// that replacing the class always replaces the window.
class THintWindowClass
{
public:
    template <class Window> static THintWindowClass Of()
    {
        return THintWindowClass(typeid(Window), [] { return std::unique_ptr<THintWindow>(new Window()); });
    }

    std::unique_ptr<THintWindow> Create() const;
    bool IsClassOf(const THintWindow &window) const;
    bool operator==(const THintWindowClass &other) const { return *m_type == *other.m_type; }

private:
    using Factory = std::unique_ptr<THintWindow> (*)();
    THintWindowClass(const std::type_info &type, Factory create)
        : m_type(&type)
        , m_create(create)
    { }

    const std::type_info *m_type;
    Factory m_create;
};

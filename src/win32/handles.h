#pragma once

// Owners for the handles this layer makes, so that each is given back exactly once, with the
// call that matches the one that made it, and nothing on a per-tick path counts DeleteObject
// calls.

#include <windows.h>

#include <utility>

namespace gd {

// A GDI object (bitmap, brush, font, pen), deleted with DeleteObject.
template <class Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle)
        : m_handle(handle)
    {
    }
    GdiObject(GdiObject&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr))
    {
    }
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    ~GdiObject()
    {
        if (m_handle)
            DeleteObject(m_handle);
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    Handle m_handle = nullptr;
};

} // namespace gd

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

// A memory device context with one bitmap selected into it, which goes back out before the context
// is deleted.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr))
    {
        if (m_dc)
            m_old = SelectObject(m_dc, bitmap);
    }
    MemoryDC(MemoryDC&& other) noexcept
        : m_dc(std::exchange(other.m_dc, nullptr))
        , m_old(std::exchange(other.m_old, nullptr))
    {
    }
    MemoryDC& operator=(MemoryDC&& other) noexcept
    {
        std::swap(m_dc, other.m_dc);
        std::swap(m_old, other.m_old);
        return *this;
    }
    ~MemoryDC()
    {
        if (m_dc) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
    }

    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// What a drawing changes in a device context (its font, pen, brush), put back at the end.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object)
        : m_dc(dc)
        , m_old(SelectObject(dc, object))
    {
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace gd

#pragma once

// COM as this layer uses it: the apartment of the window's thread, and interface pointers that
// release what they hold.

#include <objbase.h>

#include <utility>

namespace gd {

// COM on the calling thread, in the single-threaded apartment a window's thread belongs in; left
// again at destruction. Windows Imaging Component (the JPEG decoder) needs it.
class ComApartment {
public:
    ComApartment()
        : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))
    {
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }

    bool entered() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result;
};

// One reference to a COM object, released at the end.
template <class Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* operator->() const { return m_pointer; }
    Interface* get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // For a call that hands out a new reference: what was held before is released first.
    Interface** put()
    {
        reset();
        return &m_pointer;
    }
    void reset()
    {
        if (m_pointer)
            std::exchange(m_pointer, nullptr)->Release();
    }

private:
    Interface* m_pointer = nullptr;
};

} // namespace gd

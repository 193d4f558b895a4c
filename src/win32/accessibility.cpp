#include "win32/accessibility.h"

#include "core/accessible_texts.h"
#include "core/window_core.h"
#include "win32/com.h"
#include "win32/conversions.h"
#include "win32/drawing.h"
#include "win32/form_window.h"
#include "win32/views.h"

#include <oleacc.h>

#include <algorithm>
#include <vector>

namespace gd {

namespace {

// A text for a screen reader, in the memory COM hands it over in.
HRESULT give(const std::wstring& text, BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = SysAllocStringLen(text.data(), UINT(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// What assistive technology calls a control: the names table's name, else the text of the label
// that names it, else a label's own caption.
std::wstring nameOf(const Control& control)
{
    const AccessibleText* row = accessibleTextOf(control.id());
    if (row && !row->name.empty())
        return toWide(row->name);
    if (row && row->labelledBy)
        return toWide(control.form()[*row->labelledBy].caption());
    return control.kind() == Kind::Label ? toWide(control.caption()) : std::wstring();
}

long roleOf(const Control& control)
{
    switch (accessibleRole(control)) {
    case AccessibleRole::Button: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::Animation: return ROLE_SYSTEM_ANIMATION;
    case AccessibleRole::Pane: return ROLE_SYSTEM_PANE;
    case AccessibleRole::Window: return ROLE_SYSTEM_CLIENT;
    case AccessibleRole::Unset: break;
    }
    return control.kind() == Kind::Image ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT;
}

// The system's object for a window, with what this program adds: a name and role of its own, and
// the windowless controls of a container as further children, numbered after the system's.
class Accessible final : public IAccessible {
public:
    Accessible(IAccessible* standard, Container* container, View* listing)
        : m_container(container)
        , m_listing(listing)
    {
        m_standard.reset();
        *m_standard.put() = standard;
    }

    void forget()
    {
        m_container = nullptr;
        m_listing = nullptr;
    }
    const void* owner() const
    {
        return m_container ? static_cast<const void*>(m_container) : m_listing;
    }
    // The child id a windowless control has here; 0 when it is no child of this object.
    long idOf(const Control& control) const
    {
        const std::vector<View*> children = windowless();
        for (std::size_t k = 0; k < children.size(); ++k)
            if (&children[k]->control() == &control)
                return firstOwnId() + long(k);
        return 0;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch)
            || riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(
        DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return alive() ? m_standard->get_accParent(parent) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (!m_container)
            return m_standard->get_accChildCount(count);
        if (!count)
            return E_INVALIDARG;
        *count = long(windows().size() + windowless().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (!child)
            return E_INVALIDARG;
        *child = nullptr;
        if (own(id)) // a windowless control is a simple element of this object
            return S_FALSE;
        if (m_container && id.vt == VT_I4 && id.lVal >= 1) {
            // A control with a window of its own answers for itself.
            const std::vector<HWND> children = windows();
            if (std::size_t(id.lVal) > children.size())
                return E_INVALIDARG;
            return AccessibleObjectFromWindow(children[std::size_t(id.lVal) - 1],
                DWORD(OBJID_CLIENT), __uuidof(IDispatch), reinterpret_cast<void**>(child));
        }
        return m_standard->get_accChild(id, child);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (View* view = own(id))
            return give(nameOf(view->control()), name);
        if (self(id)) {
            if (const Control* control = shown())
                if (std::wstring text = nameOf(*control); !text.empty())
                    return give(text, name);
            if (m_container && !m_container->self())
                return give(toWide(accessibleTextOf(ControlId::Form1)->name), name);
        }
        return m_standard->get_accName(id, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        return own(id) ? DISP_E_MEMBERNOTFOUND : m_standard->get_accValue(id, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* description) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        // A label named for what it is still tells what it shows.
        if (View* view = own(id)) {
            const Control& control = view->control();
            const AccessibleText* row = accessibleTextOf(control.id());
            if (control.kind() == Kind::Label && !control.actsAsButton() && row
                && !row->name.empty())
                return give(toWide(control.caption()), description);
            return S_FALSE;
        }
        return m_standard->get_accDescription(id, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        const Control* control = nullptr;
        if (View* view = own(id))
            control = &view->control();
        else if (self(id) && shown() && accessibleRole(*shown()) != AccessibleRole::Unset)
            control = shown();
        if (!control)
            return m_standard->get_accRole(id, role);
        if (!role)
            return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = roleOf(*control);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        View* view = own(id);
        if (!view)
            return m_standard->get_accState(id, state);
        if (!state)
            return E_INVALIDARG;
        const Control& control = view->control();
        long flags = control.isShown() ? 0 : STATE_SYSTEM_INVISIBLE;
        if (control.actsAsButton()) {
            flags |= STATE_SYSTEM_FOCUSABLE;
            if (focusedHere(control))
                flags |= STATE_SYSTEM_FOCUSED;
        }
        state->vt = VT_I4;
        state->lVal = flags;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override
    {
        return !alive() ? RPC_E_DISCONNECTED
            : own(id)   ? S_FALSE
                        : m_standard->get_accHelp(id, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, long* topic) override
    {
        return !alive() ? RPC_E_DISCONNECTED
            : own(id)   ? S_FALSE
                        : m_standard->get_accHelpTopic(file, id, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (View* view = own(id))
            return view->control().actsAsButton() ? give(L"Space", shortcut) : S_FALSE;
        return m_standard->get_accKeyboardShortcut(id, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        const std::vector<View*> children = windowless();
        for (std::size_t k = 0; k < children.size(); ++k)
            if (focusedHere(children[k]->control()) && focus) {
                focus->vt = VT_I4;
                focus->lVal = firstOwnId() + long(k);
                return S_OK;
            }
        return m_standard->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        return alive() ? m_standard->get_accSelection(selection) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (View* view = own(id))
            return view->control().actsAsButton() ? give(L"Press", action) : S_FALSE;
        return m_standard->get_accDefaultAction(id, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (View* view = own(id)) {
            if ((flags & SELFLAG_TAKEFOCUS) && view->control().actsAsButton())
                m_container->window().focusControl(view->control());
            return S_OK;
        }
        return m_standard->accSelect(flags, id);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT id) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        View* view = own(id);
        if (!view)
            return m_standard->accLocation(x, y, w, h, id);
        if (!x || !y || !w || !h)
            return E_INVALIDARG;
        POINT at { view->rect().x, view->rect().y };
        ClientToScreen(m_container->clientWindow(), &at);
        *x = at.x;
        *y = at.y;
        *w = view->rect().width;
        *h = view->rect().height;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT from, VARIANT* to) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (!own(from) && !(self(from) && (direction == NAVDIR_LASTCHILD)))
            return m_standard->accNavigate(direction, from, to);
        if (!to)
            return E_INVALIDARG;
        const long count = long(windowless().size());
        long at = self(from) ? firstOwnId() + count : from.lVal;
        switch (direction) {
        case NAVDIR_NEXT: ++at; break;
        case NAVDIR_PREVIOUS: --at; break;
        case NAVDIR_LASTCHILD: --at; break;
        default: return E_NOTIMPL;
        }
        if (at < firstOwnId() || at >= firstOwnId() + count) {
            to->vt = VT_EMPTY;
            return S_FALSE;
        }
        to->vt = VT_I4;
        to->lVal = at;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        POINT at { x, y };
        ScreenToClient(m_container ? m_container->clientWindow() : nullptr, &at);
        const std::vector<View*> children = windowless();
        for (std::size_t k = 0; k < children.size(); ++k)
            if (hit && contains(children[k]->rect(), at)) {
                hit->vt = VT_I4;
                hit->lVal = firstOwnId() + long(k);
                return S_OK;
            }
        return m_standard->accHitTest(x, y, hit);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override
    {
        if (!alive())
            return RPC_E_DISCONNECTED;
        if (View* view = own(id)) {
            if (!view->control().actsAsButton())
                return DISP_E_MEMBERNOTFOUND;
            // Pressed from the event loop, as a click is: the caller is answered first.
            m_container->window().clickLater(view->control().id());
            return S_OK;
        }
        return m_standard->accDoDefaultAction(id);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~Accessible() = default;

    bool alive() const { return (m_container || m_listing) && m_standard; }
    static bool self(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }
    // The control this object is for: a picture box, a listing, nothing for the form.
    const Control* shown() const
    {
        return m_listing ? &m_listing->control() : m_container ? m_container->self() : nullptr;
    }
    // The windowless controls a screen reader finds here: labels and images in view, in the
    // description's order.
    std::vector<View*> windowless() const
    {
        std::vector<View*> found;
        if (!m_container)
            return found;
        WindowCore& core = m_container->window().core();
        for (View* view : m_container->views())
            if (!view->hwnd() && view->takesMouse() && core.inView(view->control()))
                found.push_back(view);
        return found;
    }
    // The controls with windows of their own here, in the windows' order front to back, but
    // those out of view.
    std::vector<HWND> windows() const
    {
        std::vector<HWND> found;
        FormWindow& window = m_container->window();
        for (HWND child = GetWindow(m_container->clientWindow(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT))
            if (View* view = window.viewOf(child); view && window.core().inView(view->control()))
                found.push_back(child);
        return found;
    }
    long firstOwnId() const { return m_container ? long(windows().size()) + 1 : 1; }
    View* own(const VARIANT& id) const
    {
        if (id.vt != VT_I4 || !m_container)
            return nullptr;
        const std::vector<View*> children = windowless();
        const long k = id.lVal - firstOwnId();
        return k >= 0 && k < long(children.size()) ? children[std::size_t(k)] : nullptr;
    }
    bool focusedHere(const Control& control) const
    {
        return GetFocus() == m_container->window().hwnd()
            && m_container->window().windowlessFocus() == &control;
    }

    ULONG m_refs = 1;
    ComPtr<IAccessible> m_standard;
    Container* m_container;
    View* m_listing;
};

// One object per window, made on first asking and kept while the window lives.
std::vector<Accessible*>& made()
{
    static std::vector<Accessible*> objects;
    return objects;
}

Accessible* existing(const void* owner)
{
    for (Accessible* object : made())
        if (object->owner() == owner)
            return object;
    return nullptr;
}

LRESULT answer(HWND window, Container* container, View* listing, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<long>(lParam) != OBJID_CLIENT)
        return 0;
    const void* owner = container ? static_cast<const void*>(container) : listing;
    Accessible* object = existing(owner);
    if (!object) {
        IAccessible* standard = nullptr;
        if (FAILED(CreateStdAccessibleObject(
                window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))))
            return 0;
        object = new Accessible(standard, container, listing); // its one reference is the window's
        made().push_back(object);
    }
    return LresultFromObject(__uuidof(IAccessible), wParam, object);
}

} // namespace

LRESULT accessibleContainer(Container& container, WPARAM wParam, LPARAM lParam)
{
    return answer(container.clientWindow(), &container, nullptr, wParam, lParam);
}

LRESULT accessibleListing(View& listing, WPARAM wParam, LPARAM lParam)
{
    return answer(listing.hwnd(), nullptr, &listing, wParam, lParam);
}

void forgetAccessible()
{
    for (Accessible* object : made()) {
        object->forget();
        object->Release();
    }
    made().clear();
}

void accessibleFocus(Container& container, const Control& control)
{
    Accessible* object = existing(&container);
    if (const long id = object ? object->idOf(control) : 0)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, container.clientWindow(), OBJID_CLIENT, id);
}

} // namespace gd

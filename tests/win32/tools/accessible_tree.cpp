// Prints what Microsoft Active Accessibility says of the window "Form1": one line per object,
// "role|name" indented by depth, the window's client object first; with --press NAME, presses
// the first object of that name through its default action instead. What a screen reader on
// Windows reads, for the tests to read under Wine.
//
//   accessible_tree.exe [--press NAME]

#include <windows.h>

#include <initguid.h> // IID_IAccessible itself, not the symbol liboleacc.a holds under that name

#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::wstring text(BSTR b)
{
    std::wstring t = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
    SysFreeString(b);
    return t;
}

std::wstring roleName(IAccessible* object, VARIANT id)
{
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object->get_accRole(id, &role)) || role.vt != VT_I4)
        return L"?";
    wchar_t name[128] = L"";
    GetRoleTextW(DWORD(role.lVal), name, 128);
    return name;
}

const wchar_t* g_press = nullptr;
bool g_pressed = false;

void walk(IAccessible* object, VARIANT id, int depth)
{
    BSTR name = nullptr;
    object->get_accName(id, &name);
    const std::wstring own = text(name);
    if (g_press && !g_pressed && own == g_press) {
        g_pressed = SUCCEEDED(object->accDoDefaultAction(id));
        return;
    }
    if (!g_press)
        std::wprintf(L"%*ls%ls|%ls\n", depth * 2, L"", roleName(object, id).c_str(), own.c_str());
    if (id.vt != VT_I4 || id.lVal != CHILDID_SELF || depth > 8)
        return;
    long count = 0;
    if (FAILED(object->get_accChildCount(&count)))
        return;
    for (long k = 1; k <= count; ++k) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = k;
        IDispatch* dispatch = nullptr;
        const HRESULT hr = object->get_accChild(child, &dispatch);
        if (hr == S_OK && dispatch) {
            IAccessible* inner = nullptr;
            if (SUCCEEDED(
                    dispatch->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&inner)))) {
                VARIANT self;
                VariantInit(&self);
                self.vt = VT_I4;
                self.lVal = CHILDID_SELF;
                walk(inner, self, depth + 1);
                inner->Release();
            }
            dispatch->Release();
        } else {
            walk(object, child, depth + 1);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wcscmp(argv[1], L"--press") == 0)
        g_press = argv[2];
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND window = FindWindowW(nullptr, L"Form1");
    if (!window) {
        std::fputs("accessible_tree: no window Form1\n", stderr);
        return 2;
    }
    IAccessible* client = nullptr;
    if (FAILED(AccessibleObjectFromWindow(
            window, DWORD(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&client)))) {
        std::fputs("accessible_tree: no accessible object for Form1\n", stderr);
        return 3;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    walk(client, self, 0);
    client->Release();
    CoUninitialize();
    if (g_press && !g_pressed) {
        std::fputs("accessible_tree: nothing of that name could be pressed\n", stderr);
        return 4;
    }
    return 0;
}

#pragma once
#include <windows.h>

#include <utility>

// The program's one way to hold what Windows hands out: the owner releases it when it goes out of
// scope, and a move hands it on. Each kind of handle is a traits class that says what "none" is and
// how it is let go.
template <class Traits> class CScoped {
  public:
    using Handle = typename Traits::Handle;

    CScoped() = default;
    explicit CScoped(Handle h) : m_h(h) {}
    ~CScoped() { Reset(); }
    CScoped(CScoped&& other) noexcept : m_h(other.Release()) {}
    CScoped& operator=(CScoped&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    CScoped(const CScoped&) = delete;
    CScoped& operator=(const CScoped&) = delete;

    Handle Get() const { return m_h; }
    explicit operator bool() const { return Traits::Valid(m_h); }
    // Lets go of the handle without closing it.
    Handle Release() { return std::exchange(m_h, Traits::None()); }
    void Reset(Handle h = Traits::None()) {
        if (Traits::Valid(m_h)) Traits::Close(m_h);
        m_h = h;
    }
    // For a call that hands the handle back through a pointer: what was held is closed first.
    Handle* Receive() {
        Reset();
        return &m_h;
    }

  private:
    Handle m_h = Traits::None();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    // Some calls fail with nullptr, others (CreateFile, CreateNamedPipe) with INVALID_HANDLE_VALUE.
    static bool Valid(Handle h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
using CHandle = CScoped<KernelHandleTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using CFindHandle = CScoped<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using CRegKey = CScoped<RegKeyTraits>;

template <class T> struct GdiObjectTraits {
    using Handle = T;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
template <class T> using CGdiObject = CScoped<GdiObjectTraits<T>>;
using CBitmap = CGdiObject<HBITMAP>;
using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;
using CPen = CGdiObject<HPEN>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
// A DC of CreateCompatibleDC.
using CMemoryDC = CScoped<MemoryDcTraits>;

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
// A DLL the program loaded for a while.
using CModule = CScoped<ModuleTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using CIcon = CScoped<IconTraits>;

struct CursorTraits {
    using Handle = HCURSOR;
    static Handle None() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};
using CCursor = CScoped<CursorTraits>;

// A memory DC like `like` with a new bitmap of the given size selected into it for its whole life;
// empty (false) when either could not be made.
class CBitmapDC {
  public:
    CBitmapDC(HDC like, int width, int height)
        : m_dc(CreateCompatibleDC(like)), m_bitmap(CreateCompatibleBitmap(like, width, height)),
          m_hOld(m_dc && m_bitmap ? SelectObject(m_dc.Get(), m_bitmap.Get()) : nullptr) {}
    // The bitmap leaves the DC before either is deleted.
    ~CBitmapDC() {
        if (m_hOld) SelectObject(m_dc.Get(), m_hOld);
    }
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;
    HDC Get() const { return m_dc.Get(); }
    explicit operator bool() const { return m_hOld != nullptr; }

  private:
    CMemoryDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_hOld;
};

// GetDC's DC of a window, given back to that window.
class CWindowDC {
  public:
    explicit CWindowDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(GetDC(hwnd)) {}
    ~CWindowDC() {
        if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return m_hDC; }

  private:
    HWND m_hWnd;
    HDC m_hDC;
};

// An object selected into a DC for a while: the DC gets its former object back at the end.
class CSelectObject {
  public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectObject() {
        if (m_hOld) SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

  private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A critical section for its whole life; a Hold owns it for a scope.
class CCriticalSection {
  public:
    CCriticalSection() { InitializeCriticalSection(&m_cs); }
    ~CCriticalSection() { DeleteCriticalSection(&m_cs); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    class Hold {
      public:
        explicit Hold(CCriticalSection& section) : m_cs(section.m_cs) { EnterCriticalSection(&m_cs); }
        ~Hold() { LeaveCriticalSection(&m_cs); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        CRITICAL_SECTION& m_cs;
    };

  private:
    CRITICAL_SECTION m_cs;
};

// A COM interface pointer, released at the end.
template <class T> class CComPtr {
  public:
    CComPtr() = default;
    // Takes over a reference the caller holds (a new object of our own starts with one), adding
    // none: unlike ATL's constructor, so it has a name of its own.
    static CComPtr Adopt(T* p) {
        CComPtr ptr;
        ptr.m_p = p;
        return ptr;
    }
    ~CComPtr() { Reset(); }
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    // For a call that hands the interface back through a pointer.
    T** Receive() {
        Reset();
        return &m_p;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  private:
    T* m_p = nullptr;
};

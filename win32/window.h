#pragma once
// The thin window layer: dialogs from templates and subclassed controls, with a modal loop that
// gives every window on the way from the message's target up to the top the first look at it.
#include <windows.h>

#include <optional>
#include <string>

namespace win32 {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // First look at a queued message before it is translated and dispatched; true consumes it.
    virtual bool PreTranslateMessage(MSG& msg);

    // The object behind a window of ours, or null.
    static Window* FromHandle(HWND hwnd);
    // Offers msg to PreTranslateMessage of msg.hwnd and each of its parents; true if consumed.
    static bool WalkPreTranslate(MSG& msg);

protected:
    void Register(HWND hwnd);
    void Unregister();

    HWND hwnd_ = nullptr;
};

// A dialog created from a template of the executable.
class Dialog : public Window {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    ~Dialog() override;

    // Modeless: the window is created and shown as the template says; returns success.
    bool Create(HWND parent);
    // Modal: runs a message loop of our own until EndDialog; returns its result (-1 on failure).
    INT_PTR DoModal(HWND owner);
    void EndDialog(INT_PTR result);
    void Destroy();
    int templateId() const { return templateId_; }
    bool IsModal() const { return modal_; }

    // The ordinary dialog keyboard interface (Tab, arrows, default buttons).
    bool PreTranslateMessage(MSG& msg) override;
    bool StandardDialogKeys(MSG& msg);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Return a value to mark a message handled; nullopt leaves it to the default dialog handling.
    virtual std::optional<LRESULT> OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnClose();
    virtual void OnDestroyed() {}

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Dispatch(UINT msg, WPARAM wp, LPARAM lp);

    int templateId_;
    bool modal_ = false;
    bool ending_ = false;
    INT_PTR result_ = 0;
};

// A standard control (static, button) whose window procedure we take over.
class Control : public Window {
public:
    ~Control() override;
    bool Create(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& rect,
                HWND parent, int id, DWORD exStyle = 0);
    void Destroy();

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    // Called after the window exists and is subclassed, before it is shown.
    virtual void OnCreated() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    WNDPROC original_ = nullptr;
};

// A control that draws itself completely: paint and print-client requests go to Paint.
class PaintedControl : public Control {
public:
    virtual void Paint(HDC dc) = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A window of a class of our own, registered on first use: the object arrives through
// lpCreateParams in WM_NCCREATE, so every message after that reaches it.
class CustomWindow : public Window {
public:
    ~CustomWindow() override;

    // Registers className once per process (no background brush: the paint step owns every
    // pixel), then creates the window. WS_VISIBLE in style shows it once OnCreated has run.
    bool Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                HWND parent);
    void Destroy();

protected:
    // Unhandled messages go to Default; paint and timer requests arrive typed.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    virtual void OnCreated() {}
    virtual void OnPaint(HDC) {}
    virtual void OnTimer(UINT_PTR) {}
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// Handles every message already queued for this thread as the modal loop would (pre-translation
// first), then returns; for tests and benchmarks that drive windows without a loop of their own.
void DispatchQueuedMessages();

// The module the program's resources live in (the executable).
HINSTANCE AppInstance();
void SetAppInstance(HINSTANCE instance);

// Folder of the running executable, without a trailing backslash (at most MAX_PATH characters).
std::wstring ExecutableFolder();

}  // namespace win32

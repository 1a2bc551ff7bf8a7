#include "widgets/DesktopServices.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

#ifdef Q_OS_WIN
namespace {

HWND ownerWindow(QWidget* owner)
{
    return owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
}

// Both entry points are looked up at run time, so the program starts on a
// system without the help viewer. The library stays loaded: the viewer's
// window lives inside the process and would crash if its code were unloaded.
template <typename Function> Function lookUp(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        module = LoadLibraryW(library);
    if (!module)
        return nullptr;
    // Through void(*)(), which GCC's -Wcast-function-type accepts as generic.
    using Generic = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

constexpr UINT kHelpDisplayTopic = 0; // HH_DISPLAY_TOPIC

using HtmlHelpAFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

} // namespace

HelpOpenerFn realHelpOpener()
{
    return [](QWidget* owner, const QString& helpFilePath) {
        static const auto htmlHelp = lookUp<HtmlHelpAFn>(L"hhctrl.ocx", "HtmlHelpA");
        if (!htmlHelp)
            return;
        // toLocal8Bit is the system's ANSI code page on Windows.
        const QByteArray path = helpFilePath.toLocal8Bit();
        htmlHelp(ownerWindow(owner), path.constData(), kHelpDisplayTopic, 0);
    };
}

UrlOpenerFn realUrlOpener()
{
    return [](QWidget* owner, const QString& target) {
        static const auto shellExecute = lookUp<ShellExecuteAFn>(L"shell32.dll", "ShellExecuteA");
        if (!shellExecute)
            return;
        const QByteArray file = target.toLocal8Bit();
        shellExecute(ownerWindow(owner), "open", file.constData(), nullptr, nullptr, SW_SHOWNORMAL);
    };
}

#else

HelpOpenerFn realHelpOpener()
{
    return [](QWidget*, const QString& helpFilePath) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(helpFilePath));
    };
}

UrlOpenerFn realUrlOpener()
{
    return [](QWidget*, const QString& target) { QDesktopServices::openUrl(QUrl(target)); };
}

#endif

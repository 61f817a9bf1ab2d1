#include "platform/win32/Win32Application.h"

#include "platform/win32/Resource.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32MainWindow.h"

namespace korvane::platform::win32 {

namespace {
Win32Application* current = nullptr;
}  // namespace

Win32Application::Win32Application() {
  current = this;
  SetErrorSink([](const std::string& text) {
    if (current) current->ShowError(text);
  });
  RegisterClassOnce(kClassName, 0,
                    LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KORVANE)));
  CreateOwnWindow(kClassName, L"", 0, WS_POPUP, nullptr);
}

Win32Application::~Win32Application() {
  if (current == this) {
    current = nullptr;
    SetErrorSink(nullptr);
  }
  DestroyOwnWindow();
}

void Win32Application::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextW(Hwnd(), ToWide(title).c_str());
}

std::unique_ptr<MainWindow> Win32Application::CreateMainWindow(MainWindowEvents& events,
                                                               const std::string& caption) {
  auto window = std::make_unique<Win32MainWindow>(Hwnd(), events, caption);
  mainWindow_ = window->Hwnd();
  return window;
}

void Win32Application::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Deliver(msg);
}

void Win32Application::Deliver(const MSG& msg) {
  if (Win32MainWindow::Previews(msg.message)) {
    if (auto* main = dynamic_cast<Win32MainWindow*>(WindowObject::ObjectOf(mainWindow_))) {
      main->PreviewInput(msg);
    }
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

void Win32Application::ShowError(const std::string& text) {
  MessageBoxW(GetActiveWindow(), ToWide(text).c_str(), ToWide(title_).c_str(),
              MB_ICONERROR | MB_OK);
}

LRESULT Win32Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // Destroying this window would take the main window with it while the program still
    // holds it; end the loop instead, as closing the main window does.
    PostQuitMessage(0);
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace korvane::platform::win32
